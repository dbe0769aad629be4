// Writing and reading comma-separated records.
#include "results/csv.h"

namespace results {

namespace {

bool NeedsQuotes(const std::string& field) {
    if (field.find_first_of(",\"\r\n") != std::string::npos) return true;
    // Spreadsheets trim unquoted spaces at the ends; quotes keep them.
    return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

// "-3.5", "+4", "1e-3": what a spreadsheet reads as a number rather than a formula.
bool IsNumber(std::string_view s) {
    size_t i = s.starts_with('+') || s.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        const size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - from;
    };
    size_t count = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        count += digits();
    }
    if (count == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == s.size();
}

// True when CsvLine puts an apostrophe before `field`: a formula, also behind apostrophes.
bool NeedsApostrophe(std::string_view field) {
    const size_t first = field.find_first_not_of('\'');
    if (first == std::string_view::npos) return false;
    const char c = field[first];
    const bool formula = c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
    return formula && !IsNumber(field);
}

// The field as it was before CsvLine: without the one apostrophe it added.
std::string WithoutOurApostrophe(std::string field) {
    if (field.starts_with('\'') && NeedsApostrophe(std::string_view(field).substr(1)))
        field.erase(0, 1);
    return field;
}

}  // namespace

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& field = fields[i];
        const bool apostrophe = NeedsApostrophe(field);
        if (!NeedsQuotes(field)) {
            if (apostrophe) line += '\'';
            line += field;
            continue;
        }
        line += '"';
        if (apostrophe) line += '\'';
        for (char c : field) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    line += "\r\n";
    return line;
}

bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>>* records,
              std::string* error) {
    records->clear();
    std::vector<std::string> record;
    std::string field;
    size_t line = 1;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"' && field.empty()) {
            // A quoted field: runs to the quote not followed by another quote.
            const size_t opened_on = line;
            ++i;
            for (;;) {
                if (i >= text.size()) {
                    if (error)
                        *error = "A quote opened on line " + std::to_string(opened_on) +
                                 " is never closed.";
                    return false;
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n') ++line;
                field += text[i++];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n' &&
                !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
                if (error)
                    *error = "Text follows a closing quote on line " + std::to_string(line) + ".";
                return false;
            }
            continue;
        }
        const char c = text[i];
        if (c == ',') {
            record.push_back(WithoutOurApostrophe(std::move(field)));
            field.clear();
            ++i;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            record.push_back(WithoutOurApostrophe(std::move(field)));
            field.clear();
            records->push_back(std::move(record));
            record.clear();
            i += c == '\r' ? 2 : 1;
            ++line;
        } else {
            field += c;
            ++i;
        }
    }
    // The last record may end without a line end.
    if (!record.empty() || !field.empty() || (!text.empty() && text.back() == '"')) {
        record.push_back(WithoutOurApostrophe(std::move(field)));
        records->push_back(std::move(record));
    }
    return true;
}

}  // namespace results
