#include "net/XmlPathQuery.h"

#include <gtest/gtest.h>
#include <string>
#include <tinyxml.h>

namespace {

const std::string kObservation = R"(<?xml version="1.0" encoding="UTF-8"?>
<observation city="Springfield">
  <wxIcon>26</wxIcon>
  <temp>54</temp>
  <text>Cloudy &amp; Cool</text>
</observation>)";

const std::string kCatalogue = R"(<?xml version="1.0"?>
<ss>
  <app><cycle>7</cycle></app>
  <packs>
    <pack id="coast">
      <dlurl lfn="coast.wxs">http://127.0.0.1/coast.wxs</dlurl>
      <desc>Coastlines</desc>
    </pack>
    <pack id="peaks">
      <dlurl lfn="peaks.wxs">http://127.0.0.1/peaks.wxs?a=1&amp;b=2</dlurl>
      <desc>Mountain &lt;peaks&gt; &#233;t&#xE9;</desc>
      <promo show="1">
        <ranking>3</ranking>
        <imgurl lfn="peaks.jpg">http://127.0.0.1/peaks.jpg</imgurl>
        <unique_val>u-42</unique_val>
        <tracking>
          <promo_disp>pd</promo_disp><sel_yes>sy</sel_yes><sel_no>sn</sel_no>
          <sel_later>sl</sel_later><dwnld_init>di</dwnld_init>
          <dwnld_succ>ds</dwnld_succ><dwnld_fail>df</dwnld_fail>
        </tracking>
      </promo>
    </pack>
  </packs>
</ss>)";

std::string pack(int n, const std::string& rest) {
    return queryXmlPath(kCatalogue, "/ss/packs/pack[" + std::to_string(n) + "]" + rest);
}

TEST(XmlPathQuery, ReadsTheObservationValues) {
    EXPECT_EQ(queryXmlPath(kObservation, "/observation/wxIcon/text()"), "26");
    EXPECT_EQ(queryXmlPath(kObservation, "/observation/temp/text()"), "54");
    EXPECT_EQ(queryXmlPath(kObservation, "/observation/text/text()"), "Cloudy & Cool");
    EXPECT_EQ(queryXmlPath(kObservation, "/observation/@city"), "Springfield");
}

TEST(XmlPathQuery, ReadsEveryCatalogueField) {
    EXPECT_EQ(queryXmlPath(kCatalogue, "/ss/app/cycle/text()"), "7");
    EXPECT_EQ(pack(1, "/@id"), "coast");
    EXPECT_EQ(pack(2, "/@id"), "peaks");
    EXPECT_EQ(pack(1, "/dlurl/text()"), "http://127.0.0.1/coast.wxs");
    EXPECT_EQ(pack(2, "/dlurl/text()"), "http://127.0.0.1/peaks.wxs?a=1&b=2");
    EXPECT_EQ(pack(2, "/dlurl/@lfn"), "peaks.wxs");
    EXPECT_EQ(pack(2, "/desc/text()"), "Mountain <peaks> \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(pack(2, "/promo/@show"), "1");
    EXPECT_EQ(pack(2, "/promo/ranking/text()"), "3");
    EXPECT_EQ(pack(2, "/promo/imgurl/text()"), "http://127.0.0.1/peaks.jpg");
    EXPECT_EQ(pack(2, "/promo/imgurl/@lfn"), "peaks.jpg");
    EXPECT_EQ(pack(2, "/promo/unique_val/text()"), "u-42");
    const char* tracking[][2] = {{"promo_disp", "pd"}, {"sel_yes", "sy"},    {"sel_no", "sn"},
                                 {"sel_later", "sl"},  {"dwnld_init", "di"}, {"dwnld_succ", "ds"},
                                 {"dwnld_fail", "df"}};
    for (const auto& [name, value] : tracking) {
        EXPECT_EQ(pack(2, std::string("/promo/tracking/") + name + "/text()"), value) << name;
    }
    EXPECT_EQ(pack(1, "/promo/@show"), "");
}

TEST(XmlPathQuery, AbsentAndEmptyValuesAreEmpty) {
    EXPECT_EQ(pack(3, "/@id"), "");
    EXPECT_EQ(pack(99999999, "/@id"), "");
    EXPECT_EQ(pack(0, "/@id"), "");
    EXPECT_EQ(queryXmlPath("<observation><temp></temp></observation>", "/observation/temp/text()"),
              "");
    EXPECT_EQ(queryXmlPath("<observation><temp/></observation>", "/observation/temp/text()"), "");
    EXPECT_EQ(queryXmlPath(R"(<a><b x=""/></a>)", "/a/b/@x"), "");
    EXPECT_EQ(queryXmlPath(R"(<a><b x=""/></a>)", "/a/b/@y"), "");
    EXPECT_EQ(queryXmlPath(kObservation, "/observation/Temp/text()"), "");
    EXPECT_EQ(queryXmlPath(kObservation, "/temp/text()"), "");
}

TEST(XmlPathQuery, PositionsCountWithinEachParent) {
    const std::string doc = "<r><g><i>a</i><i>b</i></g><g><i>c</i></g><g><i>d</i><i>e</i></g></r>";
    EXPECT_EQ(queryXmlPath(doc, "/r/g/i[2]/text()"), "b");
    EXPECT_EQ(queryXmlPath(doc, "/r/g[3]/i[2]/text()"), "e");
    EXPECT_EQ(queryXmlPath(doc, "/r/g[2]/i[2]/text()"), "");
    EXPECT_EQ(queryXmlPath(doc, "/r/g/i/text()"), "a");
    EXPECT_EQ(queryXmlPath(doc, "/r/g[2]"), "c");
    EXPECT_EQ(queryXmlPath(doc, "/r"), "abcde");
    EXPECT_EQ(queryXmlPath(doc, " / r / g [ 3 ] / i [ 1 ] / text ( ) "), "d");
}

TEST(XmlPathQuery, TextStepSkipsLeadingChildElements) {
    EXPECT_EQ(queryXmlPath("<a><b>x</b>tail</a>", "/a/text()"), "tail");
    EXPECT_EQ(queryXmlPath("<a><![CDATA[<raw>]]></a>", "/a/text()"), "<raw>");
}

TEST(XmlPathQuery, DocumentsThatDoNotParseGiveNothing) {
    const std::string truncated = kCatalogue.substr(0, kCatalogue.find("<desc>Coast") + 8);
    EXPECT_EQ(queryXmlPath(truncated, "/ss/app/cycle/text()"), "");
    EXPECT_EQ(queryXmlPath(truncated, "/ss/packs/pack[1]/@id"), "");
    EXPECT_EQ(queryXmlPath("<observation><temp>5</temp><te", "/observation/temp/text()"), "");
    EXPECT_EQ(queryXmlPath("", "/observation/temp/text()"), "");
    EXPECT_EQ(queryXmlPath("not xml at all", "/observation/temp/text()"), "");
}

TEST(XmlPathQuery, MalformedOrUnsupportedExpressionsGiveNothing) {
    const char* bad[] = {"",
                         "observation/temp/text()",
                         "/observation/",
                         "//temp/text()",
                         "/observation/*",
                         "/observation/temp[",
                         "/observation/temp[]",
                         "/observation/temp[1",
                         "/observation/temp[-1]",
                         "/observation/temp[1][1]",
                         "/observation/temp[last()]",
                         "/observation/@city/text()",
                         "/observation/text()/x",
                         "/observation/text(",
                         "/observation/temp/text() | /observation",
                         "/observation/@",
                         "/observation/1temp",
                         "/observation/.."};
    for (const char* expression : bad) {
        EXPECT_EQ(queryXmlPath(kObservation, expression), "") << expression;
    }
    EXPECT_EQ(queryXmlPath(kObservation, std::string_view("/observation/temp\0", 18)), "");
}

TEST(XmlPathQuery, OverlongAndOverdeepExpressionsGiveNothing) {
    std::string deepDoc;
    std::string deepPath;
    for (std::size_t i = 0; i < kMaxXmlPathSteps + 1; ++i) {
        deepDoc += "<n>";
        deepPath += "/n";
    }
    deepDoc += "v";
    for (std::size_t i = 0; i < kMaxXmlPathSteps + 1; ++i) {
        deepDoc += "</n>";
    }
    EXPECT_EQ(queryXmlPath(deepDoc, deepPath.substr(0, kMaxXmlPathSteps * 2)), "v");
    EXPECT_EQ(queryXmlPath(deepDoc, deepPath), "");
    std::string longName(kMaxXmlPathLength, 'a');
    EXPECT_EQ(queryXmlPath("<" + longName + ">v</" + longName + ">", "/" + longName), "");
}

TEST(XmlPathQuery, EvaluatesFromAnyNodeOfAParsedTree) {
    TiXmlDocument document;
    document.Parse(kObservation.c_str());
    ASSERT_FALSE(document.Error());
    const TiXmlElement* temp = document.RootElement()->FirstChildElement("temp");
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(evaluateXmlPath(*temp, "/observation/wxIcon/text()"), "26");
    TiXmlElement detached("temp");
    EXPECT_EQ(evaluateXmlPath(detached, "/temp"), "");
}

} // namespace
