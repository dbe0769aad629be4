// Small text helpers: numbers without printf (whose formatter alone would be some 25 KB of the
// exe), trimming and lower case.
#pragma once

#include <string>

namespace common {

// `value` in decimal, filled with leading zeros to at least `width` digits: Digits(7, 2) is "07".
inline std::string Digits(unsigned long long value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

// `text` without the spaces at its start and end (the log's fixed-width fields are filled with
// spaces; registry texts may be padded).
inline std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// `text` with ASCII letters in lower case, as option names and file extensions are compared.
inline std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace common
