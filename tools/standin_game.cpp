// Stands in for the game in tests and the demo: checks its command line, writes one frame-rate
// record per run and keeps a journal of what it was given. Never shipped.
//
// Installed as <install>\System\ut2003.exe. Files, all under <install>:
//   Benchmark\lowframerate.log     one record appended per run (values: standin_values.h)
//   Benchmark\standin_journal.txt  per run a "start" line, then one "end", "error" or "crash" line:
//     start <n> <tick> <command line>
//     end <n> <tick> ini=0x<attributes> sum=0x<ini checksum> record=yes|no
//     error <n> <tick> exit=<code> <what was wrong>
//     crash <n> <tick>
//   System\standin_control.txt     optional, one directive a line: "sleep <ms>", "norecord",
//                                  "norecord <n>", "crash", "crash <n>" (<n>: only the n-th run,
//                                  counted from the journal), "label <n> <text>" (the n-th run's
//                                  record names <text> instead of its level), "average <n> <h>"
//                                  (the n-th run's average, and score, is <h> hundredths)
// Exit codes: 0 run done, 2 malformed command line, 3 a named file is missing, 4 cannot write,
// 5 bad control file; a crash ends the process with 0xC0000005.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "standin_values.h"

namespace {

bool ReadAll(const std::string& path, std::string* contents) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    contents->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0)
        contents->append(buffer, got);
    CloseHandle(f);
    return true;
}

bool Append(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(f);
    return ok;
}

std::string Folder(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, s.data() + s.size() - tail.size(),
                          static_cast<int>(tail.size()), tail.data(),
                          static_cast<int>(tail.size())) == CSTR_EQUAL;
}

struct GameLine {
    std::string program, level, exec, ini, userini, resolution;
    int seconds = 0;
    bool nosound = false;
};

// Reads the command line exactly as the launcher builds it; `what` says where it went wrong.
class Parser {
public:
    explicit Parser(const std::string& line) : s_(line) {}

    bool Parse(GameLine* out, std::string* what) {
        if (!Quoted(&out->program, "program")) return Fail(what);
        if (!EndsWithNoCase(out->program, "\\System\\ut2003.exe")) {
            error_ = "program is not <folder>\\System\\ut2003.exe";
            return Fail(what);
        }
        if (!Literal(" ") || !Until('?', &out->level, "level") ||
            !Literal("?game=engine.gameinfo exec=") || !Quoted(&out->exec, "exec") ||
            !Literal(" -benchmark -seconds=") || !Number(&out->seconds, "seconds") || !Literal(" "))
            return Fail(what);
        out->nosound = s_.compare(pos_, 9, "-nosound ") == 0;
        if (out->nosound) pos_ += 9;
        if (!Literal("ini=")) return Fail(what);
        if (pos_ < s_.size() && s_[pos_] == '"') {
            if (!Quoted(&out->ini, "ini")) return Fail(what);
        } else if (!Until(' ', &out->ini, "ini")) {
            return Fail(what);
        }
        int width = 0, height = 0;
        if (!Literal(" userini=") || !Quoted(&out->userini, "userini") || !Literal(" -"))
            return Fail(what);
        const size_t resolution = pos_;
        if (!Number(&width, "resolution width") || !Literal("x") ||
            !Number(&height, "resolution height"))
            return Fail(what);
        if (pos_ != s_.size()) {
            error_ = "unexpected text after the resolution at " + std::to_string(pos_);
            return Fail(what);
        }
        out->resolution = s_.substr(resolution);
        return true;
    }

private:
    bool Fail(std::string* what) {
        *what = "malformed: " + error_;
        return false;
    }
    bool Literal(const std::string& text) {
        if (s_.compare(pos_, text.size(), text) == 0) {
            pos_ += text.size();
            return true;
        }
        error_ = "expected \"" + text + "\" at " + std::to_string(pos_);
        return false;
    }
    // "text", not empty, no quote inside.
    bool Quoted(std::string* value, const char* name) {
        const auto close = s_.find('"', pos_ + 1);
        if (pos_ >= s_.size() || s_[pos_] != '"' || close == std::string::npos ||
            close == pos_ + 1) {
            error_ = std::string("expected a quoted ") + name + " at " + std::to_string(pos_);
            return false;
        }
        *value = s_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        return true;
    }
    // Text up to `stop` (or the end), not empty, with no space or quote.
    bool Until(char stop, std::string* value, const char* name) {
        const auto end = s_.find(stop, pos_);
        *value = s_.substr(pos_, end == std::string::npos ? std::string::npos : end - pos_);
        if (value->empty() || value->find_first_of(" \"") != std::string::npos) {
            error_ = std::string("expected a ") + name + " at " + std::to_string(pos_);
            return false;
        }
        pos_ += value->size();
        return true;
    }
    // 1 to 6 digits, above zero.
    bool Number(int* value, const char* name) {
        size_t end = pos_;
        while (end < s_.size() && end - pos_ < 7 && s_[end] >= '0' && s_[end] <= '9') ++end;
        *value = end > pos_ && end - pos_ <= 6 ? std::atoi(s_.substr(pos_, end - pos_).c_str()) : 0;
        if (*value <= 0) {
            error_ = std::string("expected a number for ") + name + " at " + std::to_string(pos_);
            return false;
        }
        pos_ = end;
        return true;
    }

    const std::string& s_;
    size_t pos_ = 0;
    std::string error_;
};

struct Control {
    DWORD sleep_ms = 0;
    bool record = true;
    bool crash = false;
    std::string label;     // the record's first field when not empty
    uint32_t average = 0;  // the record's average in hundredths when not 0
};

// Applies the control file's directives to run number `n`; false on a line it does not know.
bool ReadControl(const std::string& path, int n, Control* control, std::string* bad_line) {
    std::string text;
    if (!ReadAll(path, &text)) return true;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty()) continue;
        char word[16] = {};
        unsigned long number = 0;
        const int fields = std::sscanf(line.c_str(), "%15s %lu", word, &number);
        const std::string w = word;
        const bool this_run = fields == 1 || static_cast<int>(number) == n;
        if (w == "sleep" && fields == 2) {
            control->sleep_ms = number;
        } else if (w == "norecord") {
            if (this_run) control->record = false;
        } else if (w == "crash") {
            if (this_run) control->crash = true;
        } else if (w == "average" && fields == 2) {
            unsigned long hundredths = 0;
            if (std::sscanf(line.c_str(), "%*15s %*u %lu", &hundredths) != 1) {
                *bad_line = line;
                return false;
            }
            if (this_run) control->average = hundredths;
        } else if (w == "label" && fields == 2) {
            const size_t text = line.find(' ', line.find(' ') + 1);
            if (this_run && text != std::string::npos) control->label = line.substr(text + 1);
        } else {
            *bad_line = line;
            return false;
        }
    }
    return true;
}

// This run's number: one more than the runs the journal already holds.
int RunNumber(const std::string& journal) {
    std::string text;
    if (!ReadAll(journal, &text)) return 1;
    int n = 1;
    for (size_t p = 0; p < text.size();) {
        if (text.compare(p, 6, "start ") == 0) ++n;
        const size_t end = text.find('\n', p);
        if (end == std::string::npos) break;
        p = end + 1;
    }
    return n;
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

}  // namespace

int main() {
    char module[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module) return 4;
    const std::string system = Folder(module);
    const std::string install = Folder(system);
    const std::string journal = install + "\\Benchmark\\standin_journal.txt";
    const std::string log = install + "\\Benchmark\\lowframerate.log";

    const std::string command_line = GetCommandLineA();
    const int n = RunNumber(journal);
    const std::string run = std::to_string(n) + " ";
    auto stamp = [&] { return run + std::to_string(GetTickCount()); };
    if (!Append(journal, "start " + stamp() + " " + command_line + "\r\n")) return 4;
    auto error = [&](int code, const std::string& what) {
        Append(journal, "error " + stamp() + " exit=" + std::to_string(code) + " " + what + "\r\n");
        return code;
    };

    GameLine game;
    std::string what;
    if (!Parser(command_line).Parse(&game, &what)) return error(2, what);
    for (const auto& [name, path] : {std::pair<const char*, const std::string&>{"exec", game.exec},
                                     {"ini", game.ini},
                                     {"userini", game.userini}}) {
        const DWORD a = GetFileAttributesA(path.c_str());
        if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY))
            return error(3, std::string("missing ") + name + "=" + path);
    }
    const DWORD ini_attributes = GetFileAttributesA(game.ini.c_str());
    std::string ini_bytes;
    if (!ReadAll(game.ini, &ini_bytes)) return error(3, "unreadable ini=" + game.ini);
    const uint32_t sum = standin::Checksum(ini_bytes);

    Control control;
    std::string bad_line;
    if (!ReadControl(system + "\\standin_control.txt", n, &control, &bad_line))
        return error(5, "control: unknown line \"" + bad_line + "\"");
    if (control.sleep_ms) Sleep(control.sleep_ms);
    if (control.crash) {
        Append(journal, "crash " + stamp() + "\r\n");
        TerminateProcess(GetCurrentProcess(), 0xC0000005);
    }
    std::string record =
        standin::LogLine(game.level, game.resolution, game.seconds, sum, control.average);
    if (!control.label.empty()) record = control.label + record.substr(game.level.size());
    if (control.record && !Append(log, record)) return error(4, "cannot append to " + log);
    Append(journal, "end " + stamp() + " ini=" + Hex(ini_attributes) + " sum=" + Hex(sum) +
                        " record=" + (control.record ? "yes" : "no") + "\r\n");
    return 0;
}
