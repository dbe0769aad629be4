// Numbers as text without printf, whose formatter alone would be some 25 KB of the exe.
#pragma once

#include <string>

namespace common {

// `value` in decimal, filled with leading zeros to at least `width` digits: Digits(7, 2) is "07".
inline std::string Digits(unsigned long long value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace common
