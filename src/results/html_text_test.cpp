// HTML escaping of outside text.
#include "results/html_text.h"

#include <gtest/gtest.h>

namespace results {
namespace {

TEST(HtmlEscape, EscapesMarkupAndQuotesOnly) {
    EXPECT_EQ(HtmlEscape("<script>alert(\"x\")</script> & 'y'"),
              "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; 'y'");
    // An entity already in the text is text too: escaped again, shown as typed.
    EXPECT_EQ(HtmlEscape("&amp;"), "&amp;amp;");
    EXPECT_EQ(HtmlEscape("dm-inferno 63.87\t\xe9"), "dm-inferno 63.87\t\xe9");
    EXPECT_EQ(HtmlEscape(""), "");
}

TEST(PageText, NoControlCharacterReachesAPage) {
    const std::string text = "a\x01\tb\r\nc\x7f<";
    EXPECT_EQ(PageText(text, true), "a \tb\r\nc &lt;");
    EXPECT_EQ(PageText(text, false), "a  b  c &lt;");
}

}  // namespace
}  // namespace results
