#include "CodePage.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace velkrant::CodePage {
namespace {

using test::PerCodePage;
using test::PrintTo;

Bytes B(std::initializer_list<int> values) {
    Bytes bytes;
    for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

struct EncodeCase {
    const char* name;
    std::u16string text;
    PerCodePage<Bytes> bytes;
};

class TextToBytesTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(TextToBytesTest, GivesCodePageBytes) {
    EXPECT_EQ(TextToBytes(GetParam().text), GetParam().bytes.Here());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToBytesTest,
    testing::Values(
        EncodeCase{"Empty", u"", {B({})}},
        EncodeCase{"Ascii", u"http://a/b", {B({'h', 't', 't', 'p', ':', '/', '/', 'a', '/', 'b'})}},
        EncodeCase{"ZeroKept", std::u16string(u"a\0b", 3), {B({'a', 0, 'b'})}},
        EncodeCase{"ChineseAsGbk", u"迅雷", {B({0xD1, 0xB8, 0xC0, 0xD7}), B({'?', '?'})}},
        EncodeCase{"MixedAsciiAndChinese", u"a迅", {B({'a', 0xD1, 0xB8}), B({'a', '?'})}},
        EncodeCase{"EuroSignIsSingleByte", u"€", {B({0x80})}},
        EncodeCase{"HangulNotInGbkBecomesQuestionMark", u"x한y", {B({'x', '?', 'y'})}},
        EncodeCase{"SurrogatePairIsOneQuestionMark", u"a\U0001F600b", {B({'a', '?', 'b'})}},
        EncodeCase{"LoneSurrogateIsQuestionMark", std::u16string(u"a\xD800迅", 3),
                   {B({'a', '?', 0xD1, 0xB8}), B({'a', '?', '?'})}},
        EncodeCase{"LoneSurrogateAtEnd", std::u16string(u"迅\xDBFF", 2), {B({0xD1, 0xB8, '?'}), B({'?', '?'})}},
        // The private-use area holds the code page's user-defined
        // characters on Windows, which GBK elsewhere does not have.
        EncodeCase{"PrivateUseIsQuestionMark", u"a\uE000\uF8F5b", {B({'a', '?', '?', 'b'})}}),
    test::RowName);

struct DecodeCase {
    const char* name;
    Bytes bytes;
    PerCodePage<std::u16string> text;
};

class BytesToTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(BytesToTextTest, ReadsCodePageOrCjkUtf8) {
    EXPECT_EQ(BytesToText(GetParam().bytes), GetParam().text.Here());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BytesToTextTest,
    testing::Values(
        DecodeCase{"Empty", B({}), {u""}},
        DecodeCase{"Ascii", B({'a', '/', 'b'}), {u"a/b"}},
        DecodeCase{"ZeroByteKept", B({'a', 0, 'b'}), {std::u16string(u"a\0b", 3)}},
        DecodeCase{"GbkChinese", B({0xD1, 0xB8, 0xC0, 0xD7}), {u"迅雷", u"Ñ¸À×"}},
        // "例子" in UTF-8: valid UTF-8, all non-ASCII characters CJK.
        DecodeCase{"Utf8Chinese", B({'/', 0xE4, 0xBE, 0x8B, 0xE5, 0xAD, 0x90}), {u"/例子"}},
        DecodeCase{"Utf8FullWidthAndPunctuation", B({0xEF, 0xBC, 0x81, 0xE3, 0x80, 0x82}), {u"！。"}},
        // U+2E80..U+9FFF, U+F900..U+FAFF, U+FE30..U+FE4F and U+FF00..U+FFEF:
        // the first and last code point of each range are read as UTF-8, the
        // code points just outside each range leave the bytes to GBK.
        DecodeCase{"Utf8FirstAndLastOfRadicalsToIdeographs", B({0xE2, 0xBA, 0x80, 0xE9, 0xBF, 0xBF}), {u"\u2E80\u9FFF"}},
        DecodeCase{"Utf8FirstAndLastOfCompatibilityIdeographs", B({0xEF, 0xA4, 0x80, 0xEF, 0xAB, 0xBF}),
                   {u"\uF900\uFAFF"}},
        DecodeCase{"Utf8FirstAndLastOfCompatibilityForms", B({0xEF, 0xB8, 0xB0, 0xEF, 0xB9, 0x8F}), {u"\uFE30\uFE4F"}},
        DecodeCase{"Utf8FirstAndLastOfFullWidthForms", B({0xEF, 0xBC, 0x80, 0xEF, 0xBF, 0xAF}), {u"\uFF00\uFFEF"}},
        DecodeCase{"Utf8BelowRadicalsStaysGbk", B({0xE2, 0xB9, 0xBF}), {u"夤\uFFFD", u"â¹¿"}},
        DecodeCase{"Utf8AboveIdeographsStaysGbk", B({0xEA, 0x80, 0x80}), {u"陘€", u"ê€€"}},
        DecodeCase{"Utf8BelowCompatibilityIdeographsStaysGbk", B({0xEF, 0xA3, 0xBF}), {u"铮\uFFFD", u"ï£¿"}},
        DecodeCase{"Utf8AboveCompatibilityIdeographsStaysGbk", B({0xEF, 0xAC, 0x80}), {u"铿€", u"ï¬€"}},
        DecodeCase{"Utf8BelowCompatibilityFormsStaysGbk", B({0xEF, 0xB8, 0xAF}), {u"锔\uFFFD", u"ï¸¯"}},
        DecodeCase{"Utf8AboveCompatibilityFormsStaysGbk", B({0xEF, 0xB9, 0x90}), {u"锕\uFFFD", u"ï¹\u0090"}},
        DecodeCase{"Utf8BelowFullWidthFormsStaysGbk", B({0xEF, 0xBB, 0xBF}), {u"锘\uFFFD", u"ï»¿"}},
        DecodeCase{"Utf8AboveFullWidthFormsStaysGbk", B({0xEF, 0xBF, 0xB0}), {u"锟\uFFFD", u"ï¿°"}},
        // C3 A9 is also "é" in UTF-8, which is not CJK: it stays GBK.
        DecodeCase{"ShortGbkThatIsAlsoUtf8StaysGbk", B({0xC3, 0xA9}), {u"茅", u"Ã©"}},
        DecodeCase{"Utf8MixingCjkAndLatinStaysGbk", B({0xE4, 0xBE, 0x8B, 0xC3, 0xA9}), {u"渚嬅\uFFFD", u"ä¾‹Ã©"}},
        DecodeCase{"ZeroThenGbk", B({0, 0xD1, 0xB8}), {std::u16string(u"\0迅", 2), std::u16string(u"\0Ñ¸", 3)}},
        // Each byte that starts no character is one U+FFFD, and reading
        // goes on at the next byte, which may begin a character itself.
        DecodeCase{"InvalidByteBecomesReplacement", B({'a', 0xFF, 'b'}), {u"a\uFFFDb", u"aÿb"}},
        DecodeCase{"TruncatedLeadByteAtEnd", B({0xD1, 0xB8, 0xD1}), {u"迅\uFFFD", u"Ñ¸Ñ"}},
        DecodeCase{"LeadByteBeforeNoTrailByte", B({0xD1, ' ', 0xD1, 0, 0xD1, 0xB8}),
                   {std::u16string(u"\uFFFD \uFFFD\0迅", 5), std::u16string(u"Ñ Ñ\0Ñ¸", 6)}},
        // Windows maps AA A1, and A1 62 where reading resumes, to its
        // private-use area; GBK elsewhere has no character there.
        DecodeCase{"UserDefinedAreaIsInvalid", B({'a', 0xAA, 0xA1, 'b'}), {u"a\uFFFD\uFFFDb", u"aª¡b"}},
        DecodeCase{"EuroSign", B({0x80}), {u"€"}}),
    test::RowName);

TEST(CodePageTest, GbkTextRoundTrips) {
    const std::u16string text = u"下载地址：http://例子.cn/文件.zip？";
    EXPECT_EQ(BytesToText(TextToBytes(text)), (PerCodePage<std::u16string>{text, u"?????http://??.cn/??.zip?"}.Here()));
}

TEST(CodePageTest, Utf8Validity) {
    struct Case {
        Bytes bytes;
        bool valid;
    };
    const Case cases[] = {
        {B({'a'}), true},
        {B({0xE4, 0xBE, 0x8B}), true},
        {B({0xF0, 0x9F, 0x98, 0x80}), true},
        {B({0xC2, 0x80}), true},               // U+0080, the first two-byte character
        {B({0xE0, 0x9F, 0xBF}), false},        // U+07FF overlong in three bytes
        {B({0xE0, 0xA0, 0x80}), true},         // U+0800, the first three-byte character
        {B({0xF0, 0x8F, 0xBF, 0xBF}), false},  // U+FFFF overlong in four bytes
        {B({0xF0, 0x90, 0x80, 0x80}), true},   // U+10000, the first four-byte character
        {B({0xF4, 0x8F, 0xBF, 0xBF}), true},   // U+10FFFF, the last character
        {B({0xED, 0x9F, 0xBF}), true},         // U+D7FF, just below the surrogates
        {B({0xED, 0xBF, 0xBF}), false},        // U+DFFF, the last surrogate
        {B({0xEE, 0x80, 0x80}), true},         // U+E000, just above them
        {B({0xC0, 0x80}), false},              // overlong NUL
        {B({0xED, 0xA0, 0x80}), false},        // encoded surrogate
        {B({0xF4, 0x90, 0x80, 0x80}), false},  // above U+10FFFF
        {B({0xE4, 0xBE}), false},              // truncated
        {B({0x80}), false},                    // stray continuation
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
    }
}

TEST(CodePageTest, Utf8RoundTripsThroughText) {
    const std::u16string text = u"a例\U0001F600€";
    const std::string utf8 = TextToUtf8(text);
    EXPECT_EQ(utf8, "a\xE4\xBE\x8B\xF0\x9F\x98\x80\xE2\x82\xAC");
    const Bytes bytes(utf8.begin(), utf8.end());
    EXPECT_EQ(Utf8ToText(bytes), text);
    EXPECT_EQ(TextToUtf8(std::u16string(u"\xD800", 1)), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace velkrant::CodePage
