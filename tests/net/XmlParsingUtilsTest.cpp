#include "net/XmlParsingUtils.h"

#include <gtest/gtest.h>
#include <string>
#include <tinyxml.h>

namespace {

class XmlParsingUtilsTest : public ::testing::Test {
protected:
    const TiXmlElement* parse(const std::string& text) {
        EXPECT_TRUE(parseXmlDocument(m_document, text)) << text;
        return m_document.RootElement();
    }
    TiXmlDocument m_document{"ResolveLocation_Memory_XML"};
};

TEST_F(XmlParsingUtilsTest, NodeValueIsTheFirstChildWhenItIsText) {
    const TiXmlElement* loc = parse(R"(<loc id="X1" type="1">Springfield, IL</loc>)");
    EXPECT_EQ(getNodeValue(loc), "Springfield, IL");
    EXPECT_EQ(getNodeValue(parse("<loc/>")), "");
    EXPECT_EQ(getNodeValue(parse("<loc><!-- c -->text</loc>")), "");
    EXPECT_EQ(getNodeValue(parse("<loc><b>x</b>text</loc>")), "");
    EXPECT_EQ(getNodeValue(parse("<loc>Caf&#233; &amp; Bar</loc>")), "Caf\xC3\xA9 & Bar");
    EXPECT_EQ(getNodeValue(nullptr), "");
}

TEST_F(XmlParsingUtilsTest, AttributeValueNeedsAnElementWithThatExactName) {
    const TiXmlElement* loc = parse(R"(<loc id="a&amp;b" type="" Kind="k">City</loc>)");
    EXPECT_EQ(getAttributeValue(loc, "id"), "a&b");
    EXPECT_EQ(getAttributeValue(loc, "type"), "");
    EXPECT_EQ(getAttributeValue(loc, "kind"), "");
    EXPECT_EQ(getAttributeValue(loc, "missing"), "");
    EXPECT_EQ(getAttributeValue(loc->FirstChild(), "id"), "");
    EXPECT_EQ(getAttributeValue(loc, std::string("id\0x", 4)), "");
    EXPECT_EQ(getAttributeValue(nullptr, "id"), "");
}

TEST_F(XmlParsingUtilsTest, RejectsBrokenAndAbsurdlyDeepDocuments) {
    EXPECT_FALSE(parseXmlDocument(m_document, "<search><loc>x</loc>"));
    EXPECT_EQ(m_document.RootElement(), nullptr);
    EXPECT_FALSE(parseXmlDocument(m_document, ""));

    std::string deep;
    for (int i = 0; i < 200000; ++i) {
        deep += "<a>";
    }
    EXPECT_FALSE(parseXmlDocument(m_document, deep));

    std::string nested;
    for (int i = 0; i < kMaxXmlDocumentDepth; ++i) {
        nested += "<a x='>'><b/><!-- <c> --><![CDATA[<d>]]>";
    }
    for (int i = 0; i < kMaxXmlDocumentDepth; ++i) {
        nested += "</a>";
    }
    EXPECT_TRUE(parseXmlDocument(m_document, nested));
}

TEST_F(XmlParsingUtilsTest, BytesThatAreNotUtf8AreReadAsLatin1) {
    EXPECT_EQ(getNodeValue(parse("<loc>Caf\xE9</loc>")), "Caf\xC3\xA9");
    EXPECT_EQ(getNodeValue(parse("<loc>Z\xC3\xBCrich</loc>")), "Z\xC3\xBCrich");
    EXPECT_EQ(getAttributeValue(parse("<loc n='\xFF\xFE'/>"), "n"), "\xC3\xBF\xC3\xBE");
    // Truncated and overlong sequences, surrogates, and an entity right at
    // the end of a run of stray bytes must neither crash nor be kept raw.
    const std::string hostile[] = {"<a>\xE2\x82</a>", "<a>\xC0\xAF</a>", "<a>\xED\xA0\x80</a>",
                                   "<a b=\"x\xF4\x90\x80\x80\"/>",
                                   "<ss><p id=\"o\xF3"
                                   "e\xD1t\xFF\xFF\xFF\xFF&am\xFF/o"};
    for (const std::string& text : hostile) {
        parseXmlDocument(m_document, text);
    }
}

} // namespace
