// Links found inside any text: where each one begins and ends, and the
// breaks it runs across.

#include "LinkFinder.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkrant {
namespace {

using test::PrintTo;
using LinkText::TextEncoding;

struct FindCase {
    const char* name;
    std::string text;
    std::vector<std::string> links;  // each as found, "|" where it may stop before a break and its spaces
    TextEncoding encoding = TextEncoding::Utf8;
    bool needsGbk = false;  // the text holds a character only GBK has
};

class FinderTest : public testing::TestWithParam<FindCase> {};

TEST_P(FinderTest, FindsEveryLinkInOrder) {
    const FindCase& c = GetParam();
    if (c.needsGbk && !test::RunsUnderGbk()) GTEST_SKIP() << "the code page holds no Chinese";
    const BytesView text = LinkText::AsBytes(c.text);
    LinkFinder finder(text, c.encoding);
    std::vector<std::string> found;
    for (FoundLink link; finder.Next(link);) {
        std::string shown;
        std::size_t from = link.begin;
        for (std::size_t k = 0; k < link.breakCount; ++k) {
            shown += c.text.substr(from, link.endsBeforeBreaks[k] - from) + "|";
            from = link.endsBeforeBreaks[k];
        }
        found.push_back(shown + c.text.substr(from, link.end - from));
    }
    EXPECT_EQ(found, c.links);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FinderTest,
    testing::Values(
        FindCase{"NoLinks", "<p>http://a/b 迅雷 thunder 下载：</p>", {}},
        FindCase{"HtmlAttributes",
                 "<a href=\"thunder://QUFa\" thunderhref='Flashget://W0Z=&12'>x</a><a href=qqdl://aHR0>",
                 {"thunder://QUFa", "Flashget://W0Z=&12", "qqdl://aHR0"}},
        FindCase{"BbCodeAndProse", "[url=THUNDER://QUFa]下载[/url] 地址：qqdl://aHR0。", {"THUNDER://QUFa", "qqdl://aHR0"}},
        FindCase{"PercentEncodedInAQueryString", "/go?u=thunder%3a%2F%2FQU%2BF%3D%3D&x=1", {"thunder%3a%2F%2FQU%2BF%3D%3D"}},
        FindCase{"FlashgetNumberAsAPageWritesIt", "Flashget://W0Z&amp;77\" Flashget://W0Z%2612&", {"Flashget://W0Z&amp;77", "Flashget://W0Z%2612"}},
        FindCase{"AmpersandWithoutANumberIsNotTheLinks", "Flashget://W0Z&x=1", {"Flashget://W0Z"}},
        FindCase{"UrlSafeAlphabet", "(qqdl://aH-R_0)", {"qqdl://aH-R_0"}},
        FindCase{"WrappedAcrossALineBreak", "thunder://QUFo\r\n  dHRw\n\nthunder://QUFo", {"thunder://QUFo|\r\n  dHRw", "thunder://QUFo"}},
        FindCase{"SpacesAndZeroWidthSpaces", "qqdl://aHR0 cDov\u200BL2E/ 请", {"qqdl://aHR0| cDov|\u200BL2E/"}},
        FindCase{"PaddingEndsTheLink", "qqdl://aHR0cA== cDov", {"qqdl://aHR0cA=="}},
        FindCase{"TwoBlankLinesEndTheLink", "qqdl://aHR0\n\ncDov", {"qqdl://aHR0"}},
        FindCase{"NextLinkIsNotAContinuation", "thunder://QUFa thunder://QUFb", {"thunder://QUFa", "thunder://QUFb"}},
        FindCase{"SchemeWithoutPayload", "use thunder:// or qqdl://. links", {}},
        FindCase{"PartOfAnotherScheme", "xthunder://QUFa mythunder%3A%2F%2FQUFa", {}},
        FindCase{"SchemeRunIntoByThePayloadBefore", "thunder://thunder://QUFa qqdl://aHR0", {"thunder://thunder", "qqdl://aHR0"}},
        FindCase{"AtTheVeryEnd", "thunder://Q", {"thunder://Q"}},
        FindCase{"SecondByteOfAGbkPairBeforeTheScheme", "\xD3\x71qdl://aHR0 \xB5\xD8qqdl://aHR0", {"qqdl://aHR0"},
                 TextEncoding::CodePage},
        FindCase{"GbkIdeographicSpaceInside", "qqdl://aHR0\xA1\xA1" "cDov", {"qqdl://aHR0|\xA1\xA1" "cDov"}, TextEncoding::CodePage,
                 true}),
    test::RowName);

}  // namespace
}  // namespace velkrant
