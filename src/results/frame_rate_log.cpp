// Reading the game's frame-rate log: comma- or line-separated fields, four per record.
#include "results/frame_rate_log.h"

#include <cstring>

#include "platform/platform.h"

namespace results {
namespace {

// Field rules where the log's format is loose: blank lines, and lines of only spaces and tabs,
// are skipped (a line end and the empty lines after it are one separator); leading spaces and
// tabs are skipped, and so are trailing ones of an unquoted field; a quoted field keeps everything
// up to the next quote, line ends included, and whatever stands between its closing quote and the
// next comma or line end is ignored; an unclosed quote runs to the end of the text.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) { SkipEmptyLines(); }

    bool AtEnd() const { return pos_ >= text_.size(); }

    // The next field, or false when the text has ended before it starts.
    bool Next(std::string_view* field) {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return false;
        if (text_[pos_] == '"') {
            const size_t start = pos_ + 1;
            const size_t close = text_.find('"', start);
            const size_t end = close == std::string_view::npos ? text_.size() : close;
            *field = text_.substr(start, end - start);
            pos_ = end;
            while (pos_ < text_.size() && !IsSeparator(text_[pos_])) ++pos_;
        } else {
            const size_t start = pos_;
            while (pos_ < text_.size() && !IsSeparator(text_[pos_])) ++pos_;
            size_t end = pos_;
            while (end > start && IsBlank(text_[end - 1])) --end;
            *field = text_.substr(start, end - start);
        }
        SkipSeparator();
        return true;
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
    static bool IsSeparator(char c) { return c == ',' || IsLineEnd(c); }

    void SkipSeparator() {
        if (pos_ >= text_.size()) return;
        if (text_[pos_] == ',') {
            ++pos_;
            return;
        }
        SkipEmptyLines();
    }

    void SkipEmptyLines() {
        while (pos_ < text_.size() && (IsLineEnd(text_[pos_]) || IsBlank(text_[pos_]))) ++pos_;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

std::string Fit(std::string_view text, size_t width) {
    std::string s(width, ' ');
    std::memcpy(s.data(), text.data(), text.size() < width ? text.size() : width);
    return s;
}

constexpr std::string_view kSeparator = " / ";

// Splits "low / average / high" plus four trailing characters; false when the measurement does
// not have that shape.
bool SplitMeasurement(std::string_view s, FrameRateRecord* record) {
    const size_t first = s.find(kSeparator);
    if (first == std::string_view::npos) return false;
    record->Low = Fit(s.substr(0, first), kValueWidth);
    s.remove_prefix(first + kSeparator.size());
    const size_t second = s.find(kSeparator);
    if (second == std::string_view::npos) return false;
    record->Average = Fit(s.substr(0, second), kValueWidth);
    s.remove_prefix(second + kSeparator.size());
    if (s.size() < 4) return false;
    record->High = Fit(s.substr(0, s.size() - 4), kValueWidth);
    return true;
}

}  // namespace

std::vector<FrameRateRecord> ParseFrameRateLog(std::string_view text) {
    std::vector<FrameRateRecord> records;
    FieldReader reader(text);
    std::string_view label, measurement, third, fourth;
    while (records.size() < kMaxRecords && !reader.AtEnd()) {
        if (!reader.Next(&label) || !reader.Next(&measurement) || !reader.Next(&third) ||
            !reader.Next(&fourth))
            break;
        FrameRateRecord record;
        if (!SplitMeasurement(measurement, &record)) break;
        record.Label = Fit(label, kLabelWidth);
        records.push_back(std::move(record));
    }
    return records;
}

std::string FrameRateLogPath(const std::string& install_folder) {
    return install_folder + "\\Benchmark\\lowframerate.log";
}

void ReadFrameRateLog(core::SessionState& state) {
    state.FrameRateRecords.clear();
    if (state.InstallFolder.empty()) return;
    std::string text;
    if (!platform::ReadWholeFile(FrameRateLogPath(state.InstallFolder), &text, nullptr)) return;
    state.FrameRateRecords = ParseFrameRateLog(text);
}

}  // namespace results
