// The Win32 implementation of the platform seam: the -A APIs, nothing else in between.
#include <windows.h>
// after windows.h, which they need
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/text.h"
#include "platform/folder_levels.h"
#include "platform/platform.h"

namespace platform {
namespace {

HWND g_owner = nullptr;

std::string SystemText(DWORD code) {
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n && buffer ? std::string(buffer, n) : "Error " + std::to_string(code) + ".";
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

bool Fail(std::string* error, const std::string& verb, const std::string& path,
          DWORD code = GetLastError()) {
    if (error) *error = "Cannot " + verb + " \"" + path + "\": " + SystemText(code);
    return false;
}

// Closes a handle when it goes out of scope.
struct Handle {
    HANDLE h;
    explicit Handle(HANDLE handle) : h(handle) {}
    ~Handle() {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Ok() const { return h && h != INVALID_HANDLE_VALUE; }
};

// Opens for writing without replacing the file itself, so its attributes survive (a hidden or
// system file cannot be opened with CREATE_ALWAYS).
HANDLE OpenForWriting(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAll(HANDLE h, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - done, 1 << 20));
        if (!WriteFile(h, contents.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool Truncate(HANDLE h) {
    return SetFilePointer(h, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER && SetEndOfFile(h);
}

// The job every game runs in. It is never closed: when Benchwright ends, however it ends, the
// system closes it and ends the game with it. Null when the system cannot make one. Made on first
// use without a guarded static (whose guard would bring the exception runtime into the exe).
HANDLE GameJob() {
    static HANDLE job = nullptr;
    if (HANDLE made = job) return made;
    HANDLE j = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (j &&
        !SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(j);
        return nullptr;
    }
    if (j && InterlockedCompareExchangePointer(&job, j, nullptr) != nullptr) CloseHandle(j);
    return job;
}

// Starts the process; `job` (may be null) takes it before it runs. A process the job cannot
// take (Benchwright itself runs in a job that forbids it, before Windows 8) runs without.
bool Start(const std::string& command_line, WORD show, HANDLE job, PROCESS_INFORMATION* pi,
           StartFailure* failure) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = show;
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, job ? CREATE_SUSPENDED : 0,
                       nullptr, nullptr, &si, pi)) {
        if (job) {
            AssignProcessToJobObject(job, pi->hProcess);
            ResumeThread(pi->hThread);
        }
        return true;
    }
    const DWORD code = GetLastError();
    if (failure) {
        failure->code = code;
        failure->not_found = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
        failure->description = SystemText(code);
    }
    return false;
}

// The offsets of the backslash characters of `path`, walked with CharNextA, so the trail byte of
// a double-byte character is never taken for one.
std::vector<size_t> Backslashes(const std::string& path) {
    std::vector<size_t> offsets;
    for (const char* at = path.c_str(); *at; at = CharNextA(at))
        if (*at == '\\') offsets.push_back(static_cast<size_t>(at - path.c_str()));
    return offsets;
}

// A FILETIME's count of 100-nanosecond units.
uint64_t Hundreds(const FILETIME& t) {
    return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
}

// A process's kernel plus user time; it can still be read once the process has ended.
// Wine (8.0): another process's times read as 0, so there the game's own share is not taken off.
std::optional<uint64_t> ProcessorTime(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return std::nullopt;
    return Hundreds(kernel) + Hundreds(user);
}

}  // namespace

bool CreateEmptyFile(const std::string& path, std::string* error) {
    Handle f(OpenForWriting(path, GENERIC_WRITE));
    if (!f.Ok()) return Fail(error, "create", path);
    if (!Truncate(f.h)) return Fail(error, "empty", path);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& contents, std::string* error) {
    Handle f(OpenForWriting(path, GENERIC_WRITE));
    if (!f.Ok()) return Fail(error, "write", path);
    if (!Truncate(f.h) || !WriteAll(f.h, contents)) return Fail(error, "write", path);
    return true;
}

bool AppendToFile(const std::string& path, const std::string& contents, std::string* error) {
    Handle f(OpenForWriting(path, GENERIC_WRITE));
    if (!f.Ok()) return Fail(error, "append to", path);
    if (SetFilePointer(f.h, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER ||
        !WriteAll(f.h, contents))
        return Fail(error, "append to", path);
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* contents, std::string* error) {
    Handle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!f.Ok()) return Fail(error, "read", path);
    contents->clear();
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(f.h, buffer, sizeof buffer, &got, nullptr)) return Fail(error, "read", path);
        if (got == 0) return true;
        contents->append(buffer, got);
    }
}

bool ReadFileStart(const std::string& path, size_t limit, std::string* contents, uint64_t* size,
                   std::string* error) {
    Handle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!f.Ok()) return Fail(error, "read", path);
    // A console, a pipe or a port may never answer, or never end.
    if (GetFileType(f.h) != FILE_TYPE_DISK) {
        if (error) *error = "Cannot read \"" + path + "\": it is a device, not a file.";
        return false;
    }
    LARGE_INTEGER whole;
    if (!GetFileSizeEx(f.h, &whole)) return Fail(error, "read", path);
    *size = static_cast<uint64_t>(whole.QuadPart);
    contents->assign(static_cast<size_t>(std::min<uint64_t>(limit, *size)), '\0');
    size_t done = 0;
    while (done < contents->size()) {
        DWORD got = 0;
        if (!ReadFile(f.h, contents->data() + done, static_cast<DWORD>(contents->size() - done),
                      &got, nullptr))
            return Fail(error, "read", path);
        if (got == 0) break;  // shorter now than it was a moment ago
        done += got;
    }
    contents->resize(done);
    return true;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return path;
    char long_name[MAX_PATH];
    const DWORD m = GetLongPathNameA(full, long_name, sizeof long_name);
    return m > 0 && m < sizeof long_name ? std::string(long_name, m) : std::string(full, n);
}

bool CopyOver(const std::string& from, const std::string& to, std::string* error) {
    if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return true;
    const DWORD code = GetLastError();
    if (GetFileAttributesA(from.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Fail(error, "copy", from, code);
    return Fail(error, "copy to", to, code);
}

bool RemoveFile(const std::string& path, std::string* error) {
    if (DeleteFileA(path.c_str())) return true;
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return true;
    return Fail(error, "delete", path, code);
}

bool SetAttributes(const std::string& path, uint32_t attributes, std::string* error) {
    if (SetFileAttributesA(path.c_str(), attributes)) return true;
    return Fail(error, "change the attributes of", path);
}

uint32_t GetAttributes(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a == INVALID_FILE_ATTRIBUTES ? 0 : a;
}

bool CanOpenForReading(const std::string& path) {
    if (path.empty()) return false;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

bool WaitUntilWritable(const std::string& path, uint32_t timeout_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Handle f(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (f.Ok()) return true;
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return true;
        if (code != ERROR_SHARING_VIOLATION && code != ERROR_LOCK_VIOLATION) return false;
        if (GetTickCount() - start >= timeout_ms) return false;
        Sleep(100);
    }
}

bool RenameFile(const std::string& from, const std::string& to, std::string* error) {
    if (MoveFileA(from.c_str(), to.c_str())) return true;
    return Fail(error, "rename", from);
}

bool FolderExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolders(const std::string& path, std::string* error) {
    if (path.empty()) return Fail(error, "create the folder", path, ERROR_PATH_NOT_FOUND);
    if (FolderExists(path)) return true;
    const DWORD why_missing = GetLastError();  // a share that is gone: "network path not found"
    // Each level from the top, below the drive or share: C:\a, C:\a\b, ...; \\server\share\a, ...
    // Wine: CreateDirectory("\\server") answers "already exists", where Windows fails.
    const std::vector<std::string> levels = FolderLevels(path, Backslashes(path));
    if (levels.empty())
        return Fail(error, "create the folder", path,
                    why_missing ? why_missing : ERROR_PATH_NOT_FOUND);
    for (const std::string& level : levels) {
        if (!FolderExists(level) && !CreateDirectoryA(level.c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return Fail(error, "create the folder", level);
    }
    return true;
}

bool CreateNewFolder(const std::string& path, bool* exists, std::string* error) {
    *exists = false;
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    const DWORD code = GetLastError();
    *exists = code == ERROR_ALREADY_EXISTS;
    return Fail(error, "create the folder", path, code);
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

LocalTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

uint32_t Milliseconds() { return GetTickCount(); }
namespace {

// Where the last backslash character of `path` starts, or npos. Walks whole characters of the
// system code page, so a double-byte character's trail byte 0x5C is never taken for one.
size_t LastBackslash(const std::string& path) {
    size_t found = std::string::npos;
    for (const char* at = path.c_str(); *at; at = CharNextA(at)) {
        if (*at == '\\') found = static_cast<size_t>(at - path.c_str());
    }
    return found;
}

}  // namespace

std::string ProgramFolder() {
    char buffer[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    std::string path(buffer, n < sizeof buffer ? n : 0);
    const auto slash = LastBackslash(path);
    if (slash == std::string::npos) return path;
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);  // a drive root keeps its backslash
    return path.substr(0, slash);
}

bool EndsWithBackslash(const std::string& path) {
    return !path.empty() && LastBackslash(path) == path.size() - 1;
}

EndSignal CreateEndSignal() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

void RaiseEndSignal(EndSignal signal) {
    if (signal) SetEvent(static_cast<HANDLE>(signal));
}

void CloseEndSignal(EndSignal signal) {
    if (signal) CloseHandle(static_cast<HANDLE>(signal));
}

bool RunAndWait(const std::string& command_line, uint32_t timeout_ms, EndSignal end,
                GameEnd* game_end, StartFailure* failure) {
    PROCESS_INFORMATION pi = {};
    const DWORD started = GetTickCount();
    if (!Start(command_line, SW_SHOWMINIMIZED, GameJob(), &pi, failure)) return false;
    Handle process(pi.hProcess), thread(pi.hThread);
    // The handle from starting the process: an identifier could name another process by now.
    HANDLE waits[2] = {process.h, static_cast<HANDLE>(end)};
    const DWORD n = end ? 2 : 1;
    const DWORD woke = WaitForMultipleObjects(n, waits, FALSE, timeout_ms ? timeout_ms : INFINITE);
    GameEnd result;
    if (woke != WAIT_OBJECT_0) {
        result.how = woke == WAIT_TIMEOUT ? GameEnd::How::kTimedOut : GameEnd::How::kEnded;
        TerminateProcess(process.h, 1);
        WaitForSingleObject(process.h, INFINITE);
    }
    DWORD code = 0;
    if (GetExitCodeProcess(process.h, &code)) result.exit_code = code;
    result.milliseconds = GetTickCount() - started;
    result.processor_time = ProcessorTime(process.h);
    if (game_end) *game_end = result;
    return true;
}

std::optional<std::array<uint16_t, 4>> ReadFileVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof *fixed || fixed->dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    return std::array<uint16_t, 4>{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                   HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

bool StartProgram(const std::string& command_line, StartFailure* failure) {
    PROCESS_INFORMATION pi = {};
    if (!Start(command_line, SW_SHOWNORMAL, nullptr, &pi, failure)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

namespace {

// The processes, other than this one, whose program file is `path`. The process list names only
// the file (so on Windows XP); its path is that of the process's first module. A process whose
// modules cannot be read (another user's) is not seen.
std::vector<DWORD> ProcessesOf(const std::string& path) {
    std::vector<DWORD> ids;
    const size_t slash = LastBackslash(path);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    Handle processes(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!processes.Ok()) return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(processes.h, &entry); more;
         more = Process32Next(processes.h, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId() ||
            lstrcmpiA(entry.szExeFile, name.c_str()))
            continue;
        Handle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, entry.th32ProcessID));
        MODULEENTRY32 module = {};
        module.dwSize = sizeof module;
        if (modules.Ok() && Module32First(modules.h, &module) &&
            lstrcmpiA(module.szExePath, path.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

}  // namespace

bool ProgramRunning(const std::string& program_path, uint32_t wait_ms) {
    const DWORD start = GetTickCount();
    while (!ProcessesOf(program_path).empty()) {
        if (GetTickCount() - start >= wait_ms) return true;
        Sleep(100);
    }
    return false;
}

bool EndProgram(const std::string& program_path) {
    for (DWORD id : ProcessesOf(program_path)) {
        Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (process.Ok() && TerminateProcess(process.h, 1)) WaitForSingleObject(process.h, 10000);
    }
    return !ProgramRunning(program_path, 0);
}

void ShellOpen(const std::string& target, bool owned, const std::string& work_folder) {
    ShellExecuteA(owned ? g_owner : nullptr, "Open", target.c_str(), nullptr,
                  work_folder.empty() ? nullptr : work_folder.c_str(), SW_SHOWNORMAL);
}

void SetOwnerWindow(void* window) { g_owner = static_cast<HWND>(window); }

namespace {

// Opens `key` under `root` with `access` and reads `value` into `data`: the registry's status.
long QueryValue(HKEY root, const std::string& key, REGSAM access, const std::string& value,
                RegistryData* data) {
    HKEY k = nullptr;
    LONG status = RegOpenKeyExA(root, key.c_str(), 0, access, &k);
    if (status != ERROR_SUCCESS) return status;
    DWORD type = 0, size = 0;
    status = RegQueryValueExA(k, value.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        status = RegQueryValueExA(k, value.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_SUCCESS) {
            bytes.resize(size);
            data->type = type;
            data->bytes = bytes;
        }
    }
    RegCloseKey(k);
    return status;
}

}  // namespace

long QueryLocalMachineValue(const std::string& key, const std::string& value, RegistryView view,
                            RegistryData* data) {
    const REGSAM access = KEY_READ | (view == RegistryView::k32Bit ? KEY_WOW64_32KEY : 0);
    return QueryValue(HKEY_LOCAL_MACHINE, key, access, value, data);
}

namespace {
constexpr const char* kSettingsKey = "Software\\Benchwright";
}  // namespace

long QueryUserSetting(const std::string& value, RegistryData* data) {
    return QueryValue(HKEY_CURRENT_USER, kSettingsKey, KEY_QUERY_VALUE, value, data);
}

namespace {

bool WriteSetting(const std::string& value, DWORD type, const void* bytes, DWORD size,
                  std::string* error) {
    const std::string name = std::string("HKEY_CURRENT_USER\\") + kSettingsKey + "\\" + value;
    HKEY k = nullptr;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &k, nullptr);
    if (status != ERROR_SUCCESS) return Fail(error, "save", name, status);
    status = RegSetValueExA(k, value.c_str(), 0, type, static_cast<const BYTE*>(bytes), size);
    RegCloseKey(k);
    return status == ERROR_SUCCESS || Fail(error, "save", name, status);
}

}  // namespace

bool WriteUserSetting(const std::string& value, uint32_t number, std::string* error) {
    const DWORD dword = number;
    return WriteSetting(value, REG_DWORD, &dword, sizeof dword, error);
}

bool WriteUserSettingText(const std::string& value, const std::string& text, std::string* error) {
    return WriteSetting(value, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1), error);
}

namespace {

// A string value of HKLM\`key` in the program's own view, without its NULs; "" when missing.
std::string MachineString(const std::string& key, const char* value) {
    RegistryData data;
    if (QueryLocalMachineValue(key, value, RegistryView::kNative, &data) != ERROR_SUCCESS ||
        (data.type != REG_SZ && data.type != REG_EXPAND_SZ)) {
        return "";
    }
    // Intel pads its processor names with spaces on the left.
    return common::Trimmed(data.bytes.substr(0, data.bytes.find('\0')));
}

// A 32-bit number value; false when missing or of another type.
bool MachineNumber(const std::string& key, const char* value, DWORD* number) {
    RegistryData data;
    if (QueryLocalMachineValue(key, value, RegistryView::kNative, &data) != ERROR_SUCCESS ||
        data.type != REG_DWORD || data.bytes.size() != sizeof(DWORD)) {
        return false;
    }
    memcpy(number, data.bytes.data(), sizeof(DWORD));
    return true;
}

std::string OrUnknown(const std::string& text) { return text.empty() ? "unknown" : text; }

// The version as CurrentVersion states it: GetVersionEx answers what the program's manifest
// allows it to know, not what is installed.
std::string OsDescription() {
    const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    std::string product = MachineString(key, "ProductName");
    if (product.empty()) return "unknown";
    // Windows 10 and later keep "6.3" in CurrentVersion for old programs; the numbers are true.
    std::string version = MachineString(key, "CurrentVersion");
    DWORD major = 0, minor = 0;
    if (MachineNumber(key, "CurrentMajorVersionNumber", &major) &&
        MachineNumber(key, "CurrentMinorVersionNumber", &minor)) {
        version = std::to_string(major) + "." + std::to_string(minor);
    }
    const std::string build = MachineString(key, "CurrentBuild");
    // Windows 11 still names itself "Windows 10" here; its builds start at 22000.
    if (product.rfind("Windows 10", 0) == 0 && atoi(build.c_str()) >= 22000) product[9] = '1';
    std::string text = product;
    std::string edition = MachineString(key, "DisplayVersion");
    if (edition.empty()) edition = MachineString(key, "CSDVersion");  // "Service Pack 3"
    if (!edition.empty()) text += " " + edition;
    // "10.0.19045.3803": version, build and update revision, as far as they are known.
    std::vector<std::string> parts;
    if (!version.empty()) parts.push_back(version);
    DWORD ubr = 0;
    if (!build.empty()) {
        parts.push_back(build);
        if (MachineNumber(key, "UBR", &ubr)) parts.push_back(std::to_string(ubr));
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        text += i == 0 ? " (" : ".";
        text += parts[i];
    }
    if (!parts.empty()) text += ")";
    return text;
}

// The driver version of the adapter whose registry key is `device_key` ("\Registry\Machine\...").
// Vista and later copy DriverVersion into that key; on XP it lives in the display class key of
// the same adapter, found by its description.
std::string DriverVersion(const std::string& device_key, const std::string& adapter) {
    const std::string prefix = "\\registry\\machine\\";
    if (device_key.size() > prefix.size() &&
        lstrcmpiA(device_key.substr(0, prefix.size()).c_str(), prefix.c_str()) == 0) {
        const std::string version =
            MachineString(device_key.substr(prefix.size()), "DriverVersion");
        if (!version.empty()) return version;
    }
    const std::string display_class =
        "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\";
    for (int i = 0; i < 16; ++i) {
        char number[8];
        wsprintfA(number, "%04d", i);
        if (MachineString(display_class + number, "DriverDesc") == adapter) {
            const std::string version = MachineString(display_class + number, "DriverVersion");
            if (!version.empty()) return version;
        }
    }
    return "";
}

}  // namespace

SystemInfo ReadSystemInfo() {
    SystemInfo info;
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    info.computer_name = OrUnknown(GetComputerNameA(name, &size) ? name : "");
    info.os = OsDescription();
    info.cpu = OrUnknown(
        MachineString("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString"));
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    info.cores = system.dwNumberOfProcessors;
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    if (GlobalMemoryStatusEx(&memory)) info.memory_mb = memory.ullTotalPhys / (1024 * 1024);

    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    for (DWORD i = 0; EnumDisplayDevicesA(nullptr, i, &device, 0); ++i) {
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
            info.gpu = device.DeviceString;
            info.gpu_driver = DriverVersion(device.DeviceKey, info.gpu);
            break;
        }
        device.cb = sizeof device;
    }
    info.gpu = OrUnknown(info.gpu);
    info.gpu_driver = OrUnknown(info.gpu_driver);
    return info;
}

std::optional<uint64_t> SystemBusyTime() {
    // Kernel time includes the idle time.
    FILETIME idle, kernel, user;
    if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
    return Hundreds(kernel) + Hundreds(user) - Hundreds(idle);
}

std::optional<uint64_t> OwnProcessorTime() { return ProcessorTime(GetCurrentProcess()); }

void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    UINT flags = MB_OK;
    switch (icon) {
        case MessageIcon::kCritical:
            flags |= MB_ICONHAND;
            break;
        case MessageIcon::kExclamation:
            flags |= MB_ICONEXCLAMATION;
            break;
        case MessageIcon::kInformation:
            flags |= MB_ICONINFORMATION;
            break;
        case MessageIcon::kNone:
            break;
    }
    MessageBoxA(g_owner, text.c_str(), title.empty() ? "Benchwright" : title.c_str(), flags);
}

}  // namespace platform
