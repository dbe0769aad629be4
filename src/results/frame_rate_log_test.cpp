// The frame-rate log reader: fields, records, the measurement split and damaged logs.
#include "results/frame_rate_log.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace results {
namespace {

// Each record as "Label|Low|Average|High", trailing spaces and all.
std::vector<std::string> Flat(const std::vector<FrameRateRecord>& records) {
    std::vector<std::string> out;
    for (const auto& r : records)
        out.push_back(r.Label + "|" + r.Low + "|" + r.Average + "|" + r.High);
    return out;
}

using Lines = std::vector<std::string>;

TEST(ParseFrameRateLog, FitsLabelAndValuesToTheirWidths) {
    EXPECT_EQ(Flat(ParseFrameRateLog("")), Lines{});
    EXPECT_EQ(Flat(ParseFrameRateLog("  \r\n\r\n \n")), Lines{});

    EXPECT_EQ(Flat(ParseFrameRateLog("dm-antal,9.5 / 48.25 / 103.75 fps,x,y\r\n")),
              Lines{"dm-antal      |9.5       |48.25     |103.75    "});
    // Long texts are cut; a further separator in the high part stays in the value; any text in
    // fields 3 and 4 changes nothing.
    EXPECT_EQ(Flat(ParseFrameRateLog(
                  "AVeryLongLevelNameIndeed,123456789012345 / 1 / 2 / 3abcd,  whatever text,\r\n")),
              Lines{"AVeryLongLevel|1234567890|1         |2 / 3     "});
    // Exactly four characters after the second separator leave an empty high value.
    EXPECT_EQ(Flat(ParseFrameRateLog("a,1 / 2 / fps!,c,d")),
              Lines{"a             |1         |2         |          "});
}

TEST(ParseFrameRateLog, FieldsEndAtCommasOrAnyLineEnd) {
    const Lines one = {"dm-one        |10        |20        |30        ",
                       "dm-two        |11        |21        |31        "};
    EXPECT_EQ(
        Flat(ParseFrameRateLog("dm-one,10 / 20 / 30 fps,a,b\r\ndm-two,11 / 21 / 31 fps,a,b\r\n")),
        one);
    EXPECT_EQ(Flat(ParseFrameRateLog("dm-one,10 / 20 / 30 fps,a,b\ndm-two,11 / 21 / 31 fps,a,b")),
              one);
    EXPECT_EQ(Flat(ParseFrameRateLog("dm-one,10 / 20 / 30 fps,a,b\rdm-two,11 / 21 / 31 fps,a,b\r")),
              one);
    // A record spread over lines, with blank lines, leading blanks and trailing spaces around
    // fields.
    EXPECT_EQ(Flat(ParseFrameRateLog("\r\n  dm-one\r\n   10 / 20 / 30 fps  \r\n\r\n"
                                     "a,\tb\r\n\r\n   \r\ndm-two , 11 / 21 / 31 fps,a\nb\n\n")),
              one);
    // An empty field after a trailing comma is still a field: the next line starts a new record.
    EXPECT_EQ(
        Flat(ParseFrameRateLog("dm-one,10 / 20 / 30 fps,a,\r\ndm-two,11 / 21 / 31 fps,,\r\n")),
        one);
}

TEST(ParseFrameRateLog, QuotedFieldsRunToTheNextQuote) {
    EXPECT_EQ(Flat(ParseFrameRateLog("\"  Face, the sequel\",\"9.5 / 48.25 / 103.75 fps\","
                                     "\"a,b\",\"c\r\nd\"\r\n")),
              Lines{"  Face, the se|9.5       |48.25     |103.75    "});
    // Text after a closing quote is ignored up to the next comma; an unclosed quote runs to the
    // end.
    EXPECT_EQ(Flat(ParseFrameRateLog("\"dm-one\"junk,10 / 20 / 30 fps,a,\"b\r\ndm-two,")),
              Lines{"dm-one        |10        |20        |30        "});
}

TEST(ParseFrameRateLog, ADamagedRecordEndsTheReadingKeepingEarlierOnes) {
    const std::string good = "dm-one,10 / 20 / 30 fps,a,b\r\n";
    const Lines kept = {"dm-one        |10        |20        |30        "};
    for (const char* bad : {
             "dm-two,11 / 21 fps,a,b\r\n",    // one separator only
             "dm-two,11/21/31 fps,a,b\r\n",   // separators without their spaces
             "dm-two,11 / 21 / fps,a,b\r\n",  // three characters after the second separator
         }) {
        EXPECT_EQ(Flat(ParseFrameRateLog(good + bad + good)), kept) << bad;
    }
    // The file ends inside a record.
    for (const char* cut :
         {"dm-two,11 / 21 / 31 fps,a\r\n", "dm-two,11 / 21 / 31 fps,a,", "dm-two"})
        EXPECT_EQ(Flat(ParseFrameRateLog(good + cut)), kept) << cut;
}

TEST(ParseFrameRateLog, KeepsAtMostTheFirst32766Records) {
    std::string text;
    for (int k = 1; k <= 32767; ++k) text += "L" + std::to_string(k) + ",1 / 2 / 3 fps,a,b\r\n";
    const auto records = ParseFrameRateLog(text);
    ASSERT_EQ(records.size(), kMaxRecords);
    EXPECT_EQ(records.back().Label, "L32766        ");
}

TEST(ReadFrameRateLog, ReadsTheGamesLogAndReplacesEarlierRecords) {
    namespace standin = platform::standin;
    standin::Reset();
    core::SessionState state;
    state.InstallFolder = "C:\\UT2003";
    EXPECT_EQ(FrameRateLogPath(state.InstallFolder), "C:\\UT2003\\Benchmark\\lowframerate.log");
    standin::AddFile("C:\\UT2003\\Benchmark\\lowframerate.log", "a,1 / 2 / 3 fps,x,y\r\n");
    state.FrameRateRecords.resize(5);
    ReadFrameRateLog(state);
    EXPECT_EQ(Flat(state.FrameRateRecords),
              Lines{"a             |1         |2         |3         "});

    // An unreadable, a missing or an unknown log gives no records.
    standin::Get().failures.insert({"read", "C:\\UT2003\\Benchmark\\lowframerate.log"});
    ReadFrameRateLog(state);
    EXPECT_TRUE(state.FrameRateRecords.empty());
    state.FrameRateRecords.resize(1);
    state.InstallFolder = "D:\\Games\\UT2003";
    ReadFrameRateLog(state);
    EXPECT_TRUE(state.FrameRateRecords.empty());
    state.FrameRateRecords.resize(1);
    state.InstallFolder.clear();
    ReadFrameRateLog(state);
    EXPECT_TRUE(state.FrameRateRecords.empty());
}

}  // namespace
}  // namespace results
