// Checks shared by the tests of the pages we write: well-formed markup and counting.
#pragma once

#include <cctype>
#include <string>
#include <vector>

namespace results {

// Empty when `page` is well-formed XML (after its doctype) with one root element; otherwise what
// is wrong and where.
inline std::string MarkupFault(const std::string& page) {
    const std::string doctype = "<!DOCTYPE html>\n";
    if (page.compare(0, doctype.size(), doctype) != 0) return "no doctype";
    std::vector<std::string> open;
    int roots = 0;
    const auto name_char = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    const auto entity_at = [&](size_t i) {
        const size_t end = page.find(';', i);
        if (end == std::string::npos) return false;
        const std::string e = page.substr(i + 1, end - i - 1);
        if (e == "amp" || e == "lt" || e == "gt" || e == "quot" || e == "apos") return true;
        return e.size() > 1 && e[0] == '#' && e.find_first_not_of("0123456789", 1) == e.npos;
    };
    for (size_t i = doctype.size(); i < page.size(); ++i) {
        const char c = page[i];
        const std::string where = " at " + std::to_string(i) + ": " + page.substr(i, 40);
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return "control character" + where;
        if (c == '&' && !entity_at(i)) return "bare &" + where;
        if (c != '<') continue;
        const bool closing = page[i + 1] == '/';
        size_t j = i + (closing ? 2 : 1);
        const size_t name_start = j;
        while (j < page.size() && name_char(page[j])) ++j;
        const std::string name = page.substr(name_start, j - name_start);
        if (name.empty()) return "bare <" + where;
        if (closing) {
            if (open.empty() || open.back() != name || page[j] != '>') return "misnested" + where;
            open.pop_back();
            i = j;
            continue;
        }
        // Attributes: name="value" with no < or " inside.
        for (;;) {
            while (page[j] == ' ') ++j;
            if (page[j] == '>' || page.compare(j, 2, "/>") == 0) break;
            const size_t a = j;
            while (j < page.size() && (name_char(page[j]) || page[j] == '-')) ++j;
            if (j == a || page[j] != '=' || page[j + 1] != '"') return "bad attribute" + where;
            const size_t end = page.find('"', j + 2);
            if (end == std::string::npos || page.substr(j + 2, end - j - 2).find('<') != page.npos)
                return "bad attribute value" + where;
            j = end + 1;
        }
        if (open.empty() && ++roots > 1) return "second root" + where;
        if (page[j] == '>') open.push_back(name);
        i = page[j] == '>' ? j : j + 1;
    }
    if (!open.empty()) return "unclosed <" + open.back() + ">";
    return roots == 1 ? "" : "no root";
}

inline size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace results
