#include "location/LocationText.h"

#include <gtest/gtest.h>

namespace {

TEST(LocationText, TrimsAsciiAndUnicodeWhiteSpaceAtBothEndsOnly) {
    EXPECT_EQ(trimWhiteSpace("  \t Springfield, IL \r\n"), "Springfield, IL");
    EXPECT_EQ(trimWhiteSpace(" \t\n "), "");
    EXPECT_EQ(trimWhiteSpace(""), "");
    // No-break, ideographic and thin spaces, as pasted text brings them.
    EXPECT_EQ(trimWhiteSpace("\xC2\xA0\xE3\x80\x80"
                             "27101\xE2\x80\x89\xC2\xA0"),
              "27101");
    EXPECT_EQ(trimWhiteSpace("\xC2\xA0\xE3\x80\x80"), "");
    // Inside the text they stay.
    EXPECT_EQ(trimWhiteSpace(" St.\xC2\xA0Louis "), "St.\xC2\xA0Louis");
}

TEST(LocationText, KeepsMultiByteCharactersWholeAtTheEdges) {
    // U+00E0 ends in the byte 0xA0, as the no-break space does: it stays.
    EXPECT_EQ(trimWhiteSpace("Bogot\xC3\xA0"), "Bogot\xC3\xA0");
    EXPECT_EQ(trimWhiteSpace(" \xC3\x85"
                             "land "),
              "\xC3\x85land");
    // A stray continuation byte is not white space either.
    EXPECT_EQ(trimWhiteSpace("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(LocationText, FirstCharactersCountsCharactersNotBytes) {
    EXPECT_EQ(firstCharacters("abcdef", 3), "abc");
    EXPECT_EQ(firstCharacters("ab", 3), "ab");
    EXPECT_EQ(firstCharacters("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(firstCharacters("a\xE2\x82\xAC"
                              "b",
                              2),
              "a\xE2\x82\xAC");
    EXPECT_EQ(firstCharacters("abc", 0), "");
}

} // namespace
