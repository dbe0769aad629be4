// Helpers shared by the tests that run under Wine.
#include "test_support_win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace test_support {
namespace {

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsDriveRoot(const std::string& folder) {
    return folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':';
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms, DWORD interval_ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeout_ms) return done();
        Sleep(interval_ms);
    }
    return true;
}

std::string TestExeFolder() {
    char module[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    return Parent(std::string(module, n < sizeof module ? n : 0));
}

namespace {

void RemoveTreeOnce(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeOnce(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

bool RemoveTree(const std::string& folder) {
    // A program that has just exited can hold its exe open a moment longer: try for a while.
    return WaitUntil(
        [&] {
            RemoveTreeOnce(folder);
            return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
        },
        3000);
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || IsDriveRoot(folder)) return true;
    const DWORD a = GetFileAttributesA(folder.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return MakeFolders(Parent(folder)) && CreateDirectoryA(folder.c_str(), nullptr);
}

namespace {

void RemoveStagedFiles(const std::string& root) {
    for (const char* staged :
         {"UT2003.ini", "flybyexec.txt", "UT2003.ini.user-backup", "flybyexec.txt.user-backup"}) {
        SetFileAttributesA((root + staged).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((root + staged).c_str());
    }
}

}  // namespace

void RemoveFakeInstalls() {
    RemoveTree(kInstall);
    RemoveTree(Parent(kSpacedInstall));
    RemoveStagedFiles(std::string(kInstall).substr(0, 3));
}

bool MakeFakeInstall(const std::string& install, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    };
    if (!RemoveTree(install)) return fail("cannot remove the old " + install);
    RemoveStagedFiles(install.substr(0, 3));
    const std::string stuff = install + "\\Benchmark\\Stuff";
    if (!MakeFolders(install + "\\System") || !MakeFolders(stuff))
        return fail("cannot create the folders of " + install);
    const std::string standin = TestExeFolder() + "\\standin_game.exe";
    if (!CopyFileA(standin.c_str(), GamePath(install).c_str(), FALSE))
        return fail("cannot copy " + standin);
    if (!WriteFile(stuff + "\\flybyexec.txt", kFlybyExecText) ||
        !WriteFile(stuff + "\\MinDetailUser.ini", kMinDetailUserText) ||
        !WriteFile(stuff + "\\MaxDetailUser.ini", kMaxDetailUserText))
        return fail("cannot write the files of " + stuff);
    return true;
}

std::string ReadFile(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "";
    std::string contents;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0)
        contents.append(buffer, got);
    CloseHandle(f);
    return contents;
}

bool WriteFile(const std::string& path, const std::string& contents) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(f, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
        written == contents.size();
    CloseHandle(f);
    return ok;
}

std::string LogPath(const std::string& install) {
    return install + "\\Benchmark\\lowframerate.log";
}
std::string JournalPath(const std::string& install) {
    return install + "\\Benchmark\\standin_journal.txt";
}
std::string ControlPath(const std::string& install) {
    return install + "\\System\\standin_control.txt";
}
std::string GamePath(const std::string& install) { return install + "\\System\\ut2003.exe"; }

bool WriteControl(const std::string& install, const std::string& text) {
    if (text.empty())
        return DeleteFileA(ControlPath(install).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    return WriteFile(ControlPath(install), text);
}

std::vector<std::string> JournalLines(const std::string& install) {
    const std::string text = ReadFile(JournalPath(install));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<StandinRun> StandinRuns(const std::string& install) {
    std::vector<StandinRun> runs;
    for (const std::string& line : JournalLines(install)) {
        char kind[16] = {};
        int number = 0, used = 0;
        unsigned long tick = 0;
        if (std::sscanf(line.c_str(), "%15s %d %lu%n", kind, &number, &tick, &used) != 3) continue;
        const std::string rest = used < static_cast<int>(line.size()) ? line.substr(used + 1) : "";
        if (std::strcmp(kind, "start") == 0) {
            StandinRun run;
            run.number = number;
            run.start_tick = tick;
            run.command_line = rest;
            runs.push_back(run);
            continue;
        }
        for (StandinRun& run : runs) {
            if (run.number != number) continue;
            run.outcome = kind;
            run.end_tick = tick;
            run.detail = rest;
            unsigned long attributes = 0, sum = 0;
            char record[8] = {};
            if (run.outcome == "end" && std::sscanf(rest.c_str(), "ini=0x%lx sum=0x%lx record=%7s",
                                                    &attributes, &sum, record) == 3) {
                run.ini_attributes = attributes;
                run.ini_sum = sum;
                run.record = std::strcmp(record, "yes") == 0;
            }
        }
    }
    return runs;
}

long RunProcess(const std::string& command_line, DWORD timeout_ms) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string line = command_line;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    long code = -1;
    if (WaitForSingleObject(pi.hProcess, timeout_ms) == WAIT_OBJECT_0) {
        DWORD exit_code = 0;
        if (GetExitCodeProcess(pi.hProcess, &exit_code)) code = static_cast<long>(exit_code);
    } else {
        TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool SetGameFolder(const char* key, RegistryKind kind, const std::string& text, uint32_t number) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                        nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_SZ;
    std::string bytes = text + std::string(1, '\0');
    switch (kind) {
        case RegistryKind::kString:
            break;
        case RegistryKind::kStringNoNul:
            bytes = text;
            break;
        case RegistryKind::kExpandString:
            type = REG_EXPAND_SZ;
            break;
        case RegistryKind::kNulOnly:
            bytes = std::string(1, '\0');
            break;
        case RegistryKind::kDword:
            type = REG_DWORD;
            bytes.assign(reinterpret_cast<const char*>(&number), sizeof number);
            break;
    }
    const LONG status =
        RegSetValueExA(k, kFolderValue, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    RegCloseKey(k);
    return status == ERROR_SUCCESS;
}

bool DeleteGameKey(const char* key) {
    // RegDeleteKeyExA (the one that takes the view) is newer than the headers' target.
    using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
    const auto delete_key = reinterpret_cast<DeleteKeyEx>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
    if (!delete_key) return false;
    const LONG status = delete_key(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY, 0);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

StoredValue TextValue(const std::string& text) { return {REG_SZ, text + std::string(1, '\0')}; }

StoredValue NumberValue(DWORD number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

StoredValue ReadValue(HKEY root, const std::string& key, const std::string& name, REGSAM view) {
    StoredValue value;
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &k) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(k, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        RegQueryValueExA(k, name.c_str(), nullptr, &value.type,
                         reinterpret_cast<BYTE*>(value.bytes.data()), &size);
        value.bytes.resize(size);
    } else {
        value.type = 0;
    }
    RegCloseKey(k);
    return value;
}

namespace {

bool Write(HKEY root, const std::string& key, const std::string& name, const StoredValue& value,
           REGSAM view, bool* created) {
    HKEY k = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &k,
                        &disposition) != ERROR_SUCCESS)
        return false;
    if (created) *created = disposition == REG_CREATED_NEW_KEY;
    const LONG status = value.type
                            ? RegSetValueExA(k, name.c_str(), 0, value.type,
                                             reinterpret_cast<const BYTE*>(value.bytes.data()),
                                             static_cast<DWORD>(value.bytes.size()))
                            : RegDeleteValueA(k, name.c_str());
    RegCloseKey(k);
    return status == ERROR_SUCCESS || (!value.type && status == ERROR_FILE_NOT_FOUND);
}

}  // namespace

bool WriteValue(HKEY root, const std::string& key, const std::string& name,
                const StoredValue& value, REGSAM view) {
    return Write(root, key, name, value, view, nullptr);
}

bool ChangedValues::Set(const std::string& key, const std::string& name, const StoredValue& value) {
    old_.push_back({key, name, ReadValue(root_, key, name, view_)});
    bool created = false;
    const bool written = Write(root_, key, name, value, view_, &created);
    if (created) created_.push_back(key);
    return written;
}

ChangedValues::~ChangedValues() {
    for (auto old = old_.rbegin(); old != old_.rend(); ++old)
        WriteValue(root_, old->key, old->name, old->value, view_);
    for (auto key = created_.rbegin(); key != created_.rend(); ++key)
        RegDeleteKeyExA(root_, key->c_str(), view_, 0);
}

namespace {

struct WindowSearch {
    DWORD pid;
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if ((search->pid == 0 || pid == search->pid) && IsWindowVisible(window) &&
        (*search->match)(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (_stricmp(name, "Static") == 0 && GetDlgCtrlID(child) != 0xFFFF &&
        SendMessageA(child, STM_GETICON, 0, 0) != 0) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

// Text of a window of another process, through the wide message (the ANSI one can come back
// garbled across processes), in the system code page.
std::string WindowText(HWND window) {
    wchar_t wide[2048] = {};
    SendMessageW(window, WM_GETTEXT, sizeof wide / sizeof wide[0], reinterpret_cast<LPARAM>(wide));
    char text[4096] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

}  // namespace

HWND FindVisibleWindow(DWORD pid, const std::function<bool(HWND)>& match) {
    WindowSearch search = {pid, &match, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

MessageBoxSeen WaitForMessageBox(DWORD pid, DWORD timeout_ms) {
    MessageBoxSeen seen;
    const auto is_box = [](HWND window) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        return std::strcmp(name, "#32770") == 0 && GetDlgItem(window, 0xFFFF) != nullptr;
    };
    if (!WaitUntil([&] { return (seen.window = FindVisibleWindow(pid, is_box)) != nullptr; },
                   timeout_ms))
        return seen;
    seen.title = WindowText(seen.window);
    seen.text = WindowText(GetDlgItem(seen.window, 0xFFFF));
    EnumChildWindows(seen.window, FindIcon, reinterpret_cast<LPARAM>(&seen.has_icon));
    return seen;
}

bool DismissMessageBox(HWND box, DWORD timeout_ms) {
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(box); }, timeout_ms);
}

namespace {

const char* const kPageProgId = "Benchwright.TestPage";

}  // namespace

void SetClassesDefault(const std::string& key, const std::string& text) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(k);
}

HtmlAssociation::HtmlAssociation(const std::string& command) {
    char old[256] = {};
    LONG size = sizeof old;
    had_html_ = RegQueryValueA(HKEY_CLASSES_ROOT, ".html", old, &size) == ERROR_SUCCESS;
    old_html_ = old;
    SetClassesDefault(".html", kPageProgId);
    SetClassesDefault(std::string(kPageProgId) + "\\shell\\open\\command", command);
}

HtmlAssociation::~HtmlAssociation() {
    const std::string id = kPageProgId;
    for (const std::string& key :
         {id + "\\shell\\open\\command", id + "\\shell\\open", id + "\\shell", id})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    if (had_html_)
        SetClassesDefault(".html", old_html_);
    else
        RegDeleteKeyA(HKEY_CLASSES_ROOT, ".html");
}

}  // namespace test_support
