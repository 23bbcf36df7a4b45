#include "net/TovakError.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(TovakError, AMessageIsCutTo511BytesWithoutSplittingACharacter) {
    TOVAKERROR record;
    clearTovakError(&record);
    setTovakError(&record, 4, 0, std::string(600, 'x').c_str());
    EXPECT_EQ(std::strlen(record.message), 511u);
    EXPECT_EQ(record.message[511], '\0');

    // "é" at bytes 510 and 511 would be cut in half: it goes whole.
    setTovakErrorMessage(&record, (std::string(510, 'x') + "\xC3\xA9" + "tail").c_str());
    EXPECT_EQ(std::string(record.message), std::string(510, 'x'));
    // A four-byte character starting at byte 509 likewise.
    setTovakErrorMessage(&record, (std::string(509, 'x') + "\xF0\x9F\x8C\xA7").c_str());
    EXPECT_EQ(std::string(record.message), std::string(509, 'x'));
    // One that ends exactly at the bound stays.
    setTovakErrorMessage(&record, (std::string(509, 'x') + "\xC3\xA9" + "y").c_str());
    EXPECT_EQ(std::string(record.message), std::string(509, 'x') + "\xC3\xA9");
    // Bytes that are not UTF-8 are cut at the bound as they are.
    setTovakErrorMessage(&record, std::string(600, '\xA9').c_str());
    EXPECT_EQ(std::strlen(record.message), 511u);

    setTovakErrorMessage(&record, "short");
    EXPECT_EQ(std::string(record.message), "short");
    EXPECT_EQ(record.message[6], '\0'); // nothing of the longer text is left
}

} // namespace
