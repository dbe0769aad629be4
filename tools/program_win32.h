// Benchwright started from a test as a user would start it, with fake game installations and
// the shell's page opening captured: what the GUI tests under Wine drive.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gui_support_win32.h"
#include "test_support_win32.h"
#include "ui/resource.h"

namespace test_program {

namespace ts = test_support;

inline constexpr DWORD kWait = 20000;
inline constexpr DWORD kRunWait = 120000;
inline constexpr const char* kDemoInstall = "T:\\UT2003Demo";
// The resolution boxes: kRes + 0 (640x480) to + 4.
inline constexpr int kRes = IDC_RESOLUTION_FIRST;

inline bool Until(const std::function<bool()>& done, DWORD timeout_ms = kWait) {
    return ts::WaitUntil(done, timeout_ms);
}
inline bool Tick(HWND control) { return gui::ClickUntilChecked(control, true, kWait); }
inline bool Untick(HWND control) { return gui::ClickUntilChecked(control, false, kWait); }
// Waits until `window` has gone.
inline bool Closed(HWND window) {
    return Until([&] { return !IsWindow(window); });
}
inline bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Where a test leaves its picture of a window.
inline std::string Screenshot(const char* name) {
    const std::string folder = ts::TestExeFolder() + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name + ".bmp";
}

// Where the capturing program registered for .html puts what the shell opened.
inline std::string OpenedFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "bw_opened";
}
// Quoted pieces built by appending: GCC 12 warns (falsely) about "x" + std::string.
inline std::string Quoted(const std::string& path) {
    std::string quoted = "\"";
    quoted += path;
    quoted += '"';
    return quoted;
}
inline std::string CaptureCommand() {
    return Quoted(ts::TestExeFolder() + "\\open_capture.exe") + " \"%1\"";
}

// The x86_64 build beside the tests, and the i686 release exe that users get (its own preset's
// folder; under Wine it runs through WoW64 and sees the 32-bit registry view natively).
inline std::string TestBuildExe() { return ts::TestExeFolder() + "\\benchwright.exe"; }
inline std::string ReleaseExe() {
    const std::string relative = ts::TestExeFolder() + "\\..\\windows-x86\\benchwright.exe";
    char full[MAX_PATH] = "";
    return GetFullPathNameA(relative.c_str(), sizeof full, full, nullptr) ? full : relative;
}

// Why the release exe cannot be tried here, or "" when it can.
inline std::string ReleaseExeUnusable() {
    if (GetFileAttributesA(ReleaseExe().c_str()) == INVALID_FILE_ATTRIBUTES)
        return ReleaseExe() + " is not built (cmake --build --preset windows-x86)";
    // Wine's own 32-bit cmd.exe runs only when wine32 is installed beside wine64.
    char wow64[MAX_PATH] = "";
    GetSystemWow64DirectoryA(wow64, sizeof wow64);
    if (ts::RunProcess(Quoted(std::string(wow64) + "\\cmd.exe") + " /c exit 7", kWait) != 7)
        return "32-bit programs do not run under this Wine: wine32 is not installed";
    return "";
}

inline std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

enum Editions { kNone = 0, kFull = 1, kDemo = 2, kBoth = 3 };

// One run of the program (the test build unless told otherwise) with the editions installed,
// pages opened by the capturing program, ended when the test ends.
class Program {
public:
    explicit Program(Editions editions, const std::string& exe = TestBuildExe())
        : html_(CaptureCommand()), exe_(exe) {
        std::string error;
        ts::DeleteGameKey(ts::kFullKey);
        ts::DeleteGameKey(ts::kDemoKey);
        for (auto [edition, key, install] : {std::tuple{kFull, ts::kFullKey, ts::kInstall},
                                             std::tuple{kDemo, ts::kDemoKey, kDemoInstall}}) {
            if (!(editions & edition)) continue;
            EXPECT_TRUE(ts::MakeFakeInstall(install, &error)) << error;
            ts::SetGameFolder(key, ts::RegistryKind::kString, install);
            ts::WriteFile(ts::LogPath(install), "old record\r\n");  // for the start-up reset
        }
        ts::RemoveTree(OpenedFolder());
        DeleteFileA(Page().c_str());
        std::string command = Quoted(exe_);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process_));
    }
    ~Program() {
        if (!Ended(0)) {
            TerminateProcess(process_.hProcess, 0);
            Ended(kWait);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }

    // The command line that starts Benchwright.
    std::string Command() const { return Quoted(exe_); }

    DWORD pid() const { return process_.dwProcessId; }
    HANDLE handle() const { return process_.hProcess; }
    bool Ended(DWORD timeout_ms) const {
        return WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0;
    }
    std::string Page() const { return FolderOf(exe_) + "\\results.html"; }

    HWND Window(const char* caption) {
        return gui::WaitForTopWindow(pid(), "#32770", caption, kWait);
    }
    HWND Main() { return main_ ? main_ : (main_ = Window("Benchwright")); }
    HWND Item(int id) { return GetDlgItem(Main(), id); }
    bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) { return gui::Checked(Item(id)); }
    bool PresetsEnabled(bool enabled) {
        for (int id : {IDC_CPU_BENCHMARK, IDC_HIGH_QUALITY, IDC_LOW_QUALITY, IDC_CUSTOM_TEST}) {
            if (Enabled(id) != enabled) return false;
        }
        return true;
    }
    void Press(int id) { gui::Click(Item(id)); }
    void Menu(int id) { PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    HWND Custom() {
        Press(IDC_CUSTOM_TEST);
        return Window("Custom Options");
    }
    HWND About() {
        Menu(IDM_ABOUT);
        return Window("About Benchwright");
    }

    // The next message box; pressed away unless `keep`.
    ts::MessageBoxSeen Box(bool keep = false) {
        ts::MessageBoxSeen box = ts::WaitForMessageBox(pid(), kWait);
        EXPECT_TRUE(box.window);
        if (box.window && !keep) {
            EXPECT_TRUE(ts::DismissMessageBox(box.window));
        }
        return box;
    }

    // Presses `button` (IDYES, IDNO) of a question and waits until it has closed.
    bool Answer(HWND box, int button) {
        PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return Until([&] { return !IsWindow(box); });
    }

    // What the shell was asked to open, in order, and the copy of the nth page (from 1).
    std::vector<std::string> Opened() {
        return gui::ReadSharedLines(OpenedFolder() + "\\opened.txt");
    }
    std::string OpenedPage(int n) {
        return gui::ReadShared(OpenedFolder() + "\\" + std::to_string(n) + ".html");
    }

private:
    ts::HtmlAssociation html_;
    std::string exe_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;
};

// A suite of GUI tests (named ...Gui, which ctest runs as one test) sharing one start of the
// program: the first test starts it, and a test after one that failed or ended it starts it
// anew. Each test begins with no stand-in journal and nothing opened, and leaves the windows as
// it found them, so that it can also run alone.
class ProgramSuite : public ::testing::Test {
protected:
    explicit ProgramSuite(Editions editions, bool release = false)
        : editions_(editions), release_(release) {}

    void SetUp() override {
        if (release_) {
            static const std::string why = ReleaseExeUnusable();
            if (!why.empty()) GTEST_SKIP() << why;
        }
        if (!started_ || started_->Ended(0)) {
            started_.reset();
            started_ =
                std::make_unique<Program>(editions_, release_ ? ReleaseExe() : TestBuildExe());
        }
        program = started_.get();
        for (const char* install : {ts::kInstall, kDemoInstall})
            DeleteFileA(ts::JournalPath(install).c_str());
        ts::RemoveTree(OpenedFolder());
        ASSERT_TRUE(program->Main());
    }
    void TearDown() override {
        if (HasFailure()) started_.reset();
    }
    static void TearDownTestSuite() {
        started_.reset();
        ts::DeleteGameKey(ts::kFullKey);
        ts::DeleteGameKey(ts::kDemoKey);
        ts::RemoveFakeInstalls();
        ts::RemoveTree(kDemoInstall);
    }

    Program* program = nullptr;

private:
    Editions editions_;
    bool release_;
    static inline std::unique_ptr<Program> started_;
};

}  // namespace test_program
