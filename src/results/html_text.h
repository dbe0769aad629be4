// Text from outside the program made safe to put into an HTML page.
#pragma once

#include <string>
#include <string_view>

namespace results {

// "&", "<", ">" and the double quote as entities; everything else unchanged.
std::string HtmlEscape(std::string_view text);

// Text from a file for a page: escaped, and control characters (which no markup may hold) shown as
// spaces; tabs and line ends are kept where `keep_line_ends`, and shown as spaces otherwise.
std::string PageText(std::string_view text, bool keep_line_ends);

}  // namespace results
