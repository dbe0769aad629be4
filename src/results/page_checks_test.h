// Checks shared by the tests of the pages we write: well-formed markup, counting, and what
// headless chromium makes of a page.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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
    for (size_t i = 0; i < page.size(); ++i)
        if (static_cast<unsigned char>(page[i]) < 0x20 && !std::strchr("\n\r\t", page[i]))
            return "control character" + where(i);
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

// Nothing that runs, fetches or needs another file.
inline void ExpectSelfContained(const std::string& page) {
    for (const char* banned : {"<script", "<svg", "<img", "<link", "<iframe", "<object", "src=",
                               "href=", "url(", "http:", "https:", "@import", "javascript:"})
        EXPECT_EQ(page.find(banned), std::string::npos) << banned;
}

// The document without its tables (ours are never nested): what a browser put outside them.
inline std::string OutsideTables(std::string dom) {
    for (size_t open; (open = dom.find("<table")) != std::string::npos;) {
        const size_t close = dom.find("</table>", open);
        dom.erase(open, close == std::string::npos ? close : close + 8 - open);
    }
    return dom;
}

inline size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// What headless chromium makes of `page`: its document, or "" without chromium.
inline std::string BrowserDom(const std::string& page) {
    char folder_template[] = "/tmp/bw_report_XXXXXX";
    if (std::system("command -v chromium >/dev/null") != 0 || !mkdtemp(folder_template)) return "";
    const std::string folder = folder_template;
    std::ofstream(folder + "/report.html", std::ios::binary) << page;
    const std::string command =
        "timeout 120 chromium --headless --no-sandbox --disable-gpu "
        "--disable-background-networking --disable-component-update --no-first-run "
        "--user-data-dir=" +
        folder + "/profile --dump-dom file://" + folder + "/report.html 2>/dev/null";
    std::string dom;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) dom.append(buffer, n);
    if (!pipe || pclose(pipe) != 0) dom.clear();
    std::filesystem::remove_all(folder);
    return dom;
}

}  // namespace results
