// The in-memory stand-in for the operating system used by the native tests.
#include "platform/platform_standin.h"

#include <algorithm>

#include "common/text.h"
#include "platform/folder_levels.h"

namespace platform {
namespace {

standin::State g_state;

constexpr const char* kNoPath = "The system cannot find the path specified.";

using common::Lower;

std::map<std::string, standin::File>::iterator Find(const std::string& path) {
    const std::string want = Lower(path);
    auto& files = g_state.files;
    return std::find_if(files.begin(), files.end(),
                        [&](const auto& entry) { return Lower(entry.first) == want; });
}

std::string ParentOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) return "";
    if (slash == 2 && path.size() > 1 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, slash);
}

bool FolderExistsIn(const std::string& folder) {
    if (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\') return true;
    const std::string want = Lower(folder);
    return std::any_of(g_state.folders.begin(), g_state.folders.end(),
                       [&](const std::string& f) { return Lower(f) == want; });
}

bool Fail(std::string* error, const std::string& verb, const std::string& path,
          const std::string& reason) {
    if (error) *error = "Cannot " + verb + " \"" + path + "\": " + reason;
    return false;
}

bool Injected(const std::string& op, const std::string& path) {
    for (const auto& [o, p] : g_state.failures)
        if (o == op && Lower(p) == Lower(path)) return true;
    return false;
}

// The stand-in's code page is single-byte: every 0x5C is a backslash.
std::vector<size_t> Backslashes(const std::string& path) {
    std::vector<size_t> offsets;
    for (size_t i = 0; i < path.size(); ++i)
        if (path[i] == '\\') offsets.push_back(i);
    return offsets;
}

void Note(const std::string& line) { g_state.journal.push_back(line); }

// Opens (or creates) a file for writing as Windows would, or explains why not.
standin::File* OpenForWriting(const std::string& path, const std::string& op,
                              const std::string& verb, std::string* error) {
    if (path.empty()) {
        Fail(error, verb, path, "The system cannot find the path specified.");
        return nullptr;
    }
    if (Injected(op, path)) {
        Fail(error, verb, path, "Access is denied.");
        return nullptr;
    }
    auto it = Find(path);
    if (it == g_state.files.end()) {
        if (!FolderExistsIn(ParentOf(path))) {
            Fail(error, verb, path, "The system cannot find the path specified.");
            return nullptr;
        }
        return &g_state.files[path];
    }
    if (it->second.locked) {
        Fail(error, verb, path,
             "The process cannot access the file because it is being used by another process.");
        return nullptr;
    }
    if (it->second.attributes & kReadOnly) {
        Fail(error, verb, path, "Access is denied.");
        return nullptr;
    }
    return &it->second;
}

std::string ProgramOf(const std::string& command_line) {
    if (!command_line.empty() && command_line[0] == '"') {
        const auto close = command_line.find('"', 1);
        return command_line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return command_line.substr(0, command_line.find(' '));
}

bool Startable(const std::string& command_line, StartFailure* failure) {
    const std::string program = ProgramOf(command_line);
    StartFailure f;
    if (Find(program) == g_state.files.end()) {
        f.not_found = true;
        f.code = 2;
        f.description = "The system cannot find the file specified.";
    } else if (g_state.unstartable.count(program)) {
        f.code = 193;
        f.description = "%1 is not a valid Win32 application.";
    } else {
        return true;
    }
    if (failure) *failure = f;
    return false;
}

}  // namespace

namespace standin {

State& Get() { return g_state; }

void Reset() { g_state = State{}; }

void AddFolder(const std::string& path) {
    for (std::string p = path; !p.empty() && !(p.size() == 3 && p[1] == ':'); p = ParentOf(p)) {
        g_state.folders.insert(p);
        // A share ("\\\\server\\share") ends the walk: its server is no folder.
        if (p.starts_with("\\\\") && std::count(p.begin(), p.end(), '\\') == 3) break;
    }
}

void AddFile(const std::string& path, const std::string& contents, uint32_t attributes) {
    AddFolder(ParentOf(path));
    auto it = Find(path);
    File& f = it == g_state.files.end() ? g_state.files[path] : it->second;
    f.contents = contents;
    f.attributes = attributes;
}

bool HasFile(const std::string& path) { return Find(path) != g_state.files.end(); }

const File* FindFile(const std::string& path) {
    auto it = Find(path);
    return it == g_state.files.end() ? nullptr : &it->second;
}

void SetRegistryString(const std::string& key, const std::string& value, const std::string& text,
                       bool with_nul) {
    RegistryData data;
    data.type = 1;
    data.bytes = with_nul ? text + std::string(1, '\0') : text;
    g_state.registry[key + "\\" + value] = data;
}

}  // namespace standin

bool CreateEmptyFile(const std::string& path, std::string* error) {
    Note("create " + path);
    standin::File* f = OpenForWriting(path, "create", "create", error);
    if (!f) return false;
    f->contents.clear();
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& contents, std::string* error) {
    Note("write " + path);
    standin::File* f = OpenForWriting(path, "write", "write", error);
    if (!f) return false;
    if (Injected("disk full", path)) {
        f->contents = contents.substr(0, contents.size() / 2);
        Fail(error, "write", path, "There is not enough space on the disk.");
        return false;
    }
    f->contents = contents;
    return true;
}

bool AppendToFile(const std::string& path, const std::string& contents, std::string* error) {
    Note("append " + path);
    standin::File* f = OpenForWriting(path, "append", "append to", error);
    if (!f) return false;
    f->contents += contents;
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* contents, std::string* error) {
    auto it = Find(path);
    if (it == g_state.files.end())
        return Fail(error, "read", path, "The system cannot find the file specified.");
    if (Injected("read", path) || it->second.locked)
        return Fail(error, "read", path, "Access is denied.");
    *contents = it->second.contents;
    g_state.bytes_read += std::max<uint64_t>(it->second.claimed_size, contents->size());
    return true;
}

bool ReadFileStart(const std::string& path, size_t limit, std::string* contents, uint64_t* size,
                   std::string* error) {
    auto it = Find(path);
    if (it == g_state.files.end())
        return Fail(error, "read", path, "The system cannot find the file specified.");
    if (Injected("read", path) || it->second.locked)
        return Fail(error, "read", path, "Access is denied.");
    *contents = it->second.contents.substr(0, limit);
    *size = std::max<uint64_t>(it->second.claimed_size, it->second.contents.size());
    g_state.bytes_read += contents->size();
    return true;
}

// The tests give full paths.
std::string FullPath(const std::string& path) { return path; }

bool CopyOver(const std::string& from, const std::string& to, std::string* error) {
    Note("copy " + from + " -> " + to);
    auto source = Find(from);
    if (source == g_state.files.end())
        return Fail(error, "copy", from, "The system cannot find the file specified.");
    const std::string contents = source->second.contents;
    standin::File* f = OpenForWriting(to, "copy", "copy to", error);
    if (!f) return false;
    f->contents = contents;
    return true;
}

bool RemoveFile(const std::string& path, std::string* error) {
    Note("remove " + path);
    if (Injected("remove", path)) return Fail(error, "delete", path, "Access is denied.");
    auto it = Find(path);
    if (it == g_state.files.end()) return true;
    if (it->second.locked)
        return Fail(error, "delete", path,
                    "The process cannot access the file because it is being used by another "
                    "process.");
    if (it->second.attributes & kReadOnly) return Fail(error, "delete", path, "Access is denied.");
    g_state.files.erase(it);
    return true;
}

bool SetAttributes(const std::string& path, uint32_t attributes, std::string* error) {
    Note("attributes " + path + " " + std::to_string(attributes));
    if (Injected("attributes", path))
        return Fail(error, "change the attributes of", path, "Access is denied.");
    auto it = Find(path);
    if (it == g_state.files.end())
        return Fail(error, "change the attributes of", path,
                    "The system cannot find the file specified.");
    it->second.attributes = attributes == kNormal ? 0 : attributes;
    return true;
}

uint32_t GetAttributes(const std::string& path) {
    auto it = Find(path);
    if (it == g_state.files.end()) return 0;
    return it->second.attributes == 0 ? kNormal : it->second.attributes;
}

bool CanOpenForReading(const std::string& path) {
    auto it = Find(path);
    return it != g_state.files.end() && !it->second.locked && !Injected("read", path);
}

bool WaitUntilWritable(const std::string& path, uint32_t timeout_ms) {
    Note("wait " + path);
    auto it = Find(path);
    if (it == g_state.files.end()) return true;
    if (it->second.locked) g_state.milliseconds += timeout_ms;
    return !it->second.locked && !(it->second.attributes & kReadOnly);
}

bool RenameFile(const std::string& from, const std::string& to, std::string* error) {
    Note("rename " + from + " -> " + to);
    if (Injected("rename", from)) return Fail(error, "rename", from, "Access is denied.");
    auto it = Find(from);
    if (it == g_state.files.end())
        return Fail(error, "rename", from, "The system cannot find the file specified.");
    if (it->second.locked)
        return Fail(error, "rename", from,
                    "The process cannot access the file because it is being used by another "
                    "process.");
    if (Find(to) != g_state.files.end() || !FolderExistsIn(ParentOf(to)))
        return Fail(error, "rename", from, "Cannot create a file when that file already exists.");
    standin::File f = it->second;
    g_state.files.erase(it);
    g_state.files[to] = f;
    return true;
}

bool FolderExists(const std::string& path) { return FolderExistsIn(path); }

bool CreateFolders(const std::string& path, std::string* error) {
    Note("folder " + path);
    if (path.empty() || Injected("folder", path))
        return Fail(error, "create the folder", path, "Access is denied.");
    if (FolderExistsIn(path)) return true;
    const std::vector<std::string> levels = FolderLevels(path, Backslashes(path));
    if (levels.empty()) return Fail(error, "create the folder", path, kNoPath);
    for (const std::string& level : levels) {
        if (FolderExistsIn(level)) continue;
        g_state.folders_made.push_back(level);
        if (!FolderExistsIn(ParentOf(level)))
            return Fail(error, "create the folder", level, kNoPath);
        g_state.folders.insert(level);
    }
    return true;
}

bool CreateNewFolder(const std::string& path, bool* exists, std::string* error) {
    Note("new folder " + path);
    g_state.folders_made.push_back(path);
    *exists = FolderExistsIn(path) || Find(path) != g_state.files.end();
    if (*exists)
        return Fail(error, "create the folder", path,
                    "Cannot create a file when that file already exists.");
    if (Injected("folder", path))
        return Fail(error, "create the folder", path, "Access is denied.");
    if (!FolderExistsIn(ParentOf(path))) return Fail(error, "create the folder", path, kNoPath);
    g_state.folders.insert(path);
    return true;
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    const std::string prefix = Lower(folder) + "\\";
    for (const std::string& f : g_state.folders) {
        const std::string lower = Lower(f);
        if (lower.starts_with(prefix) && lower.find('\\', prefix.size()) == std::string::npos)
            names.push_back(f.substr(prefix.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

LocalTime Now() {
    // Seconds gone since the start, carried into minutes and hours (a test's day never ends).
    LocalTime t = g_state.start_time;
    int seconds =
        t.hour * 3600 + t.minute * 60 + t.second + static_cast<int>(g_state.milliseconds / 1000);
    t.hour = seconds / 3600 % 24;
    t.minute = seconds / 60 % 60;
    t.second = seconds % 60;
    return t;
}

uint32_t Milliseconds() { return g_state.milliseconds; }

std::string ProgramFolder() { return g_state.program_folder; }

bool EndsWithBackslash(const std::string& path) {
    bool backslash = false;
    for (size_t at = 0; at < path.size(); ++at) {
        const auto byte = static_cast<unsigned char>(path[at]);
        backslash = path[at] == '\\';
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (g_state.code_page_932 && lead && at + 1 < path.size()) ++at;
    }
    return backslash;
}

EndSignal CreateEndSignal() { return &g_state.end_raised; }

void RaiseEndSignal(EndSignal signal) {
    if (signal) g_state.end_raised = true;
}

void CloseEndSignal(EndSignal) {}

bool RunAndWait(const std::string& command_line, uint32_t timeout_ms, EndSignal end,
                GameEnd* game_end, StartFailure* failure) {
    Note("run " + command_line);
    if (!Startable(command_line, failure)) return false;
    g_state.runs.push_back(command_line);
    const size_t number = g_state.runs.size();
    GameEnd result;
    if (!(end && g_state.end_raised) && g_state.on_run) g_state.on_run(command_line);
    if (end && g_state.end_raised) {
        result.how = GameEnd::How::kEnded;
        result.exit_code = 1;
    } else if (g_state.hanging_runs.count(number)) {
        if (timeout_ms == 0) Note("hang forever " + command_line);  // a test's fault, made visible
        result.how = GameEnd::How::kTimedOut;
        result.exit_code = 1;
    } else if (auto code = g_state.exit_codes.find(number); code != g_state.exit_codes.end()) {
        result.exit_code = code->second;
    }
    result.milliseconds =
        result.how == GameEnd::How::kTimedOut ? timeout_ms : g_state.run_milliseconds;
    result.processor_time = g_state.game_processor_time;
    g_state.milliseconds += result.milliseconds;
    if (game_end) *game_end = result;
    return true;
}

std::optional<std::array<uint16_t, 4>> ReadFileVersion(const std::string& path) {
    auto it = g_state.file_versions.find(path);
    if (it == g_state.file_versions.end()) return std::nullopt;
    return it->second;
}

bool StartProgram(const std::string& command_line, StartFailure* failure) {
    Note("start " + command_line);
    if (!Startable(command_line, failure)) return false;
    g_state.started.push_back(command_line);
    return true;
}

bool ProgramRunning(const std::string& program_path, uint32_t wait_ms) {
    for (const std::string& p : g_state.running_programs) {
        if (Lower(p) != Lower(program_path)) continue;
        g_state.milliseconds += wait_ms;
        return true;
    }
    return false;
}

bool EndProgram(const std::string& program_path) {
    Note("end " + program_path);
    std::erase_if(g_state.running_programs,
                  [&](const std::string& p) { return Lower(p) == Lower(program_path); });
    return !ProgramRunning(program_path, 0);
}

void ShellOpen(const std::string& target, bool, const std::string&) {
    Note("open " + target);
    g_state.opened.push_back(target);
}

void SetOwnerWindow(void*) {}

long QueryLocalMachineValue(const std::string& key, const std::string& value, RegistryView,
                            RegistryData* data) {
    auto it = g_state.registry.find(key + "\\" + value);
    if (it == g_state.registry.end()) return 2;  // ERROR_FILE_NOT_FOUND
    *data = it->second;
    return 0;
}

long QueryUserSetting(const std::string& value, RegistryData* data) {
    auto it = g_state.user_settings.find(value);
    if (it == g_state.user_settings.end()) return 2;  // ERROR_FILE_NOT_FOUND
    *data = it->second;
    return 0;
}

bool WriteUserSetting(const std::string& value, uint32_t number, std::string* error) {
    Note("setting " + value + " = " + std::to_string(number));
    const std::string name = "HKEY_CURRENT_USER\\Software\\Benchwright\\" + value;
    if (Injected("setting", value)) return Fail(error, "save", name, "Access is denied.");
    RegistryData data;
    data.type = 4;  // REG_DWORD, little-endian
    for (int i = 0; i < 4; ++i) data.bytes.push_back(static_cast<char>(number >> (8 * i)));
    g_state.user_settings[value] = data;
    return true;
}

bool WriteUserSettingText(const std::string& value, const std::string& text, std::string* error) {
    Note("setting " + value + " = " + text);
    const std::string name = "HKEY_CURRENT_USER\\Software\\Benchwright\\" + value;
    if (Injected("setting", value)) return Fail(error, "save", name, "Access is denied.");
    g_state.user_settings[value] = {1, text + std::string(1, '\0')};  // REG_SZ with its NUL
    return true;
}

SystemInfo ReadSystemInfo() { return g_state.system_info; }

std::optional<uint64_t> SystemBusyTime() { return g_state.system_busy; }

std::optional<uint64_t> OwnProcessorTime() { return g_state.own_processor_time; }

void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    Note("message " + (title.empty() ? std::string("Benchwright") : title) + ": " + text);
    g_state.messages.push_back({text, title, icon});
}

}  // namespace platform
