// The one seam between Benchwright and the operating system.
//
// Everything the program asks of Windows goes through these functions: files, starting the game
// and waiting for it, the shell, the registry, message boxes and the program's own folder. The
// logic (core, config, results, registry) includes this header and never <windows.h>.
//
// Two implementations exist, picked at link time: platform_win32.cpp (the program and the tests
// under Wine) and platform_standin.cpp (native tests; it keeps files and registry values in memory,
// records every request in order and can be told to fail, see platform_standin.h).
//
// Text is the system's single-byte code page throughout, as the game uses it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// ---------------------------------------------------------------------------------------------
// Files
//
// A function that can fail returns false and, when `error` is not null, sets it to one sentence
// that names the file and gives the system's reason, ready to show to the user, such as
//   Cannot write "C:\UT2003.ini": Access is denied.
// Nothing is retried and nothing is undone.

// File attribute bits, with the values Windows gives them.
enum Attribute : uint32_t {
    kReadOnly = 0x01,
    kHidden = 0x02,
    kSystem = 0x04,
    kArchive = 0x20,
    kNormal = 0x80,  // no other flag; only ever set alone
};

// Creates the file empty, or cuts an existing one to zero length. Attributes are not touched.
bool CreateEmptyFile(const std::string& path, std::string* error);

// Creates the file, or cuts an existing one to zero length, and writes exactly `contents`.
bool WriteWholeFile(const std::string& path, const std::string& contents, std::string* error);

// Adds `contents` at the end of the file, creating it when it does not exist.
bool AppendToFile(const std::string& path, const std::string& contents, std::string* error);

// Reads the whole file into `contents`.
bool ReadWholeFile(const std::string& path, std::string* contents, std::string* error);

// Copies `from` to `to`, replacing a file already at `to`.
bool CopyOver(const std::string& from, const std::string& to, std::string* error);

// Deletes the file. A file that is not there counts as removed (true).
bool RemoveFile(const std::string& path, std::string* error);

// Sets the attributes to exactly `attributes` (kNormal clears every flag).
bool SetAttributes(const std::string& path, uint32_t attributes, std::string* error);

// The file's attributes, or 0 when it cannot be found.
uint32_t GetAttributes(const std::string& path);

// True when the file can be opened for reading right now: it exists, is not a folder, may be read
// and is not held locked by another process. Never fails, creates and changes nothing.
bool CanOpenForReading(const std::string& path);

// Waits up to `timeout_ms` while another process holds the file open without letting us write
// (a spreadsheet showing it: a sharing or lock violation). True when it can be opened for
// writing now, or is not there; false when it stays locked or cannot be written for another
// reason (then at once).
bool WaitUntilWritable(const std::string& path, uint32_t timeout_ms);

// Renames (moves) the file `from` to `to` on the same drive; fails when `to` already exists.
bool RenameFile(const std::string& from, const std::string& to, std::string* error);

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// Creates the folder and every missing folder above it; an existing folder is fine. Only
// levels below the drive or share are asked for (see folder_levels.h): "\\server\share\a\b"
// may be made, "\\server\share" must be there.
bool CreateFolders(const std::string& path, std::string* error);

// Creates the one folder `path` in its existing parent, and fails when anything of that name is
// already there: then `exists` is set. Whoever creates a name first has it, so two programs (on
// one machine or on two, in a shared folder) never both take one name.
bool CreateNewFolder(const std::string& path, bool* exists, std::string* error);

// The names of the folders directly inside `folder`, sorted; empty when it cannot be read.
std::vector<std::string> ListSubfolders(const std::string& folder);

// The folder of the running program as the system reports it: C:\Tools\Bench, or C:\ for a
// drive root.
std::string ProgramFolder();

// Reads at most `limit` bytes from the start of the file into `contents` and gives its whole size
// in `size`, so that a file can be judged by its size and first bytes before it is read whole.
// Only a file on a disk is read: a device (CON, NUL, a pipe, a port) fails without a read.
bool ReadFileStart(const std::string& path, size_t limit, std::string* contents, uint64_t* size,
                   std::string* error);

// `path` as a full path from the current folder (GetFullPathName), short names of what exists
// made long; `path` itself when it cannot be resolved.
std::string FullPath(const std::string& path);

// True when `path` ends in a backslash character of the system code page. In a double-byte code
// page (932, ...) the last byte of a character such as "\x83\x5C" is 0x5C without being one.
bool EndsWithBackslash(const std::string& path);

// ---------------------------------------------------------------------------------------------
// Time

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The local wall-clock time now.
LocalTime Now();

// A millisecond count that only goes forward (it wraps after 49 days), for durations.
uint32_t Milliseconds();

// ---------------------------------------------------------------------------------------------
// Programs and the shell

// Why a program could not be started.
struct StartFailure {
    bool not_found = false;   // the program file (or its folder) does not exist
    uint32_t code = 0;        // the system's error number
    std::string description;  // the system's text for it, without a line end
};

// A signal another thread raises to end the game that runs now (a manual-reset event). Once
// raised it stays raised: every later RunAndWait given it ends its game at once.
using EndSignal = void*;
EndSignal CreateEndSignal();
void RaiseEndSignal(EndSignal signal);
void CloseEndSignal(EndSignal signal);

// How a game that was started came to an end.
struct GameEnd {
    enum class How { kExited, kEnded, kTimedOut };
    How how = How::kExited;
    uint32_t exit_code = 0;     // the process's exit code (what ending it set, when it was ended)
    uint32_t milliseconds = 0;  // from the start to the end of the process
    // The process's own processor time, kernel plus user, in 100-nanosecond units; nullopt when
    // the system could not say.
    std::optional<uint64_t> processor_time;
};

// Starts `command_line` (program path first, quoted where it has spaces) with its window shown
// minimised with focus, then waits until that process has ended. `end` (may be null) raised
// ends the process (kEnded); a process still running after `timeout_ms` (0: no limit) is ended
// too (kTimedOut); either way this returns only once the process is gone. Waits on the handle
// that starting the process returned and closes every handle. Returns false at once, with
// `failure` filled in, when the program cannot be started.
bool RunAndWait(const std::string& command_line, uint32_t timeout_ms, EndSignal end,
                GameEnd* game_end, StartFailure* failure);

// The version in a program's version resource (its fixed file info's file version), most
// significant part first: {2, 0, 2225, 1} for "2.0.2225.1". nullopt when the file has no version
// resource, or a damaged one, or cannot be read.
std::optional<std::array<uint16_t, 4>> ReadFileVersion(const std::string& path);

// Starts `command_line` shown normally and returns without waiting.
bool StartProgram(const std::string& command_line, StartFailure* failure);

// The game RunAndWait starts runs in a job that ends it when Benchwright ends, however it ends
// (where the system allows: one that cannot be put in the job runs without). A game another
// Benchwright left running is found by its program file:

// True when a process of the program file `program_path` (the full path, compared without regard
// to case) still runs after waiting up to `wait_ms` for every such process to end.
bool ProgramRunning(const std::string& program_path, uint32_t wait_ms);

// Ends every process of `program_path` and waits until they have gone; false when one runs on.
bool EndProgram(const std::string& program_path);

// Asks the shell to open `target` (a file or a web address) with its associated program, as the
// "Open" action, shown normally. `owned` makes the main window the owner; `work_folder` may be
// empty. The shell's answer is not examined.
void ShellOpen(const std::string& target, bool owned, const std::string& work_folder);

// The window that owns message boxes and shell requests (the main window); nullptr for none.
void SetOwnerWindow(void* window);

// ---------------------------------------------------------------------------------------------
// Registry (the game's keys are only read)

// A value as the registry stores it: its type (1 string, 2 expandable string, 4 32-bit number,
// ...) and its bytes, a string's terminating NUL included when it was stored with one.
struct RegistryData {
    uint32_t type = 0;
    std::string bytes;
};

enum class RegistryView {
    k32Bit,   // where a 32-bit installer writes on 64-bit Windows (the game's keys)
    kNative,  // the view of the running program
};

// Opens `key` under HKEY_LOCAL_MACHINE with read access only and reads `value` into `data`.
// Returns the registry's status: 0 on success, the system's error code otherwise (data untouched).
long QueryLocalMachineValue(const std::string& key, const std::string& value, RegistryView view,
                            RegistryData* data);

// Benchwright's own settings: values under HKEY_CURRENT_USER\Software\Benchwright, per user.

// Reads setting `value` into `data` as stored (any type). Returns 0 on success, the system's error
// code otherwise (data untouched); a missing key or value is not an error worth telling anyone.
long QueryUserSetting(const std::string& value, RegistryData* data);

// Stores `number` as setting `value` (REG_DWORD), creating the key when needed. False, with
// `error` naming the setting and the system's reason, when it cannot.
bool WriteUserSetting(const std::string& value, uint32_t number, std::string* error);

// Stores `text` as setting `value` (REG_SZ, with its NUL), the same way.
bool WriteUserSettingText(const std::string& value, const std::string& text, std::string* error);

// ---------------------------------------------------------------------------------------------
// The machine

// What a results file says about the machine that made it. A text that cannot be read is
// "unknown"; a number that cannot be read is 0.
struct SystemInfo {
    std::string computer_name;  // "BENCH-PC"
    std::string os;             // "Windows 10 Pro 22H2 (10.0.19045.3803)"
    std::string cpu;            // "AMD Athlon(tm) XP 2400+"
    unsigned cores = 0;         // logical processors
    uint64_t memory_mb = 0;     // installed memory the system can use, in MiB
    std::string gpu;            // the primary display adapter: "NVIDIA GeForce4 Ti 4600"
    std::string gpu_driver;     // its driver version: "6.14.10.4403"
};

// Reads it from the system with calls Windows XP has. Never fails.
SystemInfo ReadSystemInfo();

// Processor time, in 100-nanosecond units as Windows counts it, for telling how busy the machine
// was while the game ran; nullopt when the system could not say.

// How long the processors have been busy since the system started (kernel plus user less idle
// time), added up over every processor.
std::optional<uint64_t> SystemBusyTime();

// Benchwright's own processor time so far, kernel plus user, all its threads.
std::optional<uint64_t> OwnProcessorTime();

// ---------------------------------------------------------------------------------------------
// Message boxes

enum class MessageIcon { kNone, kCritical, kExclamation, kInformation };

// Shows `text` with a single OK button and waits until it is dismissed. An empty title shows the
// program's title, "Benchwright".
void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon);

}  // namespace platform
