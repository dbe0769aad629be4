// The stand-in game itself: it takes exactly the launcher's command lines and refuses others.
#include <gtest/gtest.h>

#include "standin_values.h"
#include "test_support_win32.h"

namespace {

namespace ts = test_support;

const std::string kGame = "\"T:\\UT2003\\System\\ut2003.exe\"";
const std::string kUserIni = " userini=\"T:\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\"";
const std::string kIni = " -nosound ini=\"T:\\UT2003.ini\"";
const std::string kIniText = "[Engine.Engine]\r\n";

class StandinGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
        ASSERT_TRUE(ts::WriteFile("T:\\flybyexec.txt", ts::kFlybyExecText));
        ASSERT_TRUE(ts::WriteFile("T:\\UT2003.ini", kIniText));
    }
    void TearDown() override { ts::RemoveFakeInstalls(); }
};

std::string Line(const std::string& middle, const std::string& tail = " -640x480") {
    return kGame + " dm-antalus?game=engine.gameinfo exec=\"T:\\flybyexec.txt\" -benchmark " +
           middle + kUserIni + tail;
}

TEST_F(StandinGame, AcceptsTheLaunchersLinesAndRefusesOthers) {
    EXPECT_EQ(ts::RunProcess(Line("-seconds=77" + kIni)), 0);
    EXPECT_EQ(ts::RunProcess(Line("-seconds=71 ini=T:\\UT2003.ini", " -1600x1200")), 0);
    const uint32_t sum = standin::Checksum(kIniText);
    EXPECT_EQ(ts::ReadFile(ts::LogPath(ts::kInstall)),
              standin::LogLine("dm-antalus", "640x480", 77, sum) +
                  standin::LogLine("dm-antalus", "1600x1200", 71, sum));
    for (const std::string& line : {
             Line("-seconds=77" + kIni, " -640x480 "),  // trailing space
             Line("-seconds=77" + kIni, " -640by480"),
             Line("-seconds=7s" + kIni),
             Line("-seconds=77  -nosound ini=\"T:\\UT2003.ini\""),  // two spaces
             Line("-seconds=77 -nosound ini=\"T:\\UT2003.ini"),     // quote not closed
             kGame + " dm-antalus exec=\"T:\\flybyexec.txt\" -benchmark -seconds=77" + kIni +
                 kUserIni + " -640x480",
         }) {
        EXPECT_EQ(ts::RunProcess(line), 2) << line;
        EXPECT_EQ(ts::StandinRuns(ts::kInstall).back().detail.rfind("exit=2 malformed: ", 0), 0u);
    }
    EXPECT_EQ(ts::RunProcess(Line("-seconds=77 -nosound ini=\"T:\\nothere.ini\"")), 3);
    ASSERT_TRUE(ts::WriteControl(ts::kInstall, "crash"));
    EXPECT_EQ(static_cast<DWORD>(ts::RunProcess(Line("-seconds=77" + kIni))), 0xC0000005u);
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).back().outcome, "crash");
    EXPECT_EQ(ts::StandinRuns(ts::kInstall).size(), 10u);
}

}  // namespace
