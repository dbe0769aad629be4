// The main, custom test and about windows driven from this second process, as a user would,
// under Wine: what the controls do, the pages and programs they open, closing; and the same
// start-up, run and about window with the release exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "program_win32.h"
#include "version.h"

namespace {

using namespace test_program;
namespace ts = test_support;

// The FileVersion text of the exe's version resource, as Explorer shows it.
std::string ResourceVersion(const std::string& exe) {
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
    char* text = nullptr;
    UINT size = 0;
    if (info.empty() ||
        !GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
        !VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                        reinterpret_cast<void**>(&text), &size))
        return "";
    return text;
}

// The client area near the designed size in pixels: 4% across, 10% down (Wine's dialog font is
// 12 px high rather than 13, so heights come out 8% short).
void ExpectClientSize(HWND window, int width, int height) {
    RECT r;
    GetClientRect(window, &r);
    EXPECT_NEAR(r.right, width, width / 25);
    EXPECT_NEAR(r.bottom, height, height / 10);
}

class MainWindowGui : public ProgramSuite {
protected:
    MainWindowGui() : ProgramSuite(kBoth) {}
};

// First, while the logs are as the start-up left them: the chosen edition's emptied only.
TEST_F(MainWindowGui, StartsOnTheFullEditionWithDirect3DInItsDesignedLayout) {
    EXPECT_TRUE(program->Checked(IDC_FULL) && program->Checked(IDC_DIRECT3D));
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "");
    EXPECT_EQ(ts::ReadFile(ts::LogPath(kDemoInstall)), "old record\r\n");
    ExpectClientSize(program->Main(), 362, 254);  // 5430 x 3810 twips
    // Resolutions, CPU Benchmark, High, Low, Custom, then the two option groups.
    EXPECT_EQ(gui::TabOrder(program->Main(), program->Item(kRes), 10),
              (std::vector<int>{kRes + 1, kRes + 2, kRes + 3, kRes + 4, IDC_CPU_BENCHMARK,
                                IDC_HIGH_QUALITY, IDC_LOW_QUALITY, IDC_CUSTOM_TEST, IDC_DIRECT3D,
                                IDC_FULL}));
    EXPECT_TRUE(gui::SaveWindowBitmap(program->Main(), Screenshot("main_window")));
}

TEST_F(MainWindowGui, APresetWithoutAResolutionSaysSoAndRunsNothing) {
    program->Press(IDC_HIGH_QUALITY);
    const ts::MessageBoxSeen box = program->Box(true);
    EXPECT_EQ(box.title, "Select a Resolution");
    EXPECT_TRUE(program->PresetsEnabled(false));  // nothing starts a run behind the message
    EXPECT_TRUE(ts::DismissMessageBox(box.window));
    EXPECT_TRUE(Until([&] { return program->PresetsEnabled(true); }));
}

TEST_F(MainWindowGui, APresetRunsTheChosenEditionAndRendererAtTheTickedResolutions) {
    ASSERT_TRUE(Tick(program->Item(kRes + 2)) && Tick(program->Item(kRes)));
    ASSERT_TRUE(Tick(program->Item(IDC_DEMO)) && Tick(program->Item(IDC_OPENGL)));
    EXPECT_FALSE(program->Checked(IDC_FULL) || program->Checked(IDC_DIRECT3D));  // one a group
    program->Press(IDC_HIGH_QUALITY);
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 1; }, kRunWait));
    for (const char* part :
         {"640x480", "1024x768", "High Quality Option", "OpenGL Rendering Engine", "demo version"})
        EXPECT_TRUE(Contains(program->OpenedPage(1), part)) << part;
    EXPECT_EQ(ts::StandinRuns(kDemoInstall).size(), 6u);  // the demo's three levels a resolution
    EXPECT_TRUE(Until([&] { return program->PresetsEnabled(true); }));
    EXPECT_TRUE(Untick(program->Item(kRes)) && Untick(program->Item(kRes + 2)));  // ticks stay
    EXPECT_TRUE(Tick(program->Item(IDC_FULL)) && Tick(program->Item(IDC_DIRECT3D)));
}

TEST_F(MainWindowGui, TheBannersOfTheMainAndAboutWindowsOpenTheWebSite) {
    gui::ClassesDefault web("https\\shell\\open\\command", CaptureCommand());
    HWND about = program->About();
    ASSERT_TRUE(about);
    for (HWND banner : {program->Item(IDC_MAIN_BANNER), GetDlgItem(about, IDC_ABOUT_BANNER)}) {
        const size_t before = program->Opened().size();
        PostMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        EXPECT_TRUE(Until([&] { return program->Opened().size() == before + 1; }));
    }
    EXPECT_EQ(program->Opened(), std::vector<std::string>(2, "https://benchwright.example/"));
    // Keys go to the focused control, as typing does: Esc closes the window from any of them.
    PostMessageA(GetDlgItem(about, IDC_ABOUT_SYSINFO), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(Closed(about));
}

TEST_F(MainWindowGui, TheAboutWindowShowsTheExesVersionAndEnterClosesIt) {
    HWND about = program->About();
    ASSERT_TRUE(about);
    EXPECT_EQ(gui::Text(GetDlgItem(about, IDC_ABOUT_VERSION)), "Version " BW_VERSION_TEXT);
    EXPECT_EQ(ResourceVersion(TestBuildExe()), BW_VERSION_TEXT);
    ExpectClientSize(about, 382, 274);
    EXPECT_TRUE(gui::SaveWindowBitmap(about, Screenshot("about_window")));
    PostMessageA(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_RETURN, 0);  // OK has the focus
    EXPECT_TRUE(Closed(about));
}

// Made at the mouse's first visit, the banner's tooltip shows while the mouse rests on it.
TEST_F(MainWindowGui, TheBannersTooltipShowsWhileTheMouseRestsOnIt) {
    SetWindowPos(program->Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT banner;
    ASSERT_TRUE(GetWindowRect(program->Item(IDC_MAIN_BANNER), &banner));
    const auto tip = [&] {
        return ts::FindVisibleWindow(program->pid(), [](HWND window) {
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            return std::string(name) == "tooltips_class32";
        });
    };
    SetCursorPos((banner.left + banner.right) / 2, (banner.top + banner.bottom) / 2);
    EXPECT_TRUE(Until([&] { return tip() != nullptr; }));
    SetCursorPos(0, 0);
    EXPECT_TRUE(Until([&] { return tip() == nullptr; }));
}

// The stand-in game plays the registered tool, started without waiting.
TEST_F(MainWindowGui, SystemInfoStartsTheRegisteredToolOrSaysItIsUnavailable) {
    HWND about = program->About();
    ASSERT_TRUE(about);
    ts::ChangedValues machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.Set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                            ts::TextValue(ts::GamePath(ts::kInstall))));
    gui::Click(GetDlgItem(about, IDC_ABOUT_SYSINFO));
    EXPECT_TRUE(Until([&] { return ts::StandinRuns(ts::kInstall).size() == 1; }));
    // A path that is no string, and a tools folder without the tool: the one message.
    ASSERT_TRUE(
        machine.Set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", ts::NumberValue(1)));
    ASSERT_TRUE(machine.Set("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                            ts::TextValue("T:\\Nowhere")));
    gui::Click(GetDlgItem(about, IDC_ABOUT_SYSINFO));
    const ts::MessageBoxSeen box = program->Box();
    EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(box.title, "Benchwright");
    PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(about));
}

// Neither edition installed: the message at start-up, and no preset can start a run.
TEST(NoGameGui, StartsWithTheInstallMessageAndThePresetsDisabled) {
    Program program(kNone);
    const ts::MessageBoxSeen box = program.Box();
    EXPECT_EQ(box.title, "Install UT2003");
    EXPECT_EQ(box.text, "Please install UT2003 (full version) or UT2003 (demo)");
    EXPECT_FALSE(box.has_icon);
    EXPECT_TRUE(program.PresetsEnabled(false));
    EXPECT_FALSE(program.Enabled(IDC_FULL) || program.Enabled(IDC_DEMO));
}

// Last: the program ends.
TEST_F(MainWindowGui, FileExitEndsTheProgram) {
    program->Menu(IDM_EXIT);
    EXPECT_TRUE(program->Ended(kWait));
}

// The custom test window, open at the start of each test and cancelled at its end.
class CustomTestWindowGui : public ProgramSuite {
protected:
    CustomTestWindowGui() : ProgramSuite(kBoth) {}
    void SetUp() override {
        ProgramSuite::SetUp();
        if (!HasFatalFailure()) {
            ASSERT_TRUE(custom = program->Custom());
        }
    }
    void TearDown() override {
        if (IsWindow(custom)) {
            gui::Click(Item(IDC_CUSTOM_CANCEL));
            EXPECT_TRUE(Closed(custom));
        }
        ProgramSuite::TearDown();
    }
    HWND Item(int id) const { return GetDlgItem(custom, id); }
    HWND custom = nullptr;
};

TEST_F(CustomTestWindowGui, OpensWithTheEditionsLevelsAndItsDefaultsInItsDesignedLayout) {
    EXPECT_EQ(gui::ComboCount(Item(IDC_LEVEL_LIST)), 37);
    EXPECT_EQ(gui::ComboSelection(Item(IDC_LEVEL_LIST)), "dm-antalus*");
    EXPECT_TRUE(gui::Checked(Item(IDC_SOUND_DISABLED)) && gui::Checked(Item(IDC_MAX_DETAIL)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_BROWSE)));
    EXPECT_TRUE(GetWindowLongA(Item(IDC_INI_PATH), GWL_STYLE) & ES_READONLY);
    ExpectClientSize(custom, 292, 237);
    // Sound, ini choice, (Browse when enabled), Run Test, Cancel, path, level list.
    EXPECT_EQ(gui::TabOrder(custom, Item(IDC_SOUND_DISABLED), 6),
              (std::vector<int>{IDC_MAX_DETAIL, IDC_RUN_TEST, IDC_CUSTOM_CANCEL, IDC_INI_PATH,
                                IDC_LEVEL_LIST, IDC_SOUND_DISABLED}));
    EXPECT_TRUE(gui::SaveWindowBitmap(custom, Screenshot("custom_test_window")));
}

TEST_F(CustomTestWindowGui, ThePathBoxShowsTheFileChosenInTheOpenDialog) {
    ts::MakeFolders("T:\\own");
    ts::WriteFile("T:\\own\\fast.ini", "[Engine]\r\n");
    HWND path = Item(IDC_INI_PATH);
    ASSERT_TRUE(Tick(Item(IDC_CUSTOM_INI)));
    ASSERT_TRUE(Until([&] { return IsWindowEnabled(Item(IDC_BROWSE)) != FALSE; }));
    gui::Click(Item(IDC_BROWSE));
    HWND dialog = nullptr;
    ASSERT_TRUE(
        Until([&] { return (dialog = program->Window("Open")) && GetDlgItem(dialog, 0x47C); }));
    SendMessageA(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("T:\\own\\fast.ini"));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(Until([&] { return gui::Text(path) == "T:\\own\\fast.ini"; })) << gui::Text(path);
    // Leaving "Custom ini" empties the box (the model's rule, shown here once).
    ASSERT_TRUE(Tick(Item(IDC_MIN_DETAIL)));
    EXPECT_TRUE(Until([&] { return !IsWindowEnabled(Item(IDC_BROWSE)); }));
    EXPECT_EQ(gui::Text(path), "");
    ts::RemoveTree("T:\\own");
}

TEST_F(CustomTestWindowGui, RunTestPlaysTheChosenLevelSoundAndDetailAndTheWindowStays) {
    ASSERT_TRUE(Tick(program->Item(kRes)));
    ASSERT_TRUE(Tick(Item(IDC_MIN_DETAIL)) && Tick(Item(IDC_SOUND_ENABLED)));
    gui::PickComboEntry(custom, IDC_LEVEL_LIST, "ctf-citadel*");  // handled before the click
    gui::Click(Item(IDC_RUN_TEST));
    ASSERT_TRUE(Until([&] { return !program->Opened().empty(); }, kRunWait));
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(Contains(runs[0].command_line, " ctf-citadel?"));
    EXPECT_FALSE(Contains(runs[0].command_line, "-nosound"));
    EXPECT_TRUE(Contains(runs[0].command_line, "MinDetailUser.ini"));
    EXPECT_TRUE(Until([&] { return program->PresetsEnabled(true); }));
    EXPECT_TRUE(IsWindow(custom));
    EXPECT_TRUE(Untick(program->Item(kRes)));
}

// (A window opened anew takes every default again: the model's rule.)
TEST_F(CustomTestWindowGui, CustomTestAgainBringsTheOpenOneForward) {
    EXPECT_EQ(program->Custom(), custom);
}

TEST_F(CustomTestWindowGui, AnotherEditionReopensItWithItsLevelsAndTheSameOneKeepsIt) {
    ASSERT_TRUE(Tick(Item(IDC_SOUND_ENABLED)));
    program->Press(IDC_FULL);
    ASSERT_TRUE(Tick(program->Item(kRes)));  // handled after that click
    EXPECT_TRUE(IsWindow(custom) && gui::Checked(Item(IDC_SOUND_ENABLED)));
    EXPECT_TRUE(Untick(program->Item(kRes)));

    ASSERT_TRUE(Tick(program->Item(IDC_DEMO)));
    EXPECT_TRUE(Closed(custom));
    ASSERT_TRUE(custom = program->Window("Custom Options"));
    EXPECT_EQ(gui::ComboCount(Item(IDC_LEVEL_LIST)), 4);

    // With the window closed, a switch only changes the settings.
    gui::Click(Item(IDC_CUSTOM_CANCEL));
    ASSERT_TRUE(Closed(custom));
    ASSERT_TRUE(Tick(program->Item(IDC_FULL)));
    EXPECT_FALSE(gui::FindTopWindow(program->pid(), "#32770", "Custom Options"));
}

// Near the end: the demo stays gone for the program.
TEST_F(CustomTestWindowGui, AnEditionGoneSinceStartClosesItAndTheOtherBringsThePresetsBack) {
    ASSERT_TRUE(ts::DeleteGameKey(ts::kDemoKey));
    program->Press(IDC_DEMO);
    EXPECT_EQ(program->Box().title, "Install UT2003");
    EXPECT_TRUE(Until([&] { return program->PresetsEnabled(false); }));
    EXPECT_FALSE(program->Enabled(IDC_DEMO) || IsWindow(custom));
    ASSERT_TRUE(Tick(program->Item(IDC_FULL)));
    EXPECT_TRUE(Until([&] { return program->PresetsEnabled(true); }));
    EXPECT_FALSE(gui::FindTopWindow(program->pid(), "#32770", "Custom Options"));  // none reopens
}

// Last: the program ends.
TEST_F(CustomTestWindowGui, ClosingTheMainWindowClosesItTooAndEndsTheProgram) {
    PostMessageA(program->Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(program->Ended(kWait));
}

// The i686 release exe that users get; skipped without it or without wine32.
class ReleaseExeGui : public ProgramSuite {
protected:
    ReleaseExeGui() : ProgramSuite(kBoth, true) {}
};

// Its start, a run and its about window.
TEST_F(ReleaseExeGui, RunsAs32BitProgramACpuBenchmarkAndShowsItsVersion) {
    BOOL wow64 = FALSE;
    EXPECT_TRUE(IsWow64Process(program->handle(), &wow64) && wow64);
    ASSERT_TRUE(Tick(program->Item(kRes + 2)) && Tick(program->Item(kRes)));
    program->Press(IDC_CPU_BENCHMARK);
    ASSERT_TRUE(Until([&] { return program->Opened().size() == 1; }, kRunWait));
    for (const char* part : {"640x480", "1024x768", "CPU Bench Option"})
        EXPECT_TRUE(Contains(program->OpenedPage(1), part)) << part;
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), 2u);
    HWND about = program->About();
    ASSERT_TRUE(about);
    EXPECT_EQ(gui::Text(GetDlgItem(about, IDC_ABOUT_VERSION)), "Version " BW_VERSION_TEXT);
    PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(about));
}

// With code page 932 the program's folder "T:\ゲーム\ソ" ends in the byte 0x5C, the second byte of
// "ソ" (0x83 0x5C): the page goes inside that folder, not beside it as "ソresults.html". ctest runs
// this test on its own with a Japanese locale.
TEST(CodePage932Gui, PageInsideAFolderEndingInSo) {
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932: LC_ALL=ja_JP.UTF-8";
    auto ansi = [](const wchar_t* wide) {
        char bytes[MAX_PATH] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, bytes, sizeof bytes, nullptr, nullptr);
        return std::string(bytes);
    };
    const wchar_t* const parent_wide = L"T:\\\u30B2\u30FC\u30E0";          // T:\ゲーム
    const wchar_t* const folder_wide = L"T:\\\u30B2\u30FC\u30E0\\\u30BD";  // T:\ゲーム\ソ
    const std::string parent = ansi(parent_wide), folder = ansi(folder_wide);
    ASSERT_EQ(folder.back(), '\\');
    // Made through the wide functions: the helpers split paths byte by byte.
    ASSERT_TRUE(ts::RemoveTree(parent) && CreateDirectoryW(parent_wide, nullptr) &&
                CreateDirectoryW(folder_wide, nullptr));
    ASSERT_TRUE(CopyFileA(TestBuildExe().c_str(), (folder + "\\benchwright.exe").c_str(), FALSE));
    {
        Program program(kFull, folder + "\\benchwright.exe");
        ASSERT_TRUE(program.Main());
        ASSERT_TRUE(Tick(program.Item(kRes)));
        program.Press(IDC_CPU_BENCHMARK);
        ASSERT_TRUE(Until([&] { return program.Opened().size() == 1; }, kRunWait));
        EXPECT_EQ(program.Opened()[0], folder + "\\results.html");
    }
    EXPECT_EQ(GetFileAttributesA((folder + "results.html").c_str()), INVALID_FILE_ATTRIBUTES);
    ts::RemoveTree(parent);
}

}  // namespace
