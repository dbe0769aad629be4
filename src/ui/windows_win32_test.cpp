// The three windows driven from this second process, as a user would, under Wine: start-up states,
// options, presets with the stand-in game, the custom test window, the about window, closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "gui_support_win32.h"
#include "platform/platform.h"
#include "program_win32.h"
#include "test_support_win32.h"
#include "ui/resource.h"
#include "version.h"

namespace {

using namespace test_program;
namespace ts = test_support;

// The exe's version resource: its numbers ("2.1.0") and, after a space, its FileVersion text.
std::string ResourceVersion(const std::string& exe) {
    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &unused));
    if (info.empty() ||
        !GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        return "";
    VS_FIXEDFILEINFO* fixed = nullptr;
    char* text = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size) ||
        !VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                        reinterpret_cast<void**>(&text), &size))
        return "";
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + " " + text;
}

// The client area near the designed size in pixels: 4% across, 10% down (Wine's dialog font is
// 12 px high rather than 13, so heights come out 8% short).
void ExpectClientSize(HWND window, int width, int height) {
    RECT r;
    GetClientRect(window, &r);
    EXPECT_NEAR(r.right, width, width / 25);
    EXPECT_NEAR(r.bottom, height, height / 10);
}

// Tests that both builds pass: the release exe is the one users run, the test build the one
// whose every window the other tests drive.
class EveryBuildGui : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!Release()) return;
        const std::string why = ReleaseExeUnusable();
        if (!why.empty()) GTEST_SKIP() << why;
    }
    bool Release() const { return GetParam(); }
    std::string Exe() const { return Release() ? ReleaseExe() : TestBuildExe(); }
};
INSTANTIATE_TEST_SUITE_P(Exe, EveryBuildGui, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Release_i686" : "TestBuild_x86_64");
});

TEST_P(EveryBuildGui, StartsWithBothEditionsAndOptionsFollowClicks) {
    Program program(kBoth, Exe());
    ASSERT_TRUE(program.Main());
    BOOL wow64 = FALSE;
    EXPECT_TRUE(IsWow64Process(program.handle(), &wow64) && wow64 == Release());
    EXPECT_TRUE(program.Enabled(IDC_FULL) && program.Enabled(IDC_DEMO));
    EXPECT_TRUE(program.Checked(IDC_FULL) && program.Checked(IDC_DIRECT3D));
    EXPECT_FALSE(program.Checked(IDC_DEMO) || program.Checked(IDC_OPENGL));
    EXPECT_TRUE(program.PresetsEnabled(true));
    for (int id = kRes; id <= kRes + 4; ++id) {
        EXPECT_TRUE(program.Enabled(id) && !program.Checked(id)) << id;
    }
    ExpectClientSize(program.Main(), 362, 254);  // 5430 x 3810 twips
    // Tab order: resolutions, CPU Benchmark, High, Low, Custom, then the two option groups.
    EXPECT_EQ(gui::TabOrder(program.Main(), program.Item(kRes), 10),
              (std::vector<int>{kRes + 1, kRes + 2, kRes + 3, kRes + 4, IDC_CPU_BENCHMARK,
                                IDC_HIGH_QUALITY, IDC_LOW_QUALITY, IDC_CUSTOM_TEST, IDC_DIRECT3D,
                                IDC_FULL}));

    EXPECT_TRUE(Tick(program.Item(IDC_OPENGL)));
    EXPECT_FALSE(program.Checked(IDC_DIRECT3D));
    EXPECT_TRUE(Tick(program.Item(IDC_DEMO)));
    EXPECT_FALSE(program.Checked(IDC_FULL));
    EXPECT_TRUE(program.Checked(IDC_OPENGL));  // the groups are independent

    // The load sequence emptied the logs of the chosen edition only.
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "");
    EXPECT_EQ(ts::ReadFile(ts::LogPath(kDemoInstall)), "old record\r\n");
    if (!Release()) {
        EXPECT_TRUE(gui::SaveWindowBitmap(program.Main(), Screenshot("main_window")));
    }
}

TEST(MainWindowGui, StartsWithTheDemoOnlyOrWithNoGameHelpAndBannersOpenAndBothCloseWaysEnd) {
    {
        // The web address goes to the capturing program too.
        gui::ClassesDefault web("https\\shell\\open\\command", CaptureCommand());
        Program program(kDemo);
        ASSERT_TRUE(program.Main());
        EXPECT_FALSE(program.Enabled(IDC_FULL));
        EXPECT_TRUE(program.Enabled(IDC_DEMO) && program.Checked(IDC_DEMO));
        EXPECT_TRUE(program.PresetsEnabled(true));
        program.Menu(IDM_HELP);
        ASSERT_TRUE(Until([&] { return program.Opened().size() == 1; }));
        EXPECT_TRUE(Contains(program.OpenedPage(1), "Benchwright help"));
        HWND about = program.About();
        ASSERT_TRUE(about);
        for (HWND banner : {program.Item(IDC_MAIN_BANNER), GetDlgItem(about, IDC_ABOUT_BANNER)}) {
            const size_t before = program.Opened().size();
            PostMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            PostMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
            EXPECT_TRUE(Until([&] { return program.Opened().size() == before + 1; }));
        }
        EXPECT_EQ(program.Opened(), (std::vector<std::string>{ts::TestExeFolder() + "\\help.html",
                                                              "https://benchwright.example/",
                                                              "https://benchwright.example/"}));
        ASSERT_TRUE(program.Custom());
        PostMessageA(program.Main(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.Ended(kWait));
    }
    Program program(kNone);
    EXPECT_EQ(program.Box().title, "Install UT2003");
    ASSERT_TRUE(program.Main());
    EXPECT_FALSE(program.Enabled(IDC_FULL) || program.Enabled(IDC_DEMO));
    EXPECT_FALSE(program.Checked(IDC_FULL) || program.Checked(IDC_DEMO));
    EXPECT_TRUE(program.Checked(IDC_DIRECT3D));
    EXPECT_TRUE(program.PresetsEnabled(false));  // nothing can run without a game folder
    EXPECT_TRUE(program.Enabled(kRes));
    program.Menu(IDM_EXIT);
    EXPECT_TRUE(program.Ended(kWait));
}

TEST_P(EveryBuildGui, CpuBenchmarkAtTwoResolutionsOpensItsPage) {
    Program program(kBoth, Exe());
    ASSERT_TRUE(program.Main());
    ASSERT_TRUE(Tick(program.Item(kRes + 2)) && Tick(program.Item(kRes)));
    program.Press(IDC_CPU_BENCHMARK);
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 1; }, kRunWait));
    EXPECT_EQ(program.Opened()[0], program.Page());
    for (const char* part :
         {"640x480", "1024x768", "CPU Bench Option", "Direct3D Rendering Engine"}) {
        EXPECT_TRUE(Contains(program.OpenedPage(1), part)) << part;
    }
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(Contains(runs[0].command_line, "dm-inferno?"));
    EXPECT_TRUE(Contains(runs[0].command_line, "-640x480"));
    EXPECT_TRUE(Contains(runs[1].command_line, "-1024x768"));
    EXPECT_EQ(GetFileAttributesA("T:\\UT2003.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("T:\\flybyexec.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(Until([&] { return program.PresetsEnabled(true); }));
    EXPECT_TRUE(program.Checked(kRes));  // ticks stay
}

TEST(MainWindowGui, PresetWithoutResolutionSaysSoThenHighQualityOnTheDemoWithOpenGL) {
    Program program(kBoth);
    ASSERT_TRUE(program.Main());
    program.Press(IDC_HIGH_QUALITY);
    ts::MessageBoxSeen box = program.Box(true);
    EXPECT_EQ(box.title, "Select a Resolution");
    EXPECT_TRUE(program.PresetsEnabled(false));  // disabled while the driver reports
    EXPECT_TRUE(ts::DismissMessageBox(box.window));
    EXPECT_TRUE(Until([&] { return program.PresetsEnabled(true) && program.Enabled(kRes + 4); }));
    EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());

    ASSERT_TRUE(Tick(program.Item(kRes + 2)) && Tick(program.Item(kRes)));
    ASSERT_TRUE(Tick(program.Item(IDC_DEMO)) && Tick(program.Item(IDC_OPENGL)));
    program.Press(IDC_HIGH_QUALITY);
    ASSERT_TRUE(Until([&] { return program.Opened().size() == 1; }, kRunWait));
    for (const char* part : {"High Quality Option", "OpenGL Rendering Engine", "demo version"}) {
        EXPECT_TRUE(Contains(program.OpenedPage(1), part)) << part;
    }
    // Three runs a resolution, in the demo's folder.
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(kDemoInstall);
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_TRUE(Contains(runs[0].command_line, "-640x480"));
    EXPECT_TRUE(Contains(runs[5].command_line, "-1024x768"));
}

TEST(CustomTestWindowGui, BrowseAndPathBoxFollowTheIniChoiceAndRunTestPlaysTheLevel) {
    ts::MakeFolders("T:\\own");
    ts::WriteFile("T:\\own\\fast.ini", "[Engine]\r\n");
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    HWND custom = program.Custom();
    ASSERT_TRUE(custom);
    auto item = [&](int id) { return GetDlgItem(custom, id); };
    HWND path = item(IDC_INI_PATH);
    HWND browse = item(IDC_BROWSE);
    EXPECT_TRUE(program.PresetsEnabled(true));  // opening it disables nothing
    ExpectClientSize(custom, 292, 237);
    EXPECT_EQ(gui::ComboCount(item(IDC_LEVEL_LIST)), 37);
    EXPECT_EQ(gui::ComboSelection(item(IDC_LEVEL_LIST)), "dm-antalus*");
    EXPECT_TRUE(gui::Checked(item(IDC_SOUND_DISABLED)) && gui::Checked(item(IDC_MAX_DETAIL)));
    EXPECT_FALSE(IsWindowEnabled(browse));
    EXPECT_TRUE(GetWindowLongA(path, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(gui::SaveWindowBitmap(custom, Screenshot("custom_test_window")));
    // Tab order: sound, ini choice, (Browse when enabled), Run Test, Cancel, path, level list.
    EXPECT_EQ(gui::TabOrder(custom, item(IDC_SOUND_DISABLED), 6),
              (std::vector<int>{IDC_MAX_DETAIL, IDC_RUN_TEST, IDC_CUSTOM_CANCEL, IDC_INI_PATH,
                                IDC_LEVEL_LIST, IDC_SOUND_DISABLED}));

    // The file-open dialog: a chosen file fills the box; choosing "Custom ini" again and a
    // cancel keep it.
    ASSERT_TRUE(Tick(item(IDC_CUSTOM_INI)));
    EXPECT_TRUE(Until([&] { return IsWindowEnabled(browse) != FALSE; }));
    auto open_dialog = [&] {
        gui::Click(browse);
        HWND dialog = nullptr;
        Until([&] { return (dialog = program.Window("Open")) && GetDlgItem(dialog, 0x47C); });
        return dialog;
    };
    HWND dialog = open_dialog();
    ASSERT_TRUE(dialog);
    SendMessageA(GetDlgItem(dialog, 0x47C), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("T:\\own\\fast.ini"));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(Until([&] { return gui::Text(path) == "T:\\own\\fast.ini"; })) << gui::Text(path);
    gui::Click(item(IDC_CUSTOM_INI));
    ASSERT_TRUE(dialog = open_dialog());
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(Until([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(gui::Text(path), "T:\\own\\fast.ini");

    // Leaving "Custom ini" empties the box; coming back keeps it empty.
    ASSERT_TRUE(Tick(item(IDC_MIN_DETAIL)));
    EXPECT_TRUE(Until([&] { return !IsWindowEnabled(browse); }));
    EXPECT_EQ(gui::Text(path), "");
    ASSERT_TRUE(Tick(item(IDC_CUSTOM_INI)));
    EXPECT_TRUE(Until([&] { return IsWindowEnabled(browse) != FALSE; }));
    EXPECT_EQ(gui::Text(path), "");

    // "Custom ini" without a file: the run says so and does nothing.
    ASSERT_TRUE(Tick(program.Item(kRes)));
    gui::Click(item(IDC_RUN_TEST));
    EXPECT_EQ(program.Box().title, "Choose a File...");
    EXPECT_TRUE(ts::StandinRuns(ts::kInstall).empty());

    // Run Test plays the chosen level with its sound and detail; the window stays open.
    ASSERT_TRUE(Tick(item(IDC_MIN_DETAIL)) && Tick(item(IDC_SOUND_ENABLED)));
    gui::PickComboEntry(custom, IDC_LEVEL_LIST, "ctf-citadel*");  // handled before the click
    gui::Click(item(IDC_RUN_TEST));
    ASSERT_TRUE(Until([&] { return !program.Opened().empty(); }, kRunWait));
    const std::vector<ts::StandinRun> runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(Contains(runs[0].command_line, " ctf-citadel?"));
    EXPECT_FALSE(Contains(runs[0].command_line, "-nosound"));
    EXPECT_TRUE(Contains(runs[0].command_line, "MinDetailUser.ini"));
    EXPECT_FALSE(Contains(program.OpenedPage(1), "Option"));  // no footer
    EXPECT_TRUE(Until([&] { return program.PresetsEnabled(true); }));

    // "Custom Test" again brings the same window forward; Cancel then a new one has defaults.
    EXPECT_EQ(program.Custom(), custom);
    gui::Click(item(IDC_CUSTOM_CANCEL));
    EXPECT_TRUE(Until([&] { return !IsWindow(custom); }));
    HWND fresh = program.Custom();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(gui::Checked(GetDlgItem(fresh, IDC_MAX_DETAIL)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(fresh, IDC_BROWSE)));
}

TEST(CustomTestWindowGui, EditionSwitchReopensItAndAVanishedEditionClosesIt) {
    Program program(kBoth);
    ASSERT_TRUE(program.Main());
    HWND first = program.Custom();
    ASSERT_TRUE(first);
    ASSERT_TRUE(Tick(GetDlgItem(first, IDC_SOUND_ENABLED)));

    // The current edition again: the window keeps the user's choices.
    program.Press(IDC_FULL);
    ASSERT_TRUE(Tick(program.Item(kRes)));  // handled after that click
    EXPECT_TRUE(IsWindow(first) && gui::Checked(GetDlgItem(first, IDC_SOUND_ENABLED)));

    ASSERT_TRUE(Tick(program.Item(IDC_DEMO)));
    EXPECT_TRUE(Until([&] { return !IsWindow(first); }));
    HWND second = program.Window("Custom Options");
    ASSERT_TRUE(second);
    EXPECT_EQ(gui::ComboCount(GetDlgItem(second, IDC_LEVEL_LIST)), 4);
    EXPECT_EQ(gui::ComboSelection(GetDlgItem(second, IDC_LEVEL_LIST)), "dm-antalus*");
    EXPECT_TRUE(gui::Checked(GetDlgItem(second, IDC_SOUND_DISABLED)));

    // With the window closed, a switch only changes the settings.
    gui::Click(GetDlgItem(second, IDC_CUSTOM_CANCEL));
    EXPECT_TRUE(Until([&] { return !IsWindow(second); }));
    ASSERT_TRUE(Tick(program.Item(IDC_FULL)));
    EXPECT_FALSE(gui::FindTopWindow(program.pid(), "#32770", "Custom Options"));
    HWND third = program.Custom();
    ASSERT_TRUE(third);
    EXPECT_EQ(gui::ComboCount(GetDlgItem(third, IDC_LEVEL_LIST)), 37);

    // An edition gone since start behaves as not installed; the other one brings the buttons back.
    ASSERT_TRUE(ts::DeleteGameKey(ts::kDemoKey));
    program.Press(IDC_DEMO);
    EXPECT_EQ(program.Box().title, "Install UT2003");
    EXPECT_TRUE(Until([&] { return program.PresetsEnabled(false); }));
    EXPECT_FALSE(program.Enabled(IDC_DEMO) || IsWindow(third));
    ASSERT_TRUE(Tick(program.Item(IDC_FULL)));
    EXPECT_TRUE(Until([&] { return program.PresetsEnabled(true); }));
    EXPECT_FALSE(gui::FindTopWindow(program.pid(), "#32770", "Custom Options"));  // none reopens
}

TEST_P(EveryBuildGui, AboutWindowTextsSystemInfoAndEnterAndEscClose) {
    Program program(kFull, Exe());
    ASSERT_TRUE(program.Main());
    HWND about = program.About();
    ASSERT_TRUE(about);
    EXPECT_EQ(gui::Text(GetDlgItem(about, IDC_ABOUT_TITLE)), "Benchwright");
    // The project's version, in the window and in the exe's version resource.
    EXPECT_EQ(gui::Text(GetDlgItem(about, IDC_ABOUT_VERSION)), "Version " BW_VERSION_TEXT);
    EXPECT_EQ(ResourceVersion(Exe()), BW_VERSION_TEXT " " BW_VERSION_TEXT);
    for (int id : {IDC_ABOUT_DESCRIPTION, IDC_ABOUT_WEB_ADDRESS, IDC_ABOUT_DISCLAIMER}) {
        EXPECT_FALSE(gui::Text(GetDlgItem(about, id)).empty()) << id;
    }
    ExpectClientSize(about, 382, 274);
    if (!Release()) {
        EXPECT_TRUE(gui::SaveWindowBitmap(about, Screenshot("about_window")));
    }

    // System Info: a registered tool that is not there gives the one message; one that is there
    // is started without waiting (the stand-in game plays the part). The tool is registered in
    // the program's own view: the 32-bit one for the release exe.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0,
                              nullptr, 0, KEY_SET_VALUE | (Release() ? KEY_WOW64_32KEY : 0),
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    auto click_with = [&](const std::string& tool) {
        RegSetValueExA(key, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(tool.c_str()),
                       static_cast<DWORD>(tool.size() + 1));
        gui::Click(GetDlgItem(about, IDC_ABOUT_SYSINFO));
    };
    click_with("T:\\nowhere\\msinfo32.exe");
    const ts::MessageBoxSeen box = program.Box();
    EXPECT_EQ(box.title, "Benchwright");
    EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
    click_with(ts::GamePath(ts::kInstall));
    EXPECT_TRUE(Until([&] { return ts::StandinRuns(ts::kInstall).size() == 1; }));
    RegDeleteValueA(key, "PATH");
    RegCloseKey(key);

    // Keys go to the focused control, as typing does; Enter presses OK, which has the focus.
    PostMessageA(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Until([&] { return !IsWindow(about); }));
    ASSERT_TRUE(about = program.About());
    PostMessageA(GetDlgItem(about, IDC_ABOUT_SYSINFO), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(Until([&] { return !IsWindow(about); }));
    EXPECT_FALSE(program.Ended(0));
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
    EXPECT_FALSE(platform::EndsWithBackslash(folder));
    EXPECT_TRUE(platform::EndsWithBackslash(folder + "\\"));

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
        EXPECT_TRUE(Contains(program.OpenedPage(1), "CPU Bench Option"));
    }
    EXPECT_NE(GetFileAttributesA((folder + "\\results.html").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((folder + "results.html").c_str()), INVALID_FILE_ATTRIBUTES);
    ts::RemoveTree(parent);
}

}  // namespace
