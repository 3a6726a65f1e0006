// Encoding with a chosen payload charset: the link, or the character the
// charset cannot hold, named; every link made reads back carefully.

#include "CarefulEncode.h"

#include "CarefulRead.h"
#include "NumberedError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace velkrant::CarefulEncode {
namespace {

using test::PrintTo;

struct CharsetCase {
    const char* name;
    ConversionMode mode;
    PayloadCharset charset;
    std::u16string address;
    std::string result;  // the link up to any FlashGet number, or the failure's description
    bool needsGbk = false;
};

class CharsetTest : public testing::TestWithParam<CharsetCase> {};

TEST_P(CharsetTest, EncodesOrNamesTheCharacter) {
    const CharsetCase& c = GetParam();
    if (c.needsGbk && !test::RunsUnderGbk()) GTEST_SKIP() << "the code page holds no Chinese";
    std::u16string link;
    const auto error = test::ErrorRaisedBy([&] { link = Encode(c.mode, c.address, c.charset); });
    if (error) {
        EXPECT_EQ(CodePage::TextToUtf8(error->Description()), c.result);
        return;
    }
    const std::string text = CodePage::TextToUtf8(link);
    EXPECT_EQ(text.substr(0, text.find('&')), c.result);
    const std::string back = CodePage::TextToUtf8(CarefulRead::ConvertLine(ModeAuto, LinkText::AsBytes(text)));
    EXPECT_EQ(back, CodePage::TextToUtf8(c.address)) << "the link does not read back";
}

constexpr auto Gbk = PayloadCharset::CodePage;
constexpr auto Utf8 = PayloadCharset::Utf8;

INSTANTIATE_TEST_SUITE_P(
    Cases, CharsetTest,
    testing::Values(
        CharsetCase{"AsciiGbk", ModeThunderEncode, Gbk, u"http://a/b", "thunder://QUFodHRwOi8vYS9iWlo="},
        CharsetCase{"AsciiUtf8", ModeQqdlEncode, Utf8, u"http://a/b", "qqdl://aHR0cDovL2EvYg=="},
        CharsetCase{"ChineseGbk", ModeQqdlEncode, Gbk, u"http://a/迅雷.exe", "qqdl://aHR0cDovL2Ev0bjA1y5leGU=", true},
        CharsetCase{"ChineseUtf8", ModeThunderEncode, Utf8, u"http://a/迅雷.exe",
                    "thunder://QUFodHRwOi8vYS/ov4Xpm7cuZXhlWlo="},
        CharsetCase{"OutsideGbkInUtf8", ModeFlashgetEncode, Utf8, u"http://a.com/한국어😀.mp4",
                    "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hLmNvbS/tlZzqta3slrTwn5iALm1wNFtGTEFTSEdFVF0="},
        CharsetCase{"HangulHasNoGbkForm", ModeThunderEncode, Gbk, u"http://a.com/한국어.mp4",
                    "U+D55C 한 has no " + LinkText::CodePageName() + " form"},
        CharsetCase{"EmojiHasNoGbkForm", ModeQqdlEncode, Gbk, u"http://a/迅😀", "U+1F600 😀 has no GBK form", true},
        CharsetCase{"QuestionMarkIsNoFailure", ModeQqdlEncode, Gbk, u"http://a/?q=迅", "qqdl://aHR0cDovL2EvP3E90bg=",
                    true},
        CharsetCase{"LoneSurrogateHasNoUtf8Form", ModeQqdlEncode, Utf8, u"http://a/\xD800", "U+D800 has no UTF-8 form"}),
    test::RowName);

}  // namespace
}  // namespace velkrant::CarefulEncode
