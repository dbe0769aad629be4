// Comma-separated values as RFC 4180 has them: one record to a line of text, and back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace results {

// One record: fields joined by commas, a field quoted (quotes doubled) when it holds a comma,
// a quote, CR or LF (or leading/trailing spaces); ends with CR LF. A field a spreadsheet would run
// as a formula (it begins with "=", "+", "-", "@", tab or CR and is no number such as "-3.5") gets
// a leading apostrophe, which spreadsheets show as text; so does such a field that already begins
// with apostrophes, so that ParseCsv can tell ours from the field's own.
std::string CsvLine(const std::vector<std::string>& fields);

// Every record of the text (quoted fields may span lines; CR LF, LF accepted), each field without
// the apostrophe CsvLine put before it. False with `error` when a quote is never closed or text
// follows a closing quote.
bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>>* records,
              std::string* error);

}  // namespace results
