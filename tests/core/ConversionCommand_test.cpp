#include "ConversionCommand.h"

#include "FakeHost.h"
#include "TestSupport.h"
#include "modMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkrant::ConversionCommand {
namespace {

using test::PrintTo;
using test::FakeHost;

const Message kOrdinary{u"普通协议,不需要解密!", u"提示", MessageIcon::Information};
const Message kUnknown{u"未知协议!", u"提示", MessageIcon::Information};
const Message kCannotJudge{u"错误的地址或无法自动判断!", u"提示", MessageIcon::Information};
const Message kFinished{u"批量处理已完成!", u"提示", MessageIcon::Information};
const Message kEnterValid{u"请输入有效的地址!", u"警告", MessageIcon::Critical};

struct SingleCase {
    const char* name;
    ConversionMode mode;
    std::u16string input;
    test::PerCodePage<std::u16string> expectedOutput;  // the box held "previous" before the run
    std::vector<Message> messages;
};

class SingleRunTest : public testing::TestWithParam<SingleCase> {};

TEST_P(SingleRunTest, WritesOutputBox) {
    const SingleCase& c = GetParam();
    FakeHost host;
    host.mode = c.mode;
    host.input = c.input;
    host.output = u"previous";
    Execute(host);
    EXPECT_EQ(host.output, c.expectedOutput.Here());
    EXPECT_EQ(host.messages, c.messages);
    for (const std::string& e : host.events) {
        EXPECT_TRUE(e == "output" || e == "message") << "a single run touched " << e;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleRunTest,
    testing::Values(
        SingleCase{"AutoThunder", ModeAuto, u"thunder://QUFodHRwOi8vYS9iWlo=", {u"http://a/b"}, {}},
        SingleCase{"AutoHttpEmptiesOutput", ModeAuto, u"http://a/b", {u""}, {kOrdinary}},
        SingleCase{"AutoHttpUpper", ModeAuto, u"HTTP://a/b", {u""}, {kOrdinary}},
        SingleCase{"AutoRtsp", ModeAuto, u"rtsp://a/b", {u""}, {kOrdinary}},
        SingleCase{"AutoLeadingSpace", ModeAuto, u" thunder://QUFodHRwOi8vYS9iWlo=", {u""}, {kUnknown}},
        SingleCase{"AutoEmpty", ModeAuto, u"", {u""}, {kCannotJudge}},
        SingleCase{"AutoNoSlashes", ModeAuto, u"abc", {u""}, {kCannotJudge}},
        SingleCase{"AutoFailureKeepsOutput", ModeAuto, u"thunder://QUFa", {u"previous"}, {}},
        SingleCase{"ThunderDecode", ModeThunderDecode, u"thunder://QUFodHRwOi8vYS9iWlo=", {u"http://a/b"}, {}},
        SingleCase{"ThunderDecodeFailureKeepsOutput", ModeThunderDecode, u"thunder://QUFa", {u"previous"}, {}},
        // "http://a/b" decodes to 86 DB 69 03 FF DA FD: five characters in
        // GBK (86 DB, "i", 03, U+FFFD for FF, DA FD), seven in code page
        // 1252; the Thunder markers take two from each end.
        SingleCase{"ThunderDecodeOfHttpIsNoNotice", ModeThunderDecode, u"http://a/b", {u"\x3", u"i\x3ÿ"}, {}},
        SingleCase{"FlashgetDecode", ModeFlashgetDecode, u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&5",
                   {u"http://a/b"}, {}},
        SingleCase{"QqdlDecode", ModeQqdlDecode, u"qqdl://aHR0cDovL2EvYg==", {u"http://a/b"}, {}},
        SingleCase{"ThunderEncodeEmpty", ModeThunderEncode, u"", {u"thunder://QUFaWg=="}, {}},
        SingleCase{"ThunderEncodeUntrimmed", ModeThunderEncode, u" http://a/b", {u"thunder://QUEgaHR0cDovL2EvYlpa"}, {}},
        SingleCase{"QqdlEncode", ModeQqdlEncode, u"http://a/b", {u"qqdl://aHR0cDovL2EvYg=="}, {}},
        SingleCase{"ModeOutOfRangeGivesEmpty", static_cast<ConversionMode>(7), u"http://a/b", {u""}, {}}),
    test::RowName);

TEST(SingleRunTest, FlashgetEncodeAppendsNumber) {
    FakeHost host;
    host.mode = ModeFlashgetEncode;
    host.input = u"http://a/b";
    Execute(host);
    const std::u16string head = u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&";
    EXPECT_EQ(host.output.substr(0, head.size()), head);
    EXPECT_GT(host.output.size(), head.size());
}

struct BatchCase {
    const char* name;
    ConversionMode mode;
    std::u16string input;
    std::u16string output;
};

class BatchRunTest : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchRunTest, ConvertsLineByLine) {
    const BatchCase& c = GetParam();
    FakeHost host;
    host.batchTicked = true;
    host.mode = c.mode;
    host.batchIn = c.input;
    host.batchOut = u"stale";
    Execute(host);
    EXPECT_EQ(host.batchOut, c.output);
    EXPECT_EQ(host.messages, std::vector<Message>{kFinished});
    const std::vector<std::string> expectedEvents = {"disableMain", "disableBatch", "batchOut", "batchOut",
                                                     "enableMain",  "enableBatch",  "message"};
    EXPECT_EQ(host.events, expectedEvents);
    EXPECT_EQ(host.batchIn, c.input) << "the input box is never changed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchRunTest,
    testing::Values(
        BatchCase{"WorkedExample", ModeAuto, u"thunder://QUFodHRwOi8vYS9iWlo=\r\n\r\nhttp://a/b",
                  u"http://a/b\r\n\r\n// 普通协议,不需要解密!"},
        BatchCase{"FinalEmptyLineAddsNothing", ModeAuto, u"http://a/b\r\n", u"// 普通协议,不需要解密!\r\n"},
        BatchCase{"SpacesBetweenPairsAreLines", ModeAuto, u" \r\n \r\n ",
                  u"// 错误的地址或无法自动判断!\r\n// 错误的地址或无法自动判断!\r\n// 错误的地址或无法自动判断!"},
        BatchCase{"FailedLineLeftOutWithItsBreak", ModeThunderDecode,
                  u"thunder://QUFodHRwOi8vYS9iWlo=\r\nthunder://QUFa\r\nQUFodHRwOi8vYS9iWlo=",
                  u"http://a/b\r\nhttp://a/b"},
        BatchCase{"FailedLastLineKeepsPreviousBreak", ModeThunderDecode, u"QUFodHRwOi8vYS9iWlo=\r\nQUFa",
                  u"http://a/b\r\n"},
        BatchCase{"AllLinesFail", ModeThunderDecode, u"QUFa\r\nQUFa", u""},
        BatchCase{"EncodeKeepsSpacesAndEmptyLines", ModeQqdlEncode, u" a \r\n\r\nb",
                  u"qqdl://IGEg\r\n\r\nqqdl://Yg=="},
        BatchCase{"LoneCrAndLfStayInsideLines", ModeQqdlEncode, u"a\rb\nc\r\nd", u"qqdl://YQ1iCmM=\r\nqqdl://ZA=="},
        BatchCase{"UnknownAndOrdinaryMixed", ModeAuto, u"rtsp://x\r\nrstp://y\r\nfoo://z\r\nqqdl://aHR0cDovL2EvYg==",
                  u"// 普通协议,不需要解密!\r\n// 普通协议,不需要解密!\r\n// 未知协议!\r\nhttp://a/b"}),
    test::RowName);

TEST(BatchRunTest, BlankInputIsRefusedWithoutTouchingAnything) {
    const std::u16string blanks[] = {u"", u"  ", u"  \r\n\r\n  ", u"\r\n", u" \r\n\r\n "};
    for (const std::u16string& blank : blanks) {
        FakeHost host;
        host.batchTicked = true;
        host.batchIn = blank;
        host.batchOut = u"kept";
        Execute(host);
        EXPECT_EQ(host.messages, std::vector<Message>{kEnterValid}) << testing::PrintToString(blank);
        EXPECT_EQ(host.events, std::vector<std::string>{"message"});
        EXPECT_EQ(host.batchOut, u"kept");
    }
}

TEST(BatchRunTest, BlankDetectionIsOnePass) {
    EXPECT_TRUE(IsBlankBatchInput(u"\r\n\r\n"));
    EXPECT_FALSE(IsBlankBatchInput(u"\r\r\n\n"));   // the inner pair joins the outer CR and LF
    EXPECT_FALSE(IsBlankBatchInput(u"\u3000"));      // an ideographic space is text
    EXPECT_FALSE(IsBlankBatchInput(u" \r\n \r\n ")); // a space between pairs
}

TEST(BatchRunTest, LineBreaksAreFoundAtAnyDistance) {
    // Lines of every length from 1 to 80, so that breaks fall at every
    // place of the stretches the search skips at once.
    std::u16string input;
    std::u16string expected;
    for (std::size_t length = 1; length <= 80; ++length) {
        const std::u16string line(length, u'a');
        input += line + u"\r\n";
        expected += modMain::QqdlEncode(line) + u"\r\n";
    }
    FakeHost host;
    host.batchTicked = true;
    host.mode = ModeQqdlEncode;
    host.batchIn = input;
    Execute(host);
    EXPECT_EQ(host.batchOut, expected);
}

TEST(BatchRunTest, NoLineLimit) {
    std::u16string input;
    const int lines = 40000;
    for (int i = 0; i < lines; ++i) input += u"QUFodHRwOi8vYS9iWlo=\r\n";
    FakeHost host;
    host.batchTicked = true;
    host.mode = ModeThunderDecode;
    host.batchIn = input;
    Execute(host);
    std::u16string expected;
    for (int i = 0; i < lines; ++i) expected += u"http://a/b\r\n";
    EXPECT_EQ(host.batchOut, expected);
}

}  // namespace
}  // namespace velkrant::ConversionCommand
