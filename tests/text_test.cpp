// Text values, their operations and code page 936.

#include <gtest/gtest.h>

#include <string>

#include "text/cp936.h"
#include "text/number.h"
#include "text/text.h"

namespace {

Text T(std::string_view bytes) { return Text::FromBytes(bytes); }

TEST(Text, NullAndEmptyAreTheSame) {
    const Text none;
    EXPECT_EQ(TextLength(none), 0u);
    EXPECT_STREQ(none.data(), "");
    EXPECT_EQ(T(""), none);
    // A zero byte ends a text.
    EXPECT_EQ(T(std::string_view("ab\0cd", 5)), T("ab"));
}

TEST(Text, CopiesAreIndependent) {
    Text a = T("abc");
    Text b = a;
    a = T("x");
    EXPECT_EQ(b, T("abc"));
    Text c = std::move(b);
    EXPECT_EQ(c, T("abc"));
    EXPECT_TRUE(b.empty());
}

TEST(CompareText, Cases) {
    struct Case {
        std::string_view a, b;
        int expected;
    } cases[] = {
        {"", "", 0},          {"", "0", -1},      {"0", "", 1},      {"a", "b", -1},
        {"\xB0", "a", 1},     {"ab", "abc", -1},  {"abc", "ab", 1},  {"abc", "abc", 0},
        {"\x7F", "\x80", -1},  // bytes compare unsigned
    };
    for (const Case& c : cases) EXPECT_EQ(CompareText(T(c.a), T(c.b)), c.expected) << c.a << " vs " << c.b;
}

TEST(ConcatText, JoinsInOrder) {
    EXPECT_EQ(ConcatText(Text(), Text()), Text());
    EXPECT_EQ(ConcatText(T("ab"), Text(), T("c")), T("abc"));
    EXPECT_EQ(ConcatText(T("a"), T("\xD6\xD0"), T("1"), T("@"), T("\r\n")).view(), "a\xD6\xD0" "1@\r\n");
}

TEST(CharFromCode, LowEightBits) {
    EXPECT_EQ(CharFromCode(0), Text());
    EXPECT_EQ(CharFromCode(256), Text());
    EXPECT_EQ(CharFromCode(97), T("a"));
    EXPECT_EQ(CharFromCode(474), T("\xDA"));
    EXPECT_EQ(CharFromCode(-38), T("\xDA"));
}

TEST(IntToText, Cases) {
    struct Case {
        std::int32_t value;
        std::string_view text;
    } cases[] = {{0, "0"}, {7, "7"}, {-7, "-7"}, {100, "100"}, {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"}};
    for (const Case& c : cases) EXPECT_EQ(IntToText(c.value).view(), c.text);
}

TEST(TextToInt, Cases) {
    struct Case {
        std::string_view text;
        std::int32_t value;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"12", 12},
        {" 12", 12},
        {"\t\n 8", 8},
        {"\v\f\r9", 9},
        {"0012", 12},
        {"12abc", 12},
        {"12 34", 12},
        {"abc", 0},
        {"-5", -5},
        {"+5", 5},
        {"- 5", 0},
        {"--5", 0},
        {"+-5", 0},
        {"3.9", 3},
        {"1e3", 1},
        {"0x10", 0},
        {"1,000", 1},
        {"\xA3\xB2\xA3\xB3", 23},              // full-width 2 3
        {"\xA3\xAD\xA3\xB5", -5},              // full-width minus 5
        {"\xA3\xAB\xA3\xB5", 5},               // full-width plus 5
        {"\xA1\xA1\xA3\xB4\xA3\xB2", 42},      // ideographic space, full-width 4 2
        {"\xD2\xBB\xB6\xFE\xC8\xFD", 0},       // 一二三
        {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},
        {"4294967295", -1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"-2147483648", -2147483647 - 1},
        {"99999999999999999999", 1661992959},  // wraps, digit after digit
        {"12\xB0", 12},                         // lone lead byte at the end
        {"\xB0" "5", 0},                        // a lead byte takes the digit as its trail
        {"\xA1\xAB" "5", 0},                    // "~" is no blank
        {" \xA3\xB0", 0},                       // full-width zero
        {"\x85\x31\x81\x30" "7", 0},            // a character outside code page 936 first
    };
    for (const Case& c : cases) EXPECT_EQ(TextToInt(T(c.text)), c.value) << '"' << c.text << '"';
}

TEST(FoldFullWidth, EveryPairOfTheTable) {
    EXPECT_EQ(FoldFullWidth(T("\xA1\xA1")), T(" "));
    EXPECT_EQ(FoldFullWidth(T("\xA1\xAB")), T("~"));
    EXPECT_EQ(FoldFullWidth(T("\xA1\xEE\xA1\xEF")), T("**"));
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
        const char pair[2] = {'\xA3', static_cast<char>(trail)};
        EXPECT_EQ(FoldFullWidth(T(std::string_view(pair, 2))), CharFromCode(static_cast<int>(trail - 0x80)));
    }
    // Neighbours of the table stay as they are.
    EXPECT_EQ(FoldFullWidth(T("\xA1\xA2\xA3\xA0\xA2\xB0")), T("\xA1\xA2\xA3\xA0\xA2\xB0"));
    EXPECT_EQ(FoldFullWidth(T("ab\xA3")), T("ab"));
}

TEST(TextToBytes, Bytes) {
    EXPECT_EQ(TextToBytes(Text()).count(), 0);
    const Bytes bytes = TextToBytes(T("a\xD6\xD0"));
    ASSERT_EQ(bytes.count(), 3);
    EXPECT_EQ(bytes.view(), "a\xD6\xD0");
}

TEST(TextBuilder, GrowsPastItsGuess) {
    TextBuilder builder(2);
    for (int i = 0; i < 1000; ++i) builder.Append(static_cast<char>('a' + i % 26));
    builder.Append(std::string_view("xyz"));
    const Text text = builder.Finish();
    EXPECT_EQ(text.size(), 1003u);
    EXPECT_EQ(text.view().substr(0, 3), "abc");
    EXPECT_EQ(text.view().substr(1000), "xyz");
}

// One table of characters, used both ways.
struct Cp936Row {
    const char* name;
    std::u16string unicode;
    std::string_view bytes;
};
const Cp936Row kCp936[] = {
    {"ascii", u"abc 123\r\n", "abc 123\r\n"},
    {"chinese", u"中文张三", "\xD6\xD0\xCE\xC4\xD5\xC5\xC8\xFD"},
    {"full-width", u"０～", "\xA3\xB0\xA1\xAB"},
    {"euro is one byte", u"€", "\x80"},
    {"first and last generated pair", u"鞍谮", "\xB0\xB0\xDA\xDA"},
    {"outside: a-umlaut", u"ä", "\x81\x30\x97\x38"},
    {"outside: emoji", u"😀", "\x8B\x31\xFE\x32"},
    {"outside: zero", std::u16string(1, u'\0'), "\x81\x30\x81\x30"},
    {"outside: lone surrogate", std::u16string(1, char16_t(0xD800)), "\x85\x33\xF0\x36"},
};

TEST(Cp936, EncodeAndDecode) {
    for (const Cp936Row& row : kCp936) {
        EXPECT_EQ(EncodeCp936(row.unicode).view(), row.bytes) << row.name;
        EXPECT_EQ(DecodeCp936(row.bytes), row.unicode) << row.name;
    }
}

TEST(Cp936, BrokenBytesDecodeAsReplacement) {
    EXPECT_EQ(DecodeCp936("a\xB0"), u"a\uFFFD");    // lead byte at the end
    EXPECT_EQ(DecodeCp936("\xFF" "b"), u"\uFFFDb");  // never a lead byte
    EXPECT_EQ(DecodeCp936("\x81\x30z"), u"\uFFFD" "0z");  // a cut-off four-byte form
}

TEST(Cp936, EveryPairRoundTrips) {
    int characters = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string unicode = DecodeCp936(std::string_view(pair, 2));
            if (unicode.size() != 1 || unicode[0] == 0xFFFD) continue;
            ++characters;
            EXPECT_EQ(EncodeCp936(unicode).view(), std::string_view(pair, 2)) << std::hex << lead << trail;
        }
    }
    EXPECT_GT(characters, 21000);
}

TEST(Cp936, FindUnsavable) {
    EXPECT_FALSE(FindUnsavable(EncodeCp936(u"abc\r\n中文€\r\n").view()));
    const auto found = FindUnsavable(EncodeCp936(u"abc\r\n中文\r\nxä").view());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->line, 3u);
    EXPECT_EQ(found->codePoint, U'ä');
    EXPECT_EQ(DescribeCharacter(U'ä'), "“ä”(U+00E4)");
}

TEST(Cp936, Utf8) {
    EXPECT_EQ(TextFromUtf8("账号生成完毕！").view(), "\xD5\xCB\xBA\xC5\xC9\xFA\xB3\xC9\xCD\xEA\xB1\xCF\xA3\xA1");
    EXPECT_EQ(Cp936ToUtf8("cfr\xD8\xB7\xDA\xCD" "4862"), "cfr胤谕4862");
    EXPECT_EQ(Cp936ToUtf8(TextFromUtf8("ä😀").view()), "ä😀");
    EXPECT_EQ(TextFromUtf8("\xFF" "a").view(), EncodeCp936(u"\uFFFDa").view());
}

}  // namespace
