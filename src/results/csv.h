// Comma-separated values as RFC 4180 has them: one record to a line of text, and back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace results {

// One record: fields joined by commas, a field quoted (quotes doubled) when it holds a comma,
// a quote, CR or LF (or leading/trailing spaces); ends with CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

// Every record of the text (quoted fields may span lines; CR LF, LF accepted). False with
// `error` when a quote is never closed or text follows a closing quote.
bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>>* records,
              std::string* error);

}  // namespace results
