// File > "Compare Results..." driven from this second process under Wine: the folder picker
// starts at the Results folder, OK writes and opens the comparison of the runs kept there.
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

std::string OpenedFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "bw_opened";
}

// Built by appending: GCC 12 warns wrongly about "\"" + std::string.
std::string Quoted(const std::string& path) {
    std::string quoted = "\"";
    quoted += path;
    quoted += '"';
    return quoted;
}

std::string Exe() { return Quoted(ts::TestExeFolder() + "\\benchwright.exe"); }

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(CompareResultsGui, PicksTheResultsFolderAndOpensItsComparison) {
    std::string error;
    const std::string results = ts::TestExeFolder() + "\\Results";
    ts::RemoveTree(results);
    ts::RemoveTree(OpenedFolder());
    ts::DeleteGameKey(ts::kDemoKey);
    ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
    ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, ts::kInstall);
    ts::HtmlAssociation html(Quoted(ts::TestExeFolder() + "\\open_capture.exe") + " \"%1\"");
    // Two runs kept under Results, as a script makes them.
    ASSERT_EQ(ts::RunProcess(Exe() + " --preset cpu --resolutions 640x480"), 0);
    ASSERT_EQ(ts::RunProcess(Exe() + " --preset cpu --resolutions 800x600"), 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = Exe();
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    const DWORD pid = process.dwProcessId;
    HWND main = gui::WaitForTopWindow(pid, "#32770", "Benchwright", kWait);
    ASSERT_TRUE(main);
    auto picker = [&] {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_COMPARE, 0), 0);
        HWND found = nullptr;
        test_support::WaitUntil(
            [&] {
                found = ts::FindVisibleWindow(pid, [&](HWND w) {
                    char name[16] = {};
                    GetClassNameA(w, name, sizeof name);
                    return w != main && std::string(name) == "#32770";
                });
                return found != nullptr;
            },
            kWait);
        return found;
    };
    auto opened = [] { return gui::ReadSharedLines(OpenedFolder() + "\\opened.txt"); };

    // Cancel: nothing written, nothing opened.
    HWND dialog = picker();
    ASSERT_TRUE(dialog);
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(test_support::WaitUntil([&] { return !IsWindow(dialog); }, kWait));
    EXPECT_EQ(GetFileAttributesA((results + "\\compare.html").c_str()), INVALID_FILE_ATTRIBUTES);

    // OK on the folder it starts in: both runs side by side, the page opened.
    ASSERT_TRUE(dialog = picker());
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(test_support::WaitUntil([&] { return opened().size() == 1; }, kWait));
    EXPECT_EQ(opened(), std::vector<std::string>{results + "\\compare.html"});
    const std::string page = gui::ReadShared(OpenedFolder() + "\\1.html");
    EXPECT_TRUE(Contains(page, "640x480") && Contains(page, "800x600")) << page;
    EXPECT_NE(GetFileAttributesA((results + "\\compare.csv").c_str()), INVALID_FILE_ATTRIBUTES);

    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, kWait);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    ts::RemoveTree(results);
    ts::RemoveFakeInstalls();
    ts::DeleteGameKey(ts::kFullKey);
}

}  // namespace
