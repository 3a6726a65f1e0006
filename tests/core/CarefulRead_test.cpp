// Careful reading of one line: what copying does to a link is repaired,
// damage beyond repair fails with its reason, markers are checked, nested
// links are unwrapped.

#include "CarefulRead.h"

#include "NumberedError.h"
#include "modBase64Code.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace velkrant::CarefulRead {
namespace {

using namespace std::string_literals;
using test::PrintTo;

constexpr char kAddress[] = "http://dl.example.com/soft/setup-2.1.exe";
const std::string kThunder = "thunder://QUFodHRwOi8vZGwuZXhhbXBsZS5jb20vc29mdC9zZXR1cC0yLjEuZXhlWlo=";
const std::string kFlashget =
    "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9kbC5leGFtcGxlLmNvbS9zb2Z0L3NldHVwLTIuMS5leGVbRkxBU0hHRVRd";
const std::string kQqdl = "qqdl://aHR0cDovL2RsLmV4YW1wbGUuY29tL3NvZnQvc2V0dXAtMi4xLmV4ZQ==";
// Its GBK payload holds "+" and "/": the URL-safe row needs both.
const std::string kChineseThunder = "thunder://QUFodHRwOi8vZGwuZXhhbXBsZS5jb20vytPGtS+12jG8ry5tcDRaWg==";

// Through the entry the command line uses: a clean link there takes a
// short way of its own, anything else the full reading.
std::string Convert(ConversionMode mode, const std::string& line) {
    std::string out;
    AppendConvertedLine(mode, LinkText::AsBytes(line), out);
    return out;
}

struct RepairCase {
    const char* name;
    ConversionMode mode;
    std::string line;
    std::string address = kAddress;
    bool needsGbk = false;  // the line or the address holds Chinese in GBK
};

class RepairTest : public testing::TestWithParam<RepairCase> {};

TEST_P(RepairTest, GivesTheAddress) {
    const RepairCase& c = GetParam();
    if (c.needsGbk && !test::RunsUnderGbk()) GTEST_SKIP() << "the code page holds no Chinese";
    EXPECT_EQ(Convert(c.mode, c.line), c.address);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RepairTest,
    testing::Values(
        RepairCase{"Clean", ModeAuto, kThunder},
        RepairCase{"ParenthesisAndFullStop", ModeAuto, kThunder + ")."},
        RepairCase{"FullWidthComma", ModeAuto, kThunder + "，"},
        RepairCase{"TrailingSpaces", ModeAuto, kThunder + "   "},
        RepairCase{"IdeographicNoBreakAndZeroWidthSpaces", ModeAuto, "\u3000\u00A0" + kThunder + "\u200B"},
        RepairCase{"CornerBracketsAndIdeographicStop", ModeAuto, "「" + kThunder + "」。"},
        RepairCase{"QuotesAndAngleBrackets", ModeAuto, "<\"" + kThunder + "\">"},
        RepairCase{"FullWidthPunctuationAfter", ModeAuto, "（" + kThunder + "）！？"},
        RepairCase{"SpaceInsideAWrappedLine", ModeAuto, kThunder.substr(0, 30) + " " + kThunder.substr(30)},
        RepairCase{"ZeroWidthSpaceInside", ModeAuto, kThunder.substr(0, 41) + "\u200B" + kThunder.substr(41)},
        RepairCase{"SchemeInCapitals", ModeAuto, "THUNDER" + kThunder.substr(7)},
        RepairCase{"SchemeAndPayloadPercentEncoded", ModeAuto,
                   "thunder%3A%2F%2FQUFodHRwOi8vZGwuZXhhbXBsZS5jb20vc29mdC9zZXR1cC0yLjEuZXhlWlo%3D"},
        RepairCase{"UrlSafeAlphabet", ModeAuto, "thunder://QUFodHRwOi8vZGwuZXhhbXBsZS5jb20vytPGtS-12jG8ry5tcDRaWg",
                   "http://dl.example.com/视频/第1集.mp4", true},
        RepairCase{"MissingPadding", ModeAuto, kQqdl.substr(0, kQqdl.size() - 2)},
        RepairCase{"InsideAnAttribute", ModeAuto, "<a href=\"" + kThunder + "\">下载</a>"},
        RepairCase{"InsideBbCode", ModeAuto, "[url=" + kThunder + "]下载[/url]"},
        RepairCase{"InsideProse", ModeAuto, "下载地址：" + kThunder + " 请用迅雷"},
        RepairCase{"InsideGbkProse", ModeAuto, "\xCF\xC2\xD4\xD8\xB5\xD8\xD6\xB7\xA3\xBA" + kThunder, kAddress, true},
        RepairCase{"InsideAQueryString", ModeAuto,
                   "go?u=thunder%3A%2F%2FQUFodHRwOi8vZGwuZXhhbXBsZS5jb20vc29mdC9zZXR1cC0yLjEuZXhlWlo%3D&x=1"},
        RepairCase{"FlashgetNumberKept", ModeAuto, kFlashget + "&123."},
        RepairCase{"FlashgetNumberAsAPageWritesIt", ModeAuto, "\"" + kFlashget + "&amp;77\""},
        RepairCase{"FlashgetWithoutNumber", ModeAuto, kFlashget},
        RepairCase{"QqdlLink", ModeAuto, kQqdl + "。"},
        RepairCase{"ThunderAroundFlashget", ModeAuto,
                   "thunder://QUFGbGFzaGdldDovL1cwWk1RVk5JUjBWVVhXaDBkSEE2THk5aEwySmJSa3hCVTBoSFJWUmQmNTVaWg==",
                   "http://a/b"},
        RepairCase{"Utf8Payload", ModeAuto, "thunder://QUFodHRwOi8vYS5jb20v7ZWc6rWt7Ja08J+YgC5tcDRaWg==",
                   "http://a.com/한국어😀.mp4"},
        RepairCase{"GbkPayloadThatLooksLikeUtf8", ModeAuto, "qqdl://aHR0cDovL2Ev0bg=", "http://a/迅", true},
        RepairCase{"DecoderWithoutPrefix", ModeThunderDecode, kThunder.substr(10) + "."},
        RepairCase{"DecoderWithPrefix", ModeFlashgetDecode, " " + kFlashget + "&1 "},
        RepairCase{"QqdlDecoder", ModeQqdlDecode, kQqdl.substr(7)}),
    test::RowName);

struct FailureCase {
    const char* name;
    ConversionMode mode;
    std::string line;
    std::string message;
    bool needsGbk = false;  // a Western code page reads every byte
};

class FailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, FailsWithItsReason) {
    const FailureCase& c = GetParam();
    if (c.needsGbk && !test::RunsUnderGbk()) GTEST_SKIP() << "the code page reads any byte";
    const auto error = test::ErrorRaisedBy([&] { Convert(c.mode, c.line); });
    ASSERT_TRUE(error.has_value()) << "no failure";
    EXPECT_EQ(error->Number(), ErrInvalidCall);
    EXPECT_EQ(CodePage::TextToUtf8(error->Description()), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailureTest,
    testing::Values(
        FailureCase{"SlashAfterTheLink", ModeAuto, kThunder + "/",
                    "damaged thunder link: its Base64 text goes on after the padding"},
        FailureCase{"ForeignCharacterInside", ModeAuto, kThunder.substr(0, 30) + "*" + kThunder.substr(30),
                    "damaged thunder link: the character '*' (U+002A) is not part of a link"},
        FailureCase{"ProseJoinedToTheLink", ModeAuto, kQqdl + "请用",
                    "damaged qqdl link: the character U+8BF7 请 is not part of a link"},
        FailureCase{"LostCharacter", ModeAuto, kThunder.substr(0, 30) + kThunder.substr(31),
                    "damaged thunder link: its padding does not fit the Base64 text"},
        FailureCase{"CutShort", ModeAuto, kThunder.substr(0, kThunder.size() - 4),
                    "damaged thunder link: the decoded text lacks its AA…ZZ markers"},
        FailureCase{"NoWholeNumberOfBytes", ModeAuto, kQqdl.substr(0, kQqdl.size() - 3),
                    "damaged qqdl link: its Base64 text has a character too many or too few"},
        FailureCase{"CutMidByte", ModeAuto, "qqdl://aHR0cDovL2EvYh",
                    "damaged qqdl link: its Base64 text does not end on a whole byte"},
        FailureCase{"CutMidByteThenPadded", ModeAuto, "qqdl://aHR0cDovL2EvYh==",
                    "damaged qqdl link: its Base64 text does not end on a whole byte"},
        FailureCase{"TooMuchPadding", ModeAuto, kQqdl + "=",
                    "damaged qqdl link: its padding does not fit the Base64 text"},
        FailureCase{"PercentEscapeOfAnotherCharacter", ModeAuto, "qqdl://aHR0%41cDovL2EvYg",
                    "damaged qqdl link: the character '%' (U+0025) is not part of a link"},
        FailureCase{"SchemeAlone", ModeAuto, "thunder://", "damaged thunder link: it holds no Base64 text"},
        FailureCase{"EmptyAddress", ModeAuto, "thunder://QUFaWg==", "damaged thunder link: the decoded address is empty"},
        FailureCase{"ControlCharacter", ModeAuto, "qqdl://YQpi",
                    "damaged qqdl link: the decoded address holds the control character U+000A"},
        FailureCase{"NoText", ModeQqdlDecode, "aHR0cDovL2Ev//4=",
                    "damaged qqdl link: the decoded address is neither UTF-8 nor GBK text", true},
        FailureCase{"WrongSchemeForTheMode", ModeThunderDecode, kQqdl, "a qqdl link is no thunder link"},
        FailureCase{"TwoLinksInOneLine", ModeAuto, "1. " + kThunder + " 2. " + kQqdl,
                    "the line holds more than one link"}),
    test::RowName);

struct MarkerCase {
    const char* name;
    std::string line;
    std::string result;  // the address, or the failure's description
};

class MarkerTest : public testing::TestWithParam<MarkerCase> {};

TEST_P(MarkerTest, AreCheckedAfterDecoding) {
    const MarkerCase& c = GetParam();
    std::string result;
    const auto error = test::ErrorRaisedBy([&] { result = Convert(ModeAuto, c.line); });
    EXPECT_EQ(error ? CodePage::TextToUtf8(error->Description()) : result, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkerTest,
    testing::Values(
        MarkerCase{"ThunderWithBoth", "thunder://QUFodHRwOi8vYS9iWlo=", "http://a/b"},
        MarkerCase{"ThunderWithout", "thunder://aHR0cDovL2EvYg==",
                   "damaged thunder link: the decoded text lacks its AA…ZZ markers"},
        MarkerCase{"ThunderWithTheFrontOnly", "thunder://QUFodHRwOi8vYS9i",
                   "damaged thunder link: the decoded text lacks its AA…ZZ markers"},
        MarkerCase{"ThunderMarkersAlone", "thunder://QUFa", "damaged thunder link: the decoded text lacks its AA…ZZ markers"},
        MarkerCase{"FlashgetWithBoth", "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&1", "http://a/b"},
        MarkerCase{"FlashgetWithout", "Flashget://aHR0cDovL2EvYg==&1",
                   "damaged flashget link: the decoded text lacks its [FLASHGET]…[FLASHGET] markers"},
        MarkerCase{"QqdlHasNone", "qqdl://aHR0cDovL2EvYg==", "http://a/b"}),
    test::RowName);

// A link whose address is a link, `levels` deep around "http://a/b".
std::string Nested(int levels) {
    std::string link = "http://a/b";
    for (int i = 0; i < levels; ++i) {
        const std::string wrapped = "AA" + link + "ZZ";
        const Bytes payload = modBase64Code::EncodeBytes(LinkText::AsBytes(wrapped), modBase64Code::PadByte);
        link = "thunder://" + std::string(payload.begin(), payload.end());
    }
    return link;
}

struct NestedCase {
    const char* name;
    ConversionMode mode;
    int levels;  // links around "http://a/b"
    std::string result;  // the address, or the failure's description
};

class NestedTest : public testing::TestWithParam<NestedCase> {};

TEST_P(NestedTest, UnwrapsInAutomaticModeOnly) {
    const NestedCase& c = GetParam();
    std::string result;
    const auto error = test::ErrorRaisedBy([&] { result = Convert(c.mode, Nested(c.levels)); });
    EXPECT_EQ(error ? CodePage::TextToUtf8(error->Description()) : result, c.result == "one level" ? Nested(1) : c.result);
}

// Built in the tests, not when they are listed: the codec's own tests see
// its tables built on first use.
INSTANTIATE_TEST_SUITE_P(
    Cases, NestedTest,
    testing::Values(NestedCase{"TwoLevels", ModeAuto, 2, "http://a/b"},
                    NestedCase{"EightLevels", ModeAuto, CarefulRead::MaxNesting, "http://a/b"},
                    NestedCase{"NineLevels", ModeAuto, CarefulRead::MaxNesting + 1,
                               "damaged thunder link: it holds links nested more than 8 deep"},
                    NestedCase{"DecoderLeavesTheInnerLink", ModeThunderDecode, 2, "one level"}),
    test::RowName);

}  // namespace
}  // namespace velkrant::CarefulRead
