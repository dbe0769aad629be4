// The program's start against the platform stand-in: what it finds, tidies and empties.
#include "core/start_up.h"

#include <gtest/gtest.h>

#include "config/engine_ini.h"
#include "platform/platform_standin.h"
#include "registry/discovery.h"

namespace core {
namespace {

namespace standin = platform::standin;

TEST(StartProgram, FindsTheGameTidiesWhatAKilledRunLeftAndEmptiesTheLogs) {
    standin::Reset();
    standin::SetRegistryString(registry::kDemoKey, registry::kFolderValue, "D:\\UT2003Demo");
    const std::string ours =
        config::EngineIniText(config::EngineIniPreset::kMaxDetail, common::Renderer::kOpenGL);
    standin::AddFile("D:\\UT2003.ini", ours, platform::kReadOnly);
    standin::AddFile("D:\\UT2003Demo\\Benchmark\\benchmark.log", "old record");
    const StartUp start = StartProgram();
    EXPECT_EQ(start.installation.selected, common::Edition::kDemo);
    EXPECT_EQ(start.app_folder, "C:\\Tools\\Bench\\");
    EXPECT_FALSE(standin::HasFile("D:\\UT2003.ini"));
    EXPECT_EQ(standin::FindFile("D:\\UT2003Demo\\Benchmark\\benchmark.log")->contents, "");
    EXPECT_TRUE(start.leftovers_error.empty() && start.logs_error.empty());

    // A log that cannot be emptied is said; without any installation nothing is written at all.
    standin::Get().failures.insert({"create", "D:\\UT2003Demo\\Benchmark\\benchmark.log"});
    EXPECT_NE(StartProgram().logs_error.find("benchmark.log"), std::string::npos);
    // With the full version installed too, and so selected, the demo's drive is still tidied.
    standin::SetRegistryString(registry::kFullKey, registry::kFolderValue, "C:\\UT2003");
    standin::AddFile("D:\\UT2003.ini", ours, platform::kReadOnly);
    EXPECT_EQ(StartProgram().installation.selected, common::Edition::kFull);
    EXPECT_FALSE(standin::HasFile("D:\\UT2003.ini"));
    standin::Reset();
    standin::Get().program_folder = "C:\\";
    const StartUp none = StartProgram();
    EXPECT_EQ(none.installation.selected, common::Edition::kNone);
    EXPECT_EQ(none.app_folder, "C:\\");
    EXPECT_TRUE(standin::Get().journal.empty());
}

TEST(StartSystemInformation, QuotesAPathWithSpacesAndSaysWhenThereIsNone) {
    standin::Reset();
    EXPECT_FALSE(StartSystemInformation());
    standin::AddFile("C:\\Program Files\\MSInfo\\msinfo32.exe", "");
    standin::SetRegistryString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                               "C:\\Program Files\\MSInfo\\msinfo32.exe");
    EXPECT_TRUE(StartSystemInformation());
    EXPECT_EQ(standin::Get().started,
              std::vector<std::string>{"\"C:\\Program Files\\MSInfo\\msinfo32.exe\""});
}

}  // namespace
}  // namespace core
