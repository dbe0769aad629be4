// Escaping text for HTML element content and double-quoted attributes.
#include "results/html_text.h"

namespace results {

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string PageText(std::string_view text, bool keep_line_ends) {
    std::string clean(text);
    for (char& c : clean) {
        const bool line_end = c == '\t' || c == '\n' || c == '\r';
        if ((static_cast<unsigned char>(c) < 0x20 && !(keep_line_ends && line_end)) || c == 0x7F)
            c = ' ';
    }
    return HtmlEscape(clean);
}

}  // namespace results
