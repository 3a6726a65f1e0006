#include "modBase64Code.h"
#include "modBase64CodeStages.h"

#include "Messages.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace velkrant::modBase64Code {
namespace {

using test::PerCodePage;
using test::PrintTo;

Bytes AsBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

// An independent reference: plain RFC 4648 with bit operations.
std::string ReferenceBase64(const Bytes& in) {
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 3 <= in.size(); i += 3) {
        const unsigned v = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
        for (int s = 18; s >= 0; s -= 6) out += alphabet[(v >> s) & 63];
    }
    if (in.size() - i == 1) {
        const unsigned v = in[i] << 16;
        out += alphabet[(v >> 18) & 63], out += alphabet[(v >> 12) & 63], out += "==";
    } else if (in.size() - i == 2) {
        const unsigned v = (in[i] << 16) | (in[i + 1] << 8);
        out += alphabet[(v >> 18) & 63], out += alphabet[(v >> 12) & 63], out += alphabet[(v >> 6) & 63],
            out += '=';
    }
    return out;
}

TEST(Base64Test, Rfc4648VectorsEncodeAndDecode) {
    const std::pair<std::u16string, std::u16string> vectors[] = {
        {u"", u""},         {u"f", u"Zg=="},         {u"fo", u"Zm8="},         {u"foo", u"Zm9v"},
        {u"foob", u"Zm9vYg=="}, {u"fooba", u"Zm9vYmE="}, {u"foobar", u"Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64Encode(plain), encoded);
        EXPECT_EQ(Base64Decode(encoded), plain);
    }
}

TEST(Base64Test, RandomBytesMatchReferenceAndRoundTrip) {
    std::mt19937 rng(7);
    for (std::size_t length = 1; length < 300; ++length) {
        Bytes bytes(length, 0);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
        const Bytes encoded = EncodeBytes(bytes, PadByte);
        ASSERT_EQ(std::string(encoded.begin(), encoded.end()), ReferenceBase64(bytes)) << "length " << length;
        ASSERT_EQ(DecodeBytes(encoded, PadByte), bytes) << "length " << length;
    }
}

TEST(Base64Test, LongTextHasNoLineBreaks) {
    const std::u16string encoded = Base64Encode(std::u16string(1000, u'x'));
    EXPECT_EQ(encoded.size(), 1336u);
    EXPECT_EQ(encoded.find_first_of(u"\r\n"), std::u16string::npos);
}

TEST(Base64Test, ChineseIsEncodedThroughItsGbkBytes) {
    using Expected = PerCodePage<std::u16string>;
    EXPECT_EQ(Base64Encode(u"迅雷"), (Expected{u"0bjA1w==", u"Pz8="}.Here()));
    EXPECT_EQ(Base64Encode(u"http://例子.cn/文件.zip"),
              (Expected{u"aHR0cDovL8D919MuY24vzsS8/i56aXA=", u"aHR0cDovLz8/LmNuLz8/LnppcA=="}.Here()));
    EXPECT_EQ(Base64Decode(u"aHR0cDovL8D919MuY24vzsS8/i56aXA="),
              (Expected{u"http://例子.cn/文件.zip", u"http://Àý×Ó.cn/ÎÄ¼þ.zip"}.Here()));
}

struct LenientCase {
    const char* name;
    std::u16string encoded;
    PerCodePage<std::u16string> decoded;
};

class LenientDecodeTest : public testing::TestWithParam<LenientCase> {};

TEST_P(LenientDecodeTest, Decodes) { EXPECT_EQ(Base64Decode(GetParam().encoded), GetParam().decoded.Here()); }

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, LenientDecodeTest,
    testing::Values(
        LenientCase{"MissingPads", u"Zm9vYg", {u"foob"}},
        LenientCase{"WithPads", u"Zm9vYg==", {u"foob"}},
        // Five characters: the fifth value shifted left by two is byte four.
        LenientCase{"LengthOneModFour", u"QUFCR", {u"AABD"}},
        LenientCase{"OnePad", u"=", {u"\0"s}},
        LenientCase{"ElevenPads", u"===========", {u"\0"s}},
        LenientCase{"PadInsideWindowCounts", u"Zg==Zg==", {u"f\0\0"s}},
        LenientCase{"CrLfAfterOnePad", u"Zm8=\r\n", {u"fo\0\0"s}},
        LenientCase{"CrLfAfterTwoPads", u"Zg==\r\n", {u"f\0\0"s}},
        LenientCase{"CrLfAfterNoPad", u"Zm9v\r\n", {u"foo\0"s}},
        LenientCase{"PadInTheMiddleIsZero", u"Zg==Zm9v", {u"f\0\0f"s}},
        LenientCase{"PadOutsideWindowNotCounted", u"Zg==AAAAAAAAAAAA", {u"f\0\0\0\0\0\0\0\0\0\0\0"s}},
        // The window's edge: the eleventh position from the end counts, the
        // twelfth does not.
        LenientCase{"PadEleventhFromEndCounts", u"Zg==AAAAAAAAA", {u"f\0\0\0\0\0\0\0"s}},
        LenientCase{"PadTwelfthFromEndNotCounted", u"=AAAAAAAAAAA", {u"\0\0\0\0\0\0\0\0\0"s}},
        LenientCase{"ForeignCharactersAreZero", u"-_ !", {u"\0\0\0"s}},
        // GBK lead bytes are >= 128: they decode as value 0, like "A". Where
        // Chinese is "?", two characters are two bytes, decoding to one.
        LenientCase{"HighBytesAreZero", u"迅雷", {u"\0\0\0"s, u"\0"s}}),
    test::RowName);

TEST(Base64Test, ByteLevelEmptyInEmptyOut) {
    EXPECT_TRUE(EncodeBytes({}, PadByte).empty());
    EXPECT_TRUE(DecodeBytes({}, PadByte).empty());
}

TEST(Base64Test, PadByteIsAParameter) {
    EXPECT_EQ(EncodeBytes(AsBytes("f"), '*'), AsBytes("Zg**"));
    EXPECT_EQ(DecodeBytes(AsBytes("Zm8*"), '*'), AsBytes("fo"));
}

TEST(Base64Test, ShiftsDropHighBitsAndShiftRight) {
    struct Case {
        std::uint8_t value;
        std::int16_t amount;
        std::uint8_t mask;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {0xFF, +4, 255, 0xF0}, {0xFF, +6, 63, 0x00}, {0x81, +2, 255, 0x04}, {0xFF, -6, 255, 0x03},
        {0xFF, -2, 63, 0x3F},  {0xAB, 0, 63, 0x2B},  {0x01, +8, 255, 0x00}, {0x80, -8, 255, 0x00},
    };
    for (const Case& c : cases) {
        // Twice: the second answer comes from the memo and must agree.
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(ShiftByte(c.value, c.amount, c.mask), c.expected)
                << int(c.value) << " shifted " << c.amount << " masked " << int(c.mask);
        }
    }
}

TEST(Base64Test, BadAlphabetReportsAndBuildsNothing) {
    // In a fresh process, so that no earlier conversion built the tables.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::vector<Message> shown;
            SetMessageNotifier([&](const Message& m) { shown.push_back(m); });
            BuildCodeTables(u"ABC");
            const bool reported = shown.size() == 1 && shown[0].text == u"编码/解码表初始化失败" &&
                                  shown[0].title == u"错误";
            std::exit(reported && !EncodeTableReady() && !DecodeTableReady() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(Base64Test, BuiltInAlphabetBuildsBothTablesOnFirstUse) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const bool before = EncodeTableReady() || DecodeTableReady();
            const bool decoded = Base64Decode(u"Zg==") == u"f";
            std::exit(!before && decoded && EncodeTableReady() && DecodeTableReady() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace velkrant::modBase64Code
