// Text from outside the program made safe to put into an HTML page.
#pragma once

#include <string>
#include <string_view>

namespace results {

// "&", "<", ">" and the double quote as entities; everything else unchanged.
std::string HtmlEscape(std::string_view text);

}  // namespace results
