#include "net/UrlEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(UrlEncoding, KeepsUnreservedCharactersAndEncodesEveryOtherByte) {
    EXPECT_EQ(urlEncode("Az09-._~"), "Az09-._~");
    EXPECT_EQ(urlEncode("Winston-Salem, NC"), "Winston-Salem%2C%20NC");
    EXPECT_EQ(urlEncode("a&b=c?d#e+f%g/h"), "a%26b%3Dc%3Fd%23e%2Bf%25g%2Fh");
    EXPECT_EQ(urlEncode("Z\xC3\xBCrich"), "Z%C3%BCrich");
    EXPECT_EQ(urlEncode(std::string("a\0b", 3)), "a%00b");
    EXPECT_EQ(urlEncode(""), "");
}

TEST(UrlEncoding, QueryAndPathValuesEncodeOnlyWhatWouldBreakTheirPart) {
    EXPECT_EQ(queryValue("US80301"), "US80301");
    EXPECT_EQ(queryValue("a b&c=d#e+f%"), "a%20b%26c=d%23e%2Bf%25");
    EXPECT_EQ(queryValue("a/b?c"), "a/b?c");
    EXPECT_EQ(pathSegmentValue("../x?y\\z"), "..%2Fx%3Fy%5Cz");
    EXPECT_EQ(pathSegmentValue("Z\xC3\xBC"), "Z%C3%BC");
}

} // namespace
