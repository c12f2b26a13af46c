#include "document/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Byte strings of the CP932 reference table.
std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

struct CodecCase {
    const char* utf8;
    std::string cp932;
};

} // namespace

// UTF-8 texts of the program and their CP932 bytes (half-width katakana are single bytes).
TEST(TextCodec, Cp932BytesBothWays) {
    const CodecCase cases[] = {
        {"Order:,12,", "Order:,12,"},
        {"ｶｲｻﾞｰ窓", Bytes({0xB6, 0xB2, 0xBB, 0xDE, 0xB0, 0x91, 0x8B})},
        {"ﾒﾓﾘの確保", Bytes({0xD2, 0xD3, 0xD8, 0x82, 0xCC, 0x8A, 0x6D, 0x95, 0xDB})},
        {"β=0～20", Bytes({0x83, 0xC0, '=', '0', 0x81, 0x60, '2', '0'})},
        {"①", Bytes({0x87, 0x40})},
    };
    for (const CodecCase& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(FileTextToUtf8(c.cp932), c.utf8) << c.utf8;
    }
    // U+301C WAVE DASH is written as 81 60 too, which reads back as U+FF5E.
    EXPECT_EQ(Utf8ToCp932("〜"), Bytes({0x81, 0x60}));
}

// A character CP932 cannot hold becomes "?" and the text around it is kept.
TEST(TextCodec, UnmappableCharactersBecomeAQuestionMark) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("😀😀"), "??");
    EXPECT_EQ(Utf8ToCp932("ｶ\xFFｶ"), Bytes({0xB6, '?', 0xB6})); // invalid UTF-8 byte
}

TEST(TextCodec, FileTextIsUtf8WithOrWithoutMarkElseCp932) {
    EXPECT_EQ(FileTextToUtf8("\xEF\xBB\xBF"
                             "カイ"),
              "カイ");
    EXPECT_EQ(FileTextToUtf8("カイ"), "カイ");
    EXPECT_EQ(FileTextToUtf8(Bytes({0x83, 0x4A, 0x83, 0x43})), "カイ");
    EXPECT_TRUE(IsValidUtf8("カイ"));
    EXPECT_FALSE(IsValidUtf8(Bytes({0x83, 0x4A})));
    EXPECT_FALSE(IsValidUtf8(Bytes({0xE3, 0x82}))); // cut short
}
