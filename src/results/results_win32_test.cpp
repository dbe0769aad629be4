// The results page against real files under Wine: log read, page written, footer appended.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/platform.h"
#include "results/results_page.h"

TEST(ResultsWin32, WritesThePageFromARealLogAndAppendsTheFooter) {
    CreateDirectoryA("T:\\results_test", nullptr);
    CreateDirectoryA("T:\\results_test\\game", nullptr);
    CreateDirectoryA("T:\\results_test\\game\\Benchmark", nullptr);
    CreateDirectoryA("T:\\results_test\\app", nullptr);
    std::string error;
    ASSERT_TRUE(platform::WriteWholeFile("T:\\results_test\\game\\Benchmark\\lowframerate.log",
                                         "dm-one,9.5 / 48.25 / 103.75 fps,a,b\r\n", &error))
        << error;
    core::SessionState state;
    state.InstallFolder = "T:\\results_test\\game";
    state.AppFolder = "T:\\results_test\\app\\";
    state.RenderEngine = "D3D";
    state.GameEdition = "full";
    state.ResolutionCount = 1;
    state.ResolutionNames = {"640x480"};
    ASSERT_TRUE(results::WriteResultsPage(state, 1, nullptr, &error)) << error;
    ASSERT_TRUE(results::AppendRunFooter(state, core::BenchmarkPreset::kCpuBenchmark, &error))
        << error;

    std::string page;
    ASSERT_TRUE(platform::ReadWholeFile("T:\\results_test\\app\\results.html", &page, &error));
    std::string expected;
    for (const auto& line : results::ResultsPageLines(state, 1)) expected += line + "\r\n";
    for (const auto& line : results::RunFooterLines(state, core::BenchmarkPreset::kCpuBenchmark))
        expected += line + "\r\n";
    EXPECT_EQ(page, expected);
    EXPECT_NE(page.find("\r\n<TD>48.25     \r\n"), std::string::npos);

    // A page that cannot be written is reported with its name, not passed over. (Wine: running
    // as root ignores the read-only flag, so the page is held open with no sharing instead.)
    HANDLE held = CreateFileA("T:\\results_test\\app\\results.html", GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(results::WriteResultsPage(state, 1, nullptr, &error));
    EXPECT_NE(error.find("T:\\results_test\\app\\results.html"), std::string::npos) << error;
    CloseHandle(held);
    DeleteFileA("T:\\results_test\\app\\results.html");
    DeleteFileA("T:\\results_test\\game\\Benchmark\\lowframerate.log");
}
