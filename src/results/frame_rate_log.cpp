// Reading the game's frame-rate log: comma- or line-separated fields, four per record.
#include "results/frame_rate_log.h"

#include <algorithm>
#include <cstdint>
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
    explicit FieldReader(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {
        SkipEmptyLines();
    }

    bool AtEnd() const { return p_ == end_; }

    // The next field, or false when the text has ended before it starts.
    bool Next(std::string_view* field) {
        while (p_ != end_ && IsBlank(*p_)) ++p_;
        if (p_ == end_) return false;
        const char* start = p_;
        const char* stop;
        if (*p_ == '"') {
            ++start;
            const void* close = std::memchr(start, '"', static_cast<size_t>(end_ - start));
            stop = close ? static_cast<const char*>(close) : end_;
            p_ = SkipToSeparator(stop);
        } else {
            p_ = SkipToSeparator(start);
            stop = p_;
            while (stop != start && IsBlank(stop[-1])) --stop;
        }
        *field = std::string_view(start, static_cast<size_t>(stop - start));
        if (p_ != end_ && *p_++ != ',') SkipEmptyLines();
        return true;
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

    // Eight characters at a time while none of them is a separator: this loop is where the
    // reading spends its time.
    const char* SkipToSeparator(const char* p) const {
        constexpr uint64_t kOnes = 0x0101010101010101u;
        constexpr uint64_t kHighs = 0x8080808080808080u;
        const auto has = [](uint64_t word, char c) {
            const uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
            return (x - kOnes) & ~x & kHighs;
        };
        while (end_ - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            if (has(word, ',') | has(word, '\r') | has(word, '\n')) break;
            p += 8;
        }
        while (p != end_ && *p != ',' && !IsLineEnd(*p)) ++p;
        return p;
    }

    void SkipEmptyLines() {
        while (p_ != end_ && (IsLineEnd(*p_) || IsBlank(*p_))) ++p_;
    }

    const char* p_;
    const char* end_;
};

// Stores `text` into a field already filled with spaces: cut to the field's width.
void FitInto(std::string& field, std::string_view text) {
    std::memcpy(field.data(), text.data(), std::min(text.size(), field.size()));
}

constexpr std::string_view kSeparator = " / ";

// Splits "low / average / high" plus four trailing characters; false when the measurement does
// not have that shape.
bool SplitMeasurement(std::string_view s, FrameRateRecord* record) {
    const size_t first = s.find(kSeparator);
    if (first == std::string_view::npos) return false;
    FitInto(record->low, s.substr(0, first));
    s.remove_prefix(first + kSeparator.size());
    const size_t second = s.find(kSeparator);
    if (second == std::string_view::npos) return false;
    FitInto(record->average, s.substr(0, second));
    s.remove_prefix(second + kSeparator.size());
    if (s.size() < 4) return false;
    FitInto(record->high, s.substr(0, s.size() - 4));
    return true;
}

// What SplitMeasurement accepts, without storing anything.
bool IsMeasurement(std::string_view s) {
    const size_t first = s.find(kSeparator);
    if (first == std::string_view::npos) return false;
    const size_t second = s.find(kSeparator, first + kSeparator.size());
    return second != std::string_view::npos && s.size() - second - kSeparator.size() >= 4;
}

// The next few fields of the log, read on demand: whether a record is whole shows only in the
// fields after it.
class Lookahead {
public:
    explicit Lookahead(std::string_view text) : reader_(text) {}

    // The field `i` (below 8) places ahead, or null when the text ends before it.
    const std::string_view* Peek(size_t i) {
        while (count_ <= i && reader_.Next(&fields_[(first_ + count_) & kMask])) ++count_;
        return i < count_ ? &fields_[(first_ + i) & kMask] : nullptr;
    }
    void Drop(size_t n) {
        for (; n > 0 && Peek(0); --n) {
            first_ = (first_ + 1) & kMask;
            --count_;
        }
    }

private:
    static constexpr size_t kMask = 7;
    FieldReader reader_;
    std::string_view fields_[kMask + 1];
    size_t first_ = 0;
    size_t count_ = 0;
};

}  // namespace

std::vector<LogRecord> ParseFrameRateLog(std::string_view text) {
    std::vector<LogRecord> records;
    // A whole record takes at least ten characters (its separators and the four dropped ones).
    records.reserve(std::min(kMaxRecords, text.size() / 10));
    Lookahead fields(text);
    while (records.size() < kMaxRecords && fields.Peek(0)) {
        LogRecord entry;
        const std::string_view* f[5];
        for (size_t i = 0; i < 5; ++i) f[i] = fields.Peek(i);
        // A measurement always starts a record with the field before it as its label; one in
        // place of the frame count or the next label means this record was cut short there.
        const bool cut_short = (f[3] && IsMeasurement(*f[3])) || (f[4] && IsMeasurement(*f[4]));
        if (f[3] && !cut_short && SplitMeasurement(*f[1], &entry.record)) {
            FitInto(entry.record.label, *f[0]);
            entry.score = *f[2];
            entry.frame_count = *f[3];
            fields.Drop(4);
        } else {
            // A damaged record still counts as one; the reading goes on at the next label.
            entry = LogRecord{};
            entry.malformed = true;
            fields.Drop(1);
            while (fields.Peek(1) && !IsMeasurement(*fields.Peek(1))) fields.Drop(1);
            if (!fields.Peek(1)) fields.Drop(1);
        }
        records.push_back(std::move(entry));
    }
    return records;
}

std::string FrameRateLogPath(const std::string& install_folder) {
    return install_folder + "\\Benchmark\\lowframerate.log";
}

bool ReadFrameRateLog(const std::string& install_folder, std::vector<LogRecord>* records) {
    records->clear();
    if (install_folder.empty()) return true;
    const std::string path = FrameRateLogPath(install_folder);
    std::string text;
    if (!platform::ReadWholeFile(path, &text, nullptr)) return platform::GetAttributes(path) == 0;
    *records = ParseFrameRateLog(text);
    return true;
}

}  // namespace results
