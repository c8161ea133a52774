#include "core/Cp1250.h"

#include <gtest/gtest.h>

using namespace kod;

namespace {

// The Polish letters and their Windows-1250 bytes (from the code page's published table).
TEST(Cp1250, PolishLettersMapBothWays) {
    const struct {
        const char* utf8;
        unsigned char byte;
    } letters[] = {
        {"ą", 0xB9}, {"ć", 0xE6}, {"ę", 0xEA}, {"ł", 0xB3}, {"ń", 0xF1}, {"ó", 0xF3},
        {"ś", 0x9C}, {"ź", 0x9F}, {"ż", 0xBF}, {"Ą", 0xA5}, {"Ć", 0xC6}, {"Ę", 0xCA},
        {"Ł", 0xA3}, {"Ń", 0xD1}, {"Ó", 0xD3}, {"Ś", 0x8C}, {"Ź", 0x8F}, {"Ż", 0xAF},
        {"°", 0xB0}, {"·", 0xB7}, {"€", 0x80}, {"–", 0x96},
    };
    for (const auto& l : letters) {
        const std::string byte(1, static_cast<char>(l.byte));
        EXPECT_EQ(byte, ToCp1250(l.utf8)) << l.utf8;
        EXPECT_EQ(l.utf8, FromCp1250(byte)) << l.utf8;
    }
    const std::string text = "Dobór wymienników: zażółć gęślą jaźń, ZAŻÓŁĆ GĘŚLĄ JAŹŃ";
    EXPECT_EQ(text, FromCp1250(ToCp1250(text)));
    EXPECT_EQ(ToCp1250(text).size(), 55u); // one byte per character
}

TEST(Cp1250, EveryDefinedByteRoundTrips) {
    // The code page leaves 0x81, 0x83, 0x88, 0x90 and 0x98 undefined.
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = FromCp1250(byte);
        if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) {
            EXPECT_EQ("\xEF\xBF\xBD", utf8) << b; // U+FFFD
        } else {
            EXPECT_EQ(byte, ToCp1250(utf8)) << b;
        }
    }
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ("a?b", ToCp1250("a\xE2\x88\x9E"
                              "b"));              // ∞
    EXPECT_EQ("?", ToCp1250("\xF0\x9F\x98\x80")); // an emoji, four bytes
    EXPECT_EQ("?x", ToCp1250("\xC5x"));           // a cut sequence
    EXPECT_EQ("??", ToCp1250("\xFF\xFE"));
    EXPECT_EQ("\r\n", ToCp1250("\r\n"));
}

} // namespace
