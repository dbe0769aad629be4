// The per-user settings and finding the newest report, against the platform stand-in.
#include "core/user_settings.h"

#include <gtest/gtest.h>

#include "core/last_report.h"
#include "platform/platform_standin.h"

namespace core {
namespace {

namespace standin = platform::standin;

platform::RegistryData Dword(uint32_t number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(number >> (8 * i)));
    return {4, bytes};
}

TEST(UserSettings, OnlyAFourByteNumberInRangeIsTaken) {
    EXPECT_EQ(SettingNumber(0, Dword(1), 1, 5, 4), 1);
    EXPECT_EQ(SettingNumber(0, Dword(5), 1, 5, 4), 5);
    const struct {
        long status;
        platform::RegistryData data;
        const char* why;
    } bad[] = {
        {2, Dword(3), "not read"},
        {0, Dword(0), "below the range"},
        {0, Dword(6), "above the range"},
        {0, Dword(0x00000103), "259: every byte counts"},
        {0, Dword(0x03000000), "3 << 24: bytes read little-endian"},
        {0, Dword(0xFFFFFFFF), "-1 as a signed number"},
        {0, {1, std::string("3\0", 2)}, "a string"},
        {0, {4, std::string("\3\0", 2)}, "a cut-short number"},
    };
    for (const auto& b : bad) EXPECT_EQ(SettingNumber(b.status, b.data, 1, 5, 4), 4) << b.why;
}

TEST(UserSettings, LoadFallsBackPerValueAndSaveWritesThemAll) {
    standin::Reset();
    std::string error;
    // A label is kept to its first 100 characters, a line end as a space.
    const std::string label = "drv \"531\",\n<b>" + std::string(200, 'x');
    const std::string kept = "drv \"531\", <b>" + std::string(86, 'x');
    ASSERT_TRUE(SaveUserSettings({3, true, true, 45, label}, &error)) << error;
    EXPECT_EQ(standin::Get().journal,
              (std::vector<std::string>{"setting RunsPerLevel = 3", "setting OpenReport = 1",
                                        "setting UntilSteady = 1", "setting SteadyWithin = 45",
                                        "setting Label = " + kept}));
    UserSettings loaded = LoadUserSettings();
    EXPECT_TRUE(loaded.runs_per_level == 3 && loaded.open_report && loaded.until_steady &&
                loaded.steady_within_tenths == 45);
    EXPECT_EQ(loaded.label, kept);

    // Garbage in one value leaves the others as stored; a label stored longer is cut.
    standin::Get().user_settings["RunsPerLevel"] = {1, std::string("five\0", 5)};
    standin::Get().user_settings["Label"] = {1, label + '\0'};
    loaded = LoadUserSettings();
    EXPECT_TRUE(loaded.runs_per_level == 1 && loaded.open_report);
    EXPECT_EQ(loaded.label, kept);
    standin::Get().user_settings["Label"] = Dword(7);
    EXPECT_EQ(LoadUserSettings().label, "");

    standin::Get().failures.insert({"setting", "OpenReport"});
    EXPECT_FALSE(SaveUserSettings({2, false, false, 20, ""}, &error));
    EXPECT_EQ(error,
              "Cannot save \"HKEY_CURRENT_USER\\Software\\Benchwright\\OpenReport\": Access is "
              "denied.");
}

TEST(LastReport, NewestRunFolderWithAReportByName) {
    standin::Reset();
    const std::string results = "C:\\Tools\\Bench\\Results";
    EXPECT_EQ(LatestReport(results), "");  // no Results folder at all
    standin::AddFolder(results);
    EXPECT_EQ(LatestReport(results), "");

    const std::string older = results + "\\2026-12-05 20-14-03 CPU Benchmark\\report.html";
    const std::string newer = results + "\\2026-12-06 09-00-00 LAB-7 High Quality\\report.html";
    standin::AddFile(older, "<html>");
    standin::AddFile(newer, "<html>");
    // Not ours, though they sort after the runs: passed over.
    standin::AddFile(results + "\\old stuff\\report.html", "<html>");
    standin::AddFile(results + "\\2026-12-07 10-00-00\\report.html", "<html>");
    standin::AddFile(results + "\\2026-12-0x 10-00-00 Low Quality\\report.html", "<html>");
    // The newest run was stopped before its report: the one before it.
    standin::AddFile(results + "\\2026-12-06 23-59-59 Low Quality\\results.csv", "started\r\n");
    EXPECT_EQ(LatestReport(results), newer);

    standin::Get().files.at(newer).locked = true;
    EXPECT_EQ(LatestReport(results), older);
}

}  // namespace
}  // namespace core
