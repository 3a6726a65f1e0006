#include "BoxText.h"

#include "GuiFixture.h"

#include <QPlainTextEdit>

#include <memory>
#include <string>

namespace velkrant {
namespace {

using test::PrintTo;

struct BoxTextCase {
    const char* name;
    std::u16string set;
    std::u16string read;
};

std::u16string ManyLines(int count, const std::u16string& lineEnd) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += lineEnd;
        text += u"http://a/" + QString::number(i).toStdU16String() + u"\u00A0x";
    }
    return text;
}

class BoxTextTest : public testing::TestWithParam<BoxTextCase> {};

// What a box gives the conversion, the export and the copy button is what
// was put into it, with every kind of line break read back as CR LF.
TEST_P(BoxTextTest, ReadsBackWhatWasSetWithCrLfLineBreaks) {
    QPlainTextEdit box;
    {
        // The box must hold its own copy: the text it was set from is gone
        // before it is read (a kept reference would be a use after free).
        const auto source = std::make_unique<std::u16string>(GetParam().set);
        BoxText::Set(box, *source);
    }
    EXPECT_EQ(BoxText::Of(box), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BoxTextTest,
    testing::Values(BoxTextCase{"Empty", u"", u""}, BoxTextCase{"OneLine", u"http://a/b", u"http://a/b"},
                    BoxTextCase{"EmptyLinesAtBothEnds", u"\r\n\r\na\r\n\r\n", u"\r\n\r\na\r\n\r\n"},
                    BoxTextCase{"LoneCrAndLoneLf", u"a\rb\nc\r\n\nd", u"a\r\nb\r\nc\r\n\r\nd"},
                    BoxTextCase{"NonBreakingAndIdeographicSpacesKept", u"\u00A0a\u3000\r\n\u00A0", u"\u00A0a\u3000\r\n\u00A0"},
                    BoxTextCase{"SurrogatePairs", u"\U0002A6A5\r\n\U0001F600", u"\U0002A6A5\r\n\U0001F600"},
                    // More line breaks than any one batch of replacements.
                    BoxTextCase{"ThousandsOfLines", ManyLines(5000, u"\r\n"), ManyLines(5000, u"\r\n")},
                    BoxTextCase{"ThousandsOfLoneLineFeeds", ManyLines(5000, u"\n"), ManyLines(5000, u"\r\n")}),
    test::RowName);

TEST(BoxTextAppendTest, AppendsAfterTheLastLine) {
    QPlainTextEdit box;
    BoxText::Set(box, std::u16string(u"a\r\nb"));
    BoxText::Append(box, QStringLiteral("c\r\n"));
    EXPECT_EQ(BoxText::Of(box), u"a\r\nbc\r\n");
}

}  // namespace
}  // namespace velkrant
