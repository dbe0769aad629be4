// One measurement of the game's frame-rate log, as fixed-width text.
#pragma once

#include <string>

namespace results {

inline constexpr size_t kLabelWidth = 14;
inline constexpr size_t kValueWidth = 10;

// Every field always holds exactly its width in characters: a longer text is cut, a shorter one
// filled with spaces on the right. The values stay the game's text; nothing converts them.
struct FrameRateRecord {
    std::string label = std::string(kLabelWidth, ' ');
    std::string low = std::string(kValueWidth, ' ');
    std::string average = std::string(kValueWidth, ' ');
    std::string high = std::string(kValueWidth, ' ');
};

// `text` left-aligned in `width` characters: cut, or filled with spaces.
inline std::string FitToWidth(const std::string& text, size_t width) {
    std::string s = text.substr(0, width);
    s.resize(width, ' ');
    return s;
}

}  // namespace results
