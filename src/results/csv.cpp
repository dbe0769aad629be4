// Writing and reading comma-separated records.
#include "results/csv.h"

namespace results {

namespace {

bool NeedsQuotes(const std::string& field) {
    if (field.find_first_of(",\"\r\n") != std::string::npos) return true;
    // Spreadsheets trim unquoted spaces at the ends; quotes keep them.
    return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

}  // namespace

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& field = fields[i];
        if (!NeedsQuotes(field)) {
            line += field;
            continue;
        }
        line += '"';
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
            record.push_back(std::move(field));
            field.clear();
            ++i;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            record.push_back(std::move(field));
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
        record.push_back(std::move(field));
        records->push_back(std::move(record));
    }
    return true;
}

}  // namespace results
