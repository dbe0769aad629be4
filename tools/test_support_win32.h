// Helpers shared by the tests that run under Wine: fake game installations with the stand-in
// game, its journal and control file, the game's registry values, and message boxes seen from
// the test.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

// The one way tests and tools wait for something: polls `done` every `interval_ms` until it is
// true or `timeout_ms` has passed, and returns its last answer. Never a fixed sleep in its place.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms, DWORD interval_ms = 20);

inline constexpr const char* kInstall = "T:\\UT2003";
inline constexpr const char* kSpacedInstall = "T:\\Program Files\\UT2003";

// The game's registry keys under HKEY_LOCAL_MACHINE (32-bit view) and their value name.
inline constexpr const char* kFullKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003";
inline constexpr const char* kDemoKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003Demo";
inline constexpr const char* kFolderValue = "Folder";

// The contents the fake installation gives its three Benchmark\Stuff files.
inline constexpr const char* kFlybyExecText = "flyby exec script\r\n";
inline constexpr const char* kMinDetailUserText = "[MinDetailUser]\r\n";
inline constexpr const char* kMaxDetailUserText = "[MaxDetailUser]\r\n";

// The folder of the running test exe, without a trailing backslash.
std::string TestExeFolder();

// Removes `folder` and everything in it (read-only files included); true when it is gone.
bool RemoveTree(const std::string& folder);

// Creates every missing folder of `folder`.
bool MakeFolders(const std::string& folder);

// A fresh fake installation at `install` (an old one is removed first): System\ut2003.exe (a
// copy of standin_game.exe from beside the test exe), Benchmark\Stuff\flybyexec.txt,
// MinDetailUser.ini, MaxDetailUser.ini and an otherwise empty Benchmark folder. Also removes
// the drive root's staged UT2003.ini and flybyexec.txt and their user backups. Returns false (and
// says why in `error`).
bool MakeFakeInstall(const std::string& install, std::string* error);

// Removes both fake installation folders (kInstall, and "T:\Program Files" with kSpacedInstall)
// and the drive root's staged UT2003.ini and flybyexec.txt (and backups), so the next test starts
// on a clean drive. Call it when a test that made an installation ends.
void RemoveFakeInstalls();

// Whole file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& contents);

// Paths inside a fake installation.
std::string LogPath(const std::string& install);      // Benchmark\lowframerate.log
std::string JournalPath(const std::string& install);  // Benchmark\standin_journal.txt
std::string ControlPath(const std::string& install);  // System\standin_control.txt
std::string GamePath(const std::string& install);     // System\ut2003.exe

// Writes the stand-in's control file ("sleep 500\nnorecord 2", ...); empty text removes it.
bool WriteControl(const std::string& install, const std::string& text);

// The stand-in's journal, line by line without line ends.
std::vector<std::string> JournalLines(const std::string& install);

// One run of the stand-in as its journal tells it.
struct StandinRun {
    int number = 0;
    unsigned long start_tick = 0, end_tick = 0;
    std::string command_line;
    std::string outcome;          // "end", "error", "crash", or "" while the run had no last line
    std::string detail;           // the rest of the last line ("exit=2 malformed: ...")
    uint32_t ini_attributes = 0;  // from an "end" line
    uint32_t ini_sum = 0;         // checksum of the ini file's contents, from an "end" line
    bool record = false;          // the run appended a record
};
std::vector<StandinRun> StandinRuns(const std::string& install);

// Starts `command_line` and waits up to `timeout_ms`; returns the exit code, or -1 when it could
// not be started or did not end in time (then it is killed).
long RunProcess(const std::string& command_line, DWORD timeout_ms = 30000);

// The game's "Folder" value in the 32-bit view, as an installer writes it.
enum class RegistryKind {
    kString,        // REG_SZ with its NUL
    kStringNoNul,   // REG_SZ stored without a NUL
    kExpandString,  // REG_EXPAND_SZ with its NUL
    kNulOnly,       // REG_SZ of a single NUL
    kDword,         // REG_DWORD; `text` is ignored, `number` stored
};
bool SetGameFolder(const char* key, RegistryKind kind, const std::string& text,
                   uint32_t number = 0);
// Removes the key with its values; a missing key is fine.
bool DeleteGameKey(const char* key);

// A registry value as stored: its type (0 when there is none) and its bytes.
struct StoredValue {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};
StoredValue TextValue(const std::string& text);  // REG_SZ with its NUL
StoredValue NumberValue(DWORD number);           // REG_DWORD
// `view` is 0 or KEY_WOW64_32KEY / KEY_WOW64_64KEY.
StoredValue ReadValue(HKEY root, const std::string& key, const std::string& name, REGSAM view = 0);
// Stores the value, creating the key; a value of type 0 is removed. True when it is so.
bool WriteValue(HKEY root, const std::string& key, const std::string& name,
                const StoredValue& value, REGSAM view = 0);

// Registry values changed for one test: each goes back to what it was, and each key it
// created goes, when this goes.
class ChangedValues {
public:
    explicit ChangedValues(HKEY root, REGSAM view = 0) : root_(root), view_(view) {}
    ~ChangedValues();
    bool Set(const std::string& key, const std::string& name, const StoredValue& value);

private:
    struct Old {
        std::string key, name;
        StoredValue value;
    };
    HKEY root_;
    REGSAM view_;
    std::vector<Old> old_;
    std::vector<std::string> created_;
};

// A message box ("#32770" window) of process `pid` as a test sees it.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::string title;
    std::string text;  // the static control 0xFFFF
    bool has_icon = false;
};
// Sets the default value of HKEY_CLASSES_ROOT\`key` (an association), creating the key.
void SetClassesDefault(const std::string& key, const std::string& text);

// The first visible top-level window of process `pid` (0: any process) that `match` accepts.
HWND FindVisibleWindow(DWORD pid, const std::function<bool(HWND)>& match);

// Waits up to `timeout_ms` for a visible message box of process `pid`; window is null when none.
MessageBoxSeen WaitForMessageBox(DWORD pid, DWORD timeout_ms = 10000);
// Presses its OK button and waits up to `timeout_ms` for it to close; true when it did.
bool DismissMessageBox(HWND box, DWORD timeout_ms = 10000);

// Runs `call` while another thread presses OK on every message box this process shows; returns
// what the boxes said, in order.
template <typename Call>
std::vector<MessageBoxSeen> CatchMessageBoxes(Call call) {
    std::atomic<bool> stop{false};
    std::vector<MessageBoxSeen> boxes;
    std::thread watcher([&] {
        while (!stop) {
            const MessageBoxSeen box = WaitForMessageBox(GetCurrentProcessId(), 50);
            if (box.window && DismissMessageBox(box.window)) boxes.push_back(box);
        }
    });
    call();
    stop = true;
    watcher.join();
    return boxes;
}

// While it lives, the shell "opens" .html pages by running `command` (with %1 the page); the old
// association comes back when it goes.
class HtmlAssociation {
public:
    explicit HtmlAssociation(const std::string& command);
    ~HtmlAssociation();

private:
    bool had_html_ = false;
    std::string old_html_;
};

}  // namespace test_support
