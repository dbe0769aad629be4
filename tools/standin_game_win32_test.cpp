// The stand-in game itself: it takes exactly the launcher's command lines and refuses others.
#include <gtest/gtest.h>

#include "standin_values.h"
#include "test_support_win32.h"

namespace {

namespace ts = test_support;

const std::string kGame = "\"T:\\UT2003\\System\\ut2003.exe\"";
const std::string kUserIni = " userini=\"T:\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\"";
const std::string kIniText = "[Engine.Engine]\r\n";

class StandinGame : public ::testing::Test {
protected:
    void TearDown() override {
        ts::RemoveFakeInstalls();
        ts::RemoveTree("T:\\my configs");
    }
};

void Prepare() {
    std::string error;
    ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
    ASSERT_TRUE(ts::WriteFile("T:\\flybyexec.txt", ts::kFlybyExecText));
    ASSERT_TRUE(ts::WriteFile("T:\\UT2003.ini", kIniText));
    ASSERT_TRUE(ts::MakeFolders("T:\\my configs"));
    ASSERT_TRUE(ts::WriteFile("T:\\my configs\\fast.ini", "fast"));
}

std::string Line(const std::string& middle, const std::string& tail = " -640x480") {
    return kGame + " dm-antalus?game=engine.gameinfo exec=\"T:\\flybyexec.txt\" -benchmark " +
           middle + kUserIni + tail;
}

TEST_F(StandinGame, AcceptsTheLaunchersLinesAndRecordsEachRun) {
    ASSERT_NO_FATAL_FAILURE(Prepare());
    EXPECT_EQ(ts::RunProcess(Line("-seconds=77 -nosound ini=\"T:\\UT2003.ini\"")), 0);
    EXPECT_EQ(ts::RunProcess(Line("-seconds=71 ini=T:\\UT2003.ini", " -1600x1200")), 0);
    EXPECT_EQ(ts::RunProcess(Line("-seconds=116 ini=\"T:\\my configs\\fast.ini\"")), 0);
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)),
              standin::LogLine("dm-antalus", "640x480", 77, standin::Checksum(kIniText)) +
                  standin::LogLine("dm-antalus", "1600x1200", 71, standin::Checksum(kIniText)) +
                  standin::LogLine("dm-antalus", "640x480", 116, standin::Checksum("fast")));
    const auto runs = ts::StandinRuns(ts::kInstall);
    ASSERT_EQ(runs.size(), 3u);
    for (const auto& run : runs) EXPECT_EQ(run.outcome, "end") << run.detail;
    EXPECT_EQ(runs[2].ini_sum, standin::Checksum("fast"));
}

TEST_F(StandinGame, RefusesMalformedLinesAndMissingFiles) {
    ASSERT_NO_FATAL_FAILURE(Prepare());
    const std::string ini = " -nosound ini=\"T:\\UT2003.ini\"";
    const std::string malformed[] = {
        Line("-seconds=77" + ini, " -640x480 "),  // trailing space
        Line("-seconds=77" + ini, " -640by480"),
        Line("-seconds=77" + ini, " 640x480"),
        Line("-seconds=7s" + ini),
        Line("-seconds=" + ini),
        Line("-seconds=77  -nosound ini=\"T:\\UT2003.ini\""),  // two spaces
        Line("-seconds=77 -nosound ini=\"T:\\UT2003.ini"),     // quote not closed
        Line("-seconds=77 -nosound ini=\"\""),
        Line("-seconds=77 -nosound userini=\"T:\\UT2003.ini\""),
        kGame + " dm-antalus?game=engine.gameinfo exec=T:\\flybyexec.txt -benchmark -seconds=77" +
            ini + kUserIni + " -640x480",
        kGame + " dm-antalus exec=\"T:\\flybyexec.txt\" -benchmark -seconds=77" + ini + kUserIni +
            " -640x480",
        kGame + " dm-antalus?game=engine.gameinfo exec=\"T:\\flybyexec.txt\" -seconds=77" + ini +
            kUserIni + " -640x480",
        "T:\\UT2003\\System\\ut2003.exe dm-antalus?game=engine.gameinfo "
        "exec=\"T:\\flybyexec.txt\" -benchmark -seconds=77" +
            ini + kUserIni + " -640x480",
    };
    for (const std::string& line : malformed) {
        EXPECT_EQ(ts::RunProcess(line), 2) << line;
        const auto runs = ts::StandinRuns(ts::kInstall);
        ASSERT_FALSE(runs.empty());
        EXPECT_EQ(runs.back().outcome, "error");
        EXPECT_EQ(runs.back().detail.rfind("exit=2 malformed: ", 0), 0u) << runs.back().detail;
    }
    EXPECT_EQ(ts::RunProcess(Line("-seconds=77 -nosound ini=\"T:\\nothere.ini\"")), 3);
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).back().detail, "exit=3 missing ini=T:\\nothere.ini");
    DeleteFileA("T:\\flybyexec.txt");
    EXPECT_EQ(ts::RunProcess(Line("-seconds=77" + ini)), 3);
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "");

    ASSERT_NO_FATAL_FAILURE(Prepare());
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "slep 100"));
    EXPECT_EQ(ts::RunProcess(Line("-seconds=77" + ini)), 5);
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "crash"));
    EXPECT_EQ(static_cast<DWORD>(ts::RunProcess(Line("-seconds=77" + ini))), 0xC0000005u);
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).back().outcome, "crash");
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)), "");
}

}  // namespace

TEST(StandinValues, FitTheLogReadersFieldsAndDependOnEveryInput) {
    const uint32_t sum = standin::Checksum(kIniText);
    const std::string base =
        standin::MeasurementField(standin::RatesFor("dm-inferno", "640x480", sum));
    EXPECT_NE(standin::MeasurementField(standin::RatesFor("dm-inferno", "800x600", sum)), base);
    EXPECT_NE(standin::MeasurementField(standin::RatesFor("dm-antalus", "640x480", sum)), base);
    EXPECT_NE(standin::MeasurementField(standin::RatesFor("dm-inferno", "640x480", sum + 1)), base);
    for (const char* level : {"dm-inferno", "ctf-face3", "dm-asbestos", "br-anubis"}) {
        for (const char* resolution : {"640x480", "1600x1200"}) {
            for (uint32_t s : {0u, sum, 0xFFFFFFFFu}) {
                const standin::FrameRates r = standin::RatesFor(level, resolution, s);
                EXPECT_LT(r.low, r.average);
                EXPECT_LT(r.average, r.high);
                EXPECT_LE(standin::Hundredths(r.high).size(), 10u);
            }
        }
    }
    EXPECT_EQ(standin::Hundredths(6305), "63.05");
    EXPECT_EQ(standin::LogLine("dm-x", "640x480", 77, 0).substr(0, 6), "dm-x, ");
}
