// The three windows driven from this second process, as a user would, under Wine: start-up states,
// options, presets with the stand-in game, the custom test window, the about window, closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui_support_win32.h"
#include "test_support_win32.h"
#include "ui/resource.h"

namespace {

namespace ts = test_support;

constexpr DWORD kWait = 20000;
constexpr const char* kDemoInstall = "T:\\UT2003Demo";

std::string Screenshots() {
    const std::string folder = ts::TestExeFolder() + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Where the capturing program registered for .html puts what the shell opened.
std::string OpenedFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "bw_opened";
}

void SetDefaultValue(const std::string& key, const std::string& value) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
}

// The game editions to install before the program starts.
enum Editions { kNone = 0, kFull = 1, kDemo = 2, kBoth = 3 };

// One run of benchwright.exe with its installations, ended when the test ends.
class Program {
public:
    explicit Program(Editions editions) {
        std::string error;
        ts::DeleteGameKey(ts::kFullKey);
        ts::DeleteGameKey(ts::kDemoKey);
        if (editions & kFull) {
            EXPECT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
            ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, ts::kInstall);
        }
        if (editions & kDemo) {
            EXPECT_TRUE(ts::MakeFakeInstall(kDemoInstall, &error)) << error;
            ts::SetGameFolder(ts::kDemoKey, ts::RegistryKind::kString, kDemoInstall);
        }
        // Pages the program opens go to the capturing program instead of a browser; the
        // association is put back afterwards.
        ts::RemoveTree(OpenedFolder());
        char old[256] = {};
        LONG size = sizeof old;
        had_html_ = RegQueryValueA(HKEY_CLASSES_ROOT, ".html", old, &size) == ERROR_SUCCESS;
        old_html_ = old;
        SetDefaultValue(".html", kProgId);
        SetDefaultValue(std::string(kProgId) + "\\shell\\open\\command",
                        "\"" + ts::TestExeFolder() + "\\open_capture.exe\" \"%1\"");
        DeleteFileA(Page().c_str());

        std::string command = "\"" + ts::TestExeFolder() + "\\benchwright.exe\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process_));
    }
    ~Program() {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, kWait);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        const std::string id = kProgId;
        for (const std::string& key :
             {id + "\\shell\\open\\command", id + "\\shell\\open", id + "\\shell", id}) {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
        }
        if (had_html_) {
            SetDefaultValue(".html", old_html_);
        } else {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".html");
        }
    }

    DWORD pid() const { return process_.dwProcessId; }
    bool Ended(DWORD timeout_ms) const {
        return WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0;
    }
    std::string Page() const { return ts::TestExeFolder() + "\\results.html"; }

    HWND Main() {
        if (!main_) main_ = gui::WaitForTopWindow(pid(), "#32770", "Benchwright", kWait);
        return main_;
    }
    HWND Item(int id) { return GetDlgItem(Main(), id); }
    bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) { return gui::Checked(Item(id)); }
    bool PresetsEnabled(bool enabled) {
        for (int id :
             {IDC_FORM1_COMMAND1, IDC_FORM1_COMMAND2, IDC_FORM1_COMMAND3, IDC_FORM1_COMMAND4}) {
            if (Enabled(id) != enabled) return false;
        }
        return true;
    }
    void Menu(int id) { PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The custom test window, once "Custom Test" has opened it.
    HWND Custom() { return gui::WaitForTopWindow(pid(), "#32770", "Custom Options", kWait); }

    // The files the capturing program was asked to open, in order.
    std::vector<std::string> Opened() {
        std::vector<std::string> lines;
        std::string all = gui::ReadShared(OpenedFolder() + "\\opened.txt");
        for (size_t at = 0; at < all.size();) {
            size_t end = all.find('\n', at);
            if (end == std::string::npos) break;
            std::string line = all.substr(at, end - at);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            at = end + 1;
        }
        return lines;
    }
    std::string OpenedCopy(int n) {
        return gui::ReadShared(OpenedFolder() + "\\" + std::to_string(n) + ".html");
    }

private:
    static constexpr const char* kProgId = "BenchwrightGuiTest.html";
    PROCESS_INFORMATION process_ = {};
    bool had_html_ = false;
    std::string old_html_;
    HWND main_ = nullptr;
};

int ComboCount(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

std::string ComboSelection(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return "";
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    char narrow[256] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// Selects a level list entry as a user's pick does, notification included.
void PickLevel(HWND custom, const std::string& entry) {
    HWND combo = GetDlgItem(custom, IDC_FORM2_COMBO1);
    std::wstring wide(entry.begin(), entry.end());
    const LRESULT index =
        SendMessageW(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    PostMessageA(custom, WM_COMMAND, MAKEWPARAM(IDC_FORM2_COMBO1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

// The client area near the designed size in pixels: 4% across, 10% down.
// Wine: its dialog font is 12 px high rather than 13, so heights come out 8% short.
testing::AssertionResult ClientSizeNear(HWND window, int width, int height) {
    RECT r;
    GetClientRect(window, &r);
    if (std::abs(r.right - width) <= width / 25 && std::abs(r.bottom - height) <= height / 10) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "client area " << r.right << " x " << r.bottom;
}

TEST(MainWindowGui, StartsWithBothEditionsAndOptionsFollowClicks) {
    std::string error;
    ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
    Program program(kBoth);
    ts::WriteFile(ts::LogPath(ts::kInstall), "old record\r\n");
    ASSERT_TRUE(program.Main());
    EXPECT_TRUE(program.Enabled(IDC_FORM1_OPTION3) && program.Enabled(IDC_FORM1_OPTION4));
    EXPECT_TRUE(program.Checked(IDC_FORM1_OPTION3));
    EXPECT_FALSE(program.Checked(IDC_FORM1_OPTION4));
    EXPECT_TRUE(program.Checked(IDC_FORM1_OPTION1));
    EXPECT_FALSE(program.Checked(IDC_FORM1_OPTION2));
    EXPECT_TRUE(program.PresetsEnabled(true));
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(program.Enabled(IDC_FORM1_CHECK1_0 + i));
        EXPECT_FALSE(program.Checked(IDC_FORM1_CHECK1_0 + i));
    }
    // 5430 x 3810 twips at 15 twips a pixel.
    EXPECT_TRUE(ClientSizeNear(program.Main(), 362, 254));

    // Tab order: resolutions, CPU Benchmark, High, Low, Custom, then the render and edition
    // option groups.
    const std::vector<int> order = {IDC_FORM1_CHECK1_0 + 1, IDC_FORM1_CHECK1_0 + 2,
                                    IDC_FORM1_CHECK1_0 + 3, IDC_FORM1_CHECK1_0 + 4,
                                    IDC_FORM1_COMMAND1,     IDC_FORM1_COMMAND2,
                                    IDC_FORM1_COMMAND3,     IDC_FORM1_COMMAND4,
                                    IDC_FORM1_OPTION1,      IDC_FORM1_OPTION3};
    HWND at = program.Item(IDC_FORM1_CHECK1_0);
    for (int id : order) {
        at = GetNextDlgTabItem(program.Main(), at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), id);
    }

    EXPECT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_OPTION2), true, kWait));
    EXPECT_FALSE(program.Checked(IDC_FORM1_OPTION1));
    EXPECT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_OPTION4), true, kWait));
    EXPECT_FALSE(program.Checked(IDC_FORM1_OPTION3));
    EXPECT_TRUE(program.Checked(IDC_FORM1_OPTION2));  // the groups are independent
    EXPECT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_CHECK1_0 + 3), true, kWait));

    // The load sequence emptied the logs of the chosen edition.
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "");
    EXPECT_TRUE(gui::SaveWindowBitmap(program.Main(), Screenshots() + "\\main_window.bmp"));
}

TEST(MainWindowGui, StartsWithTheDemoOnlyOrWithNoGame) {
    {
        Program program(kDemo);
        ASSERT_TRUE(program.Main());
        EXPECT_FALSE(program.Enabled(IDC_FORM1_OPTION3));
        EXPECT_TRUE(program.Enabled(IDC_FORM1_OPTION4));
        EXPECT_TRUE(program.Checked(IDC_FORM1_OPTION4));
        EXPECT_TRUE(program.PresetsEnabled(true));
    }
    Program program(kNone);
    ts::MessageBoxSeen box = ts::WaitForMessageBox(program.pid(), kWait);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(box.title, "Install UT2003");
    EXPECT_TRUE(ts::DismissMessageBox(box.window));
    ASSERT_TRUE(program.Main());
    EXPECT_FALSE(program.Enabled(IDC_FORM1_OPTION3) || program.Enabled(IDC_FORM1_OPTION4));
    EXPECT_FALSE(program.Checked(IDC_FORM1_OPTION3) || program.Checked(IDC_FORM1_OPTION4));
    EXPECT_TRUE(program.Checked(IDC_FORM1_OPTION1));
    EXPECT_TRUE(program.PresetsEnabled(false));  // nothing can run without a game folder
    EXPECT_TRUE(program.Enabled(IDC_FORM1_CHECK1_0));
}

TEST(MainWindowGui, PresetWithoutResolutionSaysSoAndEnablesEverythingAgain) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    gui::Click(program.Item(IDC_FORM1_COMMAND2));
    ts::MessageBoxSeen box = ts::WaitForMessageBox(program.pid(), kWait);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(box.title, "Select a Resolution");
    EXPECT_TRUE(program.PresetsEnabled(false));  // disabled while the driver reports
    EXPECT_TRUE(ts::DismissMessageBox(box.window));
    EXPECT_TRUE(gui::WaitUntil(
        [&] { return program.PresetsEnabled(true) && program.Enabled(IDC_FORM1_CHECK1_0 + 4); },
        kWait));
    EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());
}

TEST(MainWindowGui, CpuBenchmarkRunsTheGameAndOpensTheCompletePage) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_CHECK1_0 + 2), true, kWait));
    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_CHECK1_0), true, kWait));
    gui::Click(program.Item(IDC_FORM1_COMMAND1));
    ASSERT_TRUE(gui::WaitUntil([&] { return !program.Opened().empty(); }, 120000));
    EXPECT_EQ(program.Opened()[0], program.Page());
    const std::string page = program.OpenedCopy(1);
    EXPECT_NE(page.find("640x480"), std::string::npos);
    EXPECT_NE(page.find("1024x768"), std::string::npos);
    EXPECT_NE(page.find("CPU Bench Option"), std::string::npos);
    EXPECT_NE(page.find("Direct3D Rendering Engine"), std::string::npos);

    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_NE(runs[0].command_line.find("dm-inferno?"), std::string::npos);
    EXPECT_NE(runs[0].command_line.find("-640x480"), std::string::npos);
    EXPECT_NE(runs[1].command_line.find("-1024x768"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA("T:\\UT2003.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("T:\\flybyexec.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(gui::WaitUntil([&] { return program.PresetsEnabled(true); }, kWait));
    EXPECT_TRUE(program.Checked(IDC_FORM1_CHECK1_0));  // ticks stay
}

TEST(MainWindowGui, HighQualityOnTheDemoWithOpenGL) {
    Program program(kDemo);
    ASSERT_TRUE(program.Main());
    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_OPTION2), true, kWait));
    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_CHECK1_0 + 1), true, kWait));
    gui::Click(program.Item(IDC_FORM1_COMMAND2));
    ASSERT_TRUE(gui::WaitUntil([&] { return !program.Opened().empty(); }, 120000));
    const std::string page = program.OpenedCopy(1);
    EXPECT_NE(page.find("High Quality Option"), std::string::npos);
    EXPECT_NE(page.find("OpenGL Rendering Engine"), std::string::npos);
    EXPECT_NE(page.find("demo version"), std::string::npos);
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(kDemoInstall);
    ASSERT_EQ(runs.size(), 3u);
    for (const ts::StandinRun& run : runs) {
        EXPECT_NE(run.command_line.find("-800x600"), std::string::npos);
    }
}

TEST(CustomTestWindowGui, BrowseAndPathBoxFollowTheIniChoice) {
    ts::MakeFolders("T:\\own");
    ts::WriteFile("T:\\own\\fast.ini", "[Engine]\r\n");
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    HWND custom = program.Custom();
    ASSERT_TRUE(custom);
    EXPECT_TRUE(program.PresetsEnabled(true));  // opening it disables nothing
    EXPECT_TRUE(ClientSizeNear(custom, 292, 237));
    HWND combo = GetDlgItem(custom, IDC_FORM2_COMBO1);
    HWND path = GetDlgItem(custom, IDC_FORM2_TEXT1);
    HWND browse = GetDlgItem(custom, IDC_FORM2_COMMAND1);
    EXPECT_EQ(ComboCount(combo), 37);
    EXPECT_EQ(ComboSelection(combo), "dm-antalus*");
    EXPECT_TRUE(gui::Checked(GetDlgItem(custom, IDC_FORM2_OPTION2)));
    EXPECT_TRUE(gui::Checked(GetDlgItem(custom, IDC_FORM2_OPTION3)));
    EXPECT_FALSE(IsWindowEnabled(browse));
    EXPECT_TRUE(GetWindowLongA(path, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(gui::SaveWindowBitmap(custom, Screenshots() + "\\custom_test_window.bmp"));

    // Tab order: sound, ini choice, (Browse when enabled), Run Test, Cancel, path, level list.
    HWND at = GetDlgItem(custom, IDC_FORM2_OPTION2);
    for (int id : {IDC_FORM2_OPTION3, IDC_FORM2_COMMAND2, IDC_FORM2_COMMAND3, IDC_FORM2_TEXT1,
                   IDC_FORM2_COMBO1, IDC_FORM2_OPTION2}) {
        at = GetNextDlgTabItem(custom, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), id);
    }

    ASSERT_TRUE(gui::ClickUntilChecked(GetDlgItem(custom, IDC_FORM2_OPTION5), true, kWait));
    EXPECT_TRUE(gui::WaitUntil([&] { return IsWindowEnabled(browse) != FALSE; }, kWait));

    // Choose a file in the file-open dialog.
    auto open_dialog = [&] {
        gui::Click(browse);
        HWND dialog = nullptr;
        gui::WaitUntil(
            [&] {
                dialog = gui::FindTopWindow(program.pid(), "#32770", "Open");
                return dialog && GetDlgItem(dialog, 0x47C);
            },
            kWait);
        return dialog;
    };
    HWND dialog = open_dialog();
    ASSERT_TRUE(dialog);
    SendMessageA(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("T:\\own\\fast.ini"));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(gui::WaitUntil([&] { return gui::Text(path) == "T:\\own\\fast.ini"; }, kWait))
        << gui::Text(path);

    // A cancel keeps the path.
    dialog = open_dialog();
    ASSERT_TRUE(dialog);
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(dialog); }, kWait));
    EXPECT_EQ(gui::Text(path), "T:\\own\\fast.ini");

    // Leaving "Custom ini" empties the box; coming back keeps it empty.
    ASSERT_TRUE(gui::ClickUntilChecked(GetDlgItem(custom, IDC_FORM2_OPTION4), true, kWait));
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindowEnabled(browse); }, kWait));
    EXPECT_EQ(gui::Text(path), "");
    ASSERT_TRUE(gui::ClickUntilChecked(GetDlgItem(custom, IDC_FORM2_OPTION5), true, kWait));
    EXPECT_TRUE(gui::WaitUntil([&] { return IsWindowEnabled(browse) != FALSE; }, kWait));
    EXPECT_EQ(gui::Text(path), "");

    // "Custom Test" again brings the same window forward; Cancel then a new one has defaults.
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    EXPECT_EQ(program.Custom(), custom);
    gui::Click(GetDlgItem(custom, IDC_FORM2_COMMAND3));
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(custom); }, kWait));
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    HWND fresh = program.Custom();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(gui::Checked(GetDlgItem(fresh, IDC_FORM2_OPTION3)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(fresh, IDC_FORM2_COMMAND1)));
}

TEST(CustomTestWindowGui, EditionSwitchReopensItWithTheOtherLevelList) {
    Program program(kBoth);
    ASSERT_TRUE(program.Main());
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    HWND first = program.Custom();
    ASSERT_TRUE(first);
    ASSERT_TRUE(gui::ClickUntilChecked(GetDlgItem(first, IDC_FORM2_OPTION1), true, kWait));

    // The current edition again: the window keeps the user's choices.
    gui::Click(program.Item(IDC_FORM1_OPTION3));
    EXPECT_TRUE(gui::WaitUntil([&] { return program.Checked(IDC_FORM1_OPTION3); }, kWait));
    EXPECT_TRUE(IsWindow(first));
    EXPECT_TRUE(gui::Checked(GetDlgItem(first, IDC_FORM2_OPTION1)));

    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_OPTION4), true, kWait));
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(first); }, kWait));
    HWND second = program.Custom();
    ASSERT_TRUE(second);
    HWND combo = GetDlgItem(second, IDC_FORM2_COMBO1);
    EXPECT_EQ(ComboCount(combo), 4);
    EXPECT_EQ(ComboSelection(combo), "dm-antalus*");
    EXPECT_TRUE(gui::Checked(GetDlgItem(second, IDC_FORM2_OPTION2)));

    // With the window closed, a switch only changes the settings.
    gui::Click(GetDlgItem(second, IDC_FORM2_COMMAND3));
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(second); }, kWait));
    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_OPTION3), true, kWait));
    EXPECT_FALSE(gui::FindTopWindow(program.pid(), "#32770", "Custom Options"));
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    HWND third = program.Custom();
    ASSERT_TRUE(third);
    EXPECT_EQ(ComboCount(GetDlgItem(third, IDC_FORM2_COMBO1)), 37);
}

TEST(MainWindowGui, AnEditionGoneSinceStartBehavesAsNotInstalled) {
    Program program(kBoth);
    ASSERT_TRUE(program.Main());
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    HWND custom = program.Custom();
    ASSERT_TRUE(custom);
    ASSERT_TRUE(ts::DeleteGameKey(ts::kDemoKey));
    gui::Click(program.Item(IDC_FORM1_OPTION4));
    ts::MessageBoxSeen box = ts::WaitForMessageBox(program.pid(), kWait);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(box.title, "Install UT2003");
    EXPECT_TRUE(ts::DismissMessageBox(box.window));
    EXPECT_TRUE(gui::WaitUntil([&] { return program.PresetsEnabled(false); }, kWait));
    EXPECT_FALSE(program.Enabled(IDC_FORM1_OPTION4));
    EXPECT_FALSE(IsWindow(custom));

    // The full edition is still there and brings the buttons back.
    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_OPTION3), true, kWait));
    EXPECT_TRUE(gui::WaitUntil([&] { return program.PresetsEnabled(true); }, kWait));
}

TEST(CustomTestWindowGui, RunTestPlaysTheChosenLevelWithItsSound) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    ASSERT_TRUE(gui::ClickUntilChecked(program.Item(IDC_FORM1_CHECK1_0), true, kWait));
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    HWND custom = program.Custom();
    ASSERT_TRUE(custom);

    // "Custom ini" without a file: the run says so and does nothing.
    ASSERT_TRUE(gui::ClickUntilChecked(GetDlgItem(custom, IDC_FORM2_OPTION5), true, kWait));
    gui::Click(GetDlgItem(custom, IDC_FORM2_COMMAND2));
    ts::MessageBoxSeen box = ts::WaitForMessageBox(program.pid(), kWait);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(box.title, "Choose a File...");
    EXPECT_TRUE(ts::DismissMessageBox(box.window));
    EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());

    ASSERT_TRUE(gui::ClickUntilChecked(GetDlgItem(custom, IDC_FORM2_OPTION4), true, kWait));
    ASSERT_TRUE(gui::ClickUntilChecked(GetDlgItem(custom, IDC_FORM2_OPTION1), true, kWait));
    PickLevel(custom, "ctf-citadel*");
    EXPECT_TRUE(gui::WaitUntil(
        [&] { return ComboSelection(GetDlgItem(custom, IDC_FORM2_COMBO1)) == "ctf-citadel*"; },
        kWait));
    gui::Click(GetDlgItem(custom, IDC_FORM2_COMMAND2));
    ASSERT_TRUE(gui::WaitUntil([&] { return !program.Opened().empty(); }, 120000));
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NE(runs[0].command_line.find(" ctf-citadel?"), std::string::npos);
    EXPECT_EQ(runs[0].command_line.find("-nosound"), std::string::npos);
    EXPECT_NE(runs[0].command_line.find("MinDetailUser.ini"), std::string::npos);
    EXPECT_EQ(program.OpenedCopy(1).find("Option"), std::string::npos);  // no footer
    EXPECT_TRUE(IsWindow(custom));  // the window stays open after its run
    EXPECT_TRUE(gui::WaitUntil([&] { return program.PresetsEnabled(true); }, kWait));
}

TEST(AboutWindowGui, SystemInfoStartsTheRegisteredToolOrSaysItIsUnavailable) {
    const char* key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    auto set_path = [&](const std::string* path) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &k, nullptr),
                  ERROR_SUCCESS);
        if (path) {
            RegSetValueExA(k, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(path->c_str()),
                           static_cast<DWORD>(path->size() + 1));
        } else {
            RegDeleteValueA(k, "PATH");
        }
        RegCloseKey(k);
    };
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    program.Menu(IDM_ABOUT);
    HWND about = gui::WaitForTopWindow(program.pid(), "#32770", "About Benchwright", kWait);
    ASSERT_TRUE(about);
    HWND sysinfo = GetDlgItem(about, IDC_ABOUT_SYSINFO);

    // A registered tool that is not there: the one message, titled with the program's name.
    const std::string gone = "T:\\nowhere\\msinfo32.exe";
    set_path(&gone);
    gui::Click(sysinfo);
    ts::MessageBoxSeen box = ts::WaitForMessageBox(program.pid(), kWait);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(box.title, "Benchwright");
    EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
    EXPECT_TRUE(ts::DismissMessageBox(box.window));
    EXPECT_TRUE(IsWindow(about));

    // A registered tool is started without waiting; the stand-in game plays the part.
    const std::string tool = ts::GamePath(ts::kInstall);
    set_path(&tool);
    gui::Click(sysinfo);
    EXPECT_TRUE(gui::WaitUntil([&] { return ts::StandinRuns(ts::kInstall).size() == 1; }, kWait));
    set_path(nullptr);
}

TEST(AboutWindowGui, TextsAndEnterAndEscClose) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    program.Menu(IDM_ABOUT);
    HWND about = gui::WaitForTopWindow(program.pid(), "#32770", "About Benchwright", kWait);
    ASSERT_TRUE(about);
    EXPECT_EQ(gui::Text(GetDlgItem(about, IDC_ABOUT_TITLE)), "Benchwright");
    EXPECT_EQ(gui::Text(GetDlgItem(about, IDC_ABOUT_VERSION)), "Version 2.1.0");
    EXPECT_FALSE(gui::Text(GetDlgItem(about, IDC_ABOUT_DESCRIPTION)).empty());
    EXPECT_FALSE(gui::Text(GetDlgItem(about, IDC_ABOUT_DISCLAIMER)).empty());
    EXPECT_TRUE(ClientSizeNear(about, 382, 274));
    EXPECT_TRUE(gui::SaveWindowBitmap(about, Screenshots() + "\\about_window.bmp"));

    // Keys go to the focused control, as typing does; Enter presses OK, which has the focus.
    PostMessageA(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(about); }, kWait));

    program.Menu(IDM_ABOUT);
    about = gui::WaitForTopWindow(program.pid(), "#32770", "About Benchwright", kWait);
    ASSERT_TRUE(about);
    PostMessageA(GetDlgItem(about, IDC_ABOUT_SYSINFO), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(about); }, kWait));
    EXPECT_FALSE(program.Ended(0));
}

TEST(MainWindowGui, BannersOpenTheMakersWebAddress) {
    // The web address goes to the capturing program too, which notes what it was given.
    const std::string key = "https\\shell\\open\\command";
    char old[512] = {};
    LONG size = sizeof old;
    const bool had = RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), old, &size) == ERROR_SUCCESS;
    SetDefaultValue(key, "\"" + ts::TestExeFolder() + "\\open_capture.exe\" \"%1\"");
    {
        Program program(kFull);
        ASSERT_TRUE(program.Main());
        auto click = [](HWND banner) {
            PostMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            PostMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        };
        click(program.Item(IDC_FORM1_PICTURE1));
        EXPECT_TRUE(gui::WaitUntil([&] { return program.Opened().size() == 1; }, kWait));
        program.Menu(IDM_ABOUT);
        HWND about = gui::WaitForTopWindow(program.pid(), "#32770", "About Benchwright", kWait);
        ASSERT_TRUE(about);
        click(GetDlgItem(about, IDC_ABOUT_PICTURE1));
        EXPECT_TRUE(gui::WaitUntil([&] { return program.Opened().size() == 2; }, kWait));
        for (const std::string& opened : program.Opened()) {
            EXPECT_EQ(opened, "https://benchwright.example/");
        }
    }
    if (had) {
        SetDefaultValue(key, old);
    } else {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    }
}

TEST(MainWindowGui, MenusCarryTheirAccessKeys) {
    // Menus of another process are out of reach, so read the program's own menu resource.
    const std::string exe = ts::TestExeFolder() + "\\benchwright.exe";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HMENU bar = LoadMenuA(module, MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_TRUE(bar);
    auto text = [](HMENU menu, UINT item, UINT by) {
        char buffer[64] = {};
        GetMenuStringA(menu, item, buffer, sizeof buffer, by);
        return std::string(buffer);
    };
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(text(bar, 0, MF_BYPOSITION), "&File");
    EXPECT_EQ(text(bar, 1, MF_BYPOSITION), "&Help");
    EXPECT_EQ(text(GetSubMenu(bar, 0), IDM_EXIT, MF_BYCOMMAND), "E&xit");
    EXPECT_EQ(text(GetSubMenu(bar, 1), IDM_ABOUT, MF_BYCOMMAND), "&About");
    EXPECT_EQ(text(GetSubMenu(bar, 1), IDM_HELP2, MF_BYCOMMAND), "H&elp");
    DestroyMenu(bar);
    FreeLibrary(module);
}

TEST(MainWindowGui, HelpOpensThePageAndClosingEndsTheProgram) {
    {
        Program program(kFull);
        ASSERT_TRUE(program.Main());
        program.Menu(IDM_HELP2);
        ASSERT_TRUE(gui::WaitUntil([&] { return !program.Opened().empty(); }, kWait));
        EXPECT_EQ(program.Opened()[0], ts::TestExeFolder() + "\\help.html");
        EXPECT_NE(program.OpenedCopy(1).find("Benchwright help"), std::string::npos);

        gui::Click(program.Item(IDC_FORM1_COMMAND4));
        ASSERT_TRUE(program.Custom());
        program.Menu(IDM_ABOUT);
        ASSERT_TRUE(gui::WaitForTopWindow(program.pid(), "#32770", "About Benchwright", kWait));
        PostMessageA(program.Main(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.Ended(kWait));
    }
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    gui::Click(program.Item(IDC_FORM1_COMMAND4));
    ASSERT_TRUE(program.Custom());
    program.Menu(IDM_EXIT);
    EXPECT_TRUE(program.Ended(kWait));
}

}  // namespace
