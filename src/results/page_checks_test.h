// Checks shared by the tests of the pages we write: well-formed markup and counting.
#pragma once

#include <cstring>
#include <regex>
#include <string>
#include <vector>

namespace results {

// Empty when `page` is well-formed XML (after its doctype) with one root element; otherwise what
// is wrong and where.
inline std::string MarkupFault(const std::string& page) {
    const std::string doctype = "<!DOCTYPE html>\n";
    if (!page.starts_with(doctype)) return "no doctype";
    const auto where = [&](size_t i) {
        return " at " + std::to_string(i) + ": " + page.substr(i, 40);
    };
    for (size_t i = 0; i < page.size(); ++i) {
        if (static_cast<unsigned char>(page[i]) < 0x20 && !std::strchr("\n\r\t", page[i]))
            return "control character" + where(i);
    }
    std::smatch m;
    if (std::regex_search(page, m, std::regex("&(?!(amp|lt|gt|quot|apos|#[0-9]+);)")))
        return "bare &" + where(m.position());
    // Tags: <name attr="value without < or quote">, <name/> or </name>.
    const std::regex tag(R"(<(/?)([A-Za-z0-9]+)((?: +[A-Za-z0-9-]+="[^"<]*")*) *(/?)>)");
    std::vector<std::string> open;
    int roots = 0;
    size_t text = doctype.size();  // where the text after the last tag starts
    for (auto it = std::sregex_iterator(page.begin() + text, page.end(), tag);
         it != std::sregex_iterator(); ++it) {
        const size_t i = doctype.size() + it->position();
        if (page.find('<', text) < i) return "bare <" + where(page.find('<', text));
        text = i + it->length();
        const std::smatch& t = *it;
        if (t[1].length() == 0) {
            if (open.empty() && ++roots > 1) return "second root" + where(i);
            if (t[4].length() == 0) open.push_back(t[2]);
        } else if (open.empty() || open.back() != t[2] || t[3].length() || t[4].length()) {
            return "misnested" + where(i);
        } else {
            open.pop_back();
        }
    }
    if (page.find('<', text) != std::string::npos) return "bare <" + where(page.find('<', text));
    if (!open.empty()) return "unclosed <" + open.back() + ">";
    return roots == 1 ? "" : "no root";
}

inline size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace results
