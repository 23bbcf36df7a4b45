#include "net/XmlEscape.h"

#include "net/XmlPathQuery.h"

#include <gtest/gtest.h>

namespace {

TEST(XmlEscape, EscapesMarkupAndBothQuotes) {
    EXPECT_EQ(xmlEscape(R"(a&b<c>"d"'e')"), "a&amp;b&lt;c&gt;&quot;d&quot;&apos;e&apos;");
    EXPECT_EQ(xmlEscape(""), "");
    EXPECT_EQ(xmlEscape("Z\xC3\xBCrich"), "Z\xC3\xBCrich");
}

TEST(XmlEscape, EscapedTextReadsBackUnchanged) {
    const std::string value = R"(Fish & Chips <"Joe's">)";
    const std::string doc = "<r a=\"" + xmlEscape(value) + "\" b='" + xmlEscape(value) + "'>" +
                            xmlEscape(value) + "</r>";
    EXPECT_EQ(queryXmlPath(doc, "/r/@a"), value);
    EXPECT_EQ(queryXmlPath(doc, "/r/@b"), value);
    EXPECT_EQ(queryXmlPath(doc, "/r/text()"), value);
}

} // namespace
