// The frame-rate log reader: fields, records, the measurement split and damaged logs.
#include "results/frame_rate_log.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace results {
namespace {

// The records as "Label|Low|Average|High|" lines, trailing spaces and all.
std::string Flat(const std::string& log) {
    std::string out;
    for (const auto& [r, score, frames, malformed] : ParseFrameRateLog(log))
        out += malformed ? "malformed\n"
                         : r.label + "|" + r.low + "|" + r.average + "|" + r.high + "|\n";
    return out;
}

const std::string kOne = "dm-one        |10        |20        |30        |\n";
const std::string kTwo = "dm-two        |11        |21        |31        |\n";

TEST(ParseFrameRateLog, FieldsRecordsAndWidths) {
    const struct {
        const char* log;
        std::string records;
    } cases[] = {
        {"  \r\n\r\n \n", ""},
        {"dm-one,10 / 20 / 30 fps,a,b\ndm-two,11 / 21 / 31 fps,a,b", kOne + kTwo},
        {"dm-one,10 / 20 / 30 fps,a,b\rdm-two,11 / 21 / 31 fps,a,b\r", kOne + kTwo},
        // A record over several lines, blank lines, blanks around fields.
        {"\r\n  dm-one\r\n   10 / 20 / 30 fps  \r\n\r\na,\tb\r\n\r\n   \r\n"
         "dm-two , 11 / 21 / 31 fps,a\nb\n\n",
         kOne + kTwo},
        // An empty field after a trailing comma is still a field.
        {"dm-one,10 / 20 / 30 fps,a,\r\ndm-two,11 / 21 / 31 fps,,\r\n", kOne + kTwo},
        // Long texts are cut; a further separator stays in the high value.
        {"AVeryLongLevelNameIndeed,123456789012345 / 1 / 2 / 3abcd,  whatever,\r\n",
         "AVeryLongLevel|1234567890|1         |2 / 3     |\n"},
        {"a,1 / 2 / fps!,c,d", "a             |1         |2         |          |\n"},
        // Quoted fields run to the next quote; text after it is ignored up to the comma.
        {"\"  Face, the sequel\",\"9.5 / 48.25 / 103.75 fps\",\"a,b\",\"c\r\nd\"\r\n",
         "  Face, the se|9.5       |48.25     |103.75    |\n"},
        {"\"dm-one\"junk,10 / 20 / 30 fps,a,\"b\r\ndm-two,", kOne},
        // A damaged or cut record counts as one, and the reading goes on with the next
        // measurement and the label before it.
        {"dm-one,10 / 20 / 30 fps,a,b\r\ndm-two,11 / 21 fps,a,b\r\ndm-one,10 / 20 / 30 fps,a,b",
         kOne + "malformed\n" + kOne},
        {"dm-two,11 / 2\r\ndm-one,10 / 20 / 30 fps,a,b\r\n", "malformed\n" + kOne},
        {"dm-two,11 / 21 / 31 fps\r\ndm-one,10 / 20 / 30 fps,a,b\r\n", "malformed\n" + kOne},
        {"dm-two,11 / 21 / 31 fps,a\r\ndm-one,10 / 20 / 30 fps,a,b\r\n", "malformed\n" + kOne},
        {"dm-one,10 / 20 / 30 fps,a,b\r\ndm-two,11 / 21 / 31 fps,a", kOne + "malformed\n"},
        {"garbage\r\n", "malformed\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Flat(c.log), c.records) << c.log;
}

TEST(ParseFrameRateLog, KeepsAtMostTheFirst32766Records) {
    std::string text;
    for (int k = 1; k <= 32767; ++k) text += "L" + std::to_string(k) + ",1 / 2 / 3 fps,a,b\r\n";
    const auto records = ParseFrameRateLog(text);
    ASSERT_EQ(records.size(), kMaxRecords);
    const auto& [last, score, frames, malformed] = records.back();
    EXPECT_EQ(last.label + score + frames, "L32766        ab");  // a malformed one has no label
}

TEST(ReadFrameRateLog, AMissingLogHasNoRecordsAnUnreadableOneFails) {
    platform::standin::Reset();
    std::vector<LogRecord> records(1);
    EXPECT_TRUE(ReadFrameRateLog("C:\\UT2003", &records) && records.empty());
    const std::string log = "C:\\UT2003\\Benchmark\\lowframerate.log";
    platform::standin::AddFile(log, "a,1 / 2 / 3 fps,x,y\r\n");
    platform::standin::Get().failures.insert({"read", log});
    EXPECT_FALSE(ReadFrameRateLog("C:\\UT2003", &records));
}

}  // namespace
}  // namespace results
