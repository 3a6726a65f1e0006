#include "modMain.h"

#include "FakeHost.h"
#include "NumberedError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace velkrant::modMain {
namespace {

using test::PerCodePage;
using test::PrintTo;
using test::FakeHost;

TEST(SchemesTest, WorkedExampleEncodes) {
    EXPECT_EQ(ThunderEncode(u"http://a/b"), u"thunder://QUFodHRwOi8vYS9iWlo=");
    EXPECT_EQ(QqdlEncode(u"http://a/b"), u"qqdl://aHR0cDovL2EvYg==");
    const std::u16string flashget = FlashgetEncode(u"http://a/b");
    const std::u16string head = u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&";
    ASSERT_EQ(flashget.substr(0, head.size()), head);
    EXPECT_EQ(FlashgetDecode(flashget), u"http://a/b");
}

TEST(SchemesTest, EmptyAddressEncodes) {
    EXPECT_EQ(ThunderEncode(u""), u"thunder://QUFaWg==");
    EXPECT_EQ(QqdlEncode(u""), u"qqdl://");
    const std::u16string flashget = FlashgetEncode(u"");
    EXPECT_EQ(flashget.substr(0, 40), u"Flashget://W0ZMQVNIR0VUXVtGTEFTSEdFVF0=&");
}

TEST(SchemesTest, ChineseAddressRoundTripsThroughGbk) {
    const std::u16string address = u"http://例子.cn/文件.zip";
    // A code page without Chinese keeps one "?" for each character.
    const std::u16string back = PerCodePage<std::u16string>{address, u"http://??.cn/??.zip"}.Here();
    EXPECT_EQ(ThunderEncode(address), (PerCodePage<std::u16string>{u"thunder://QUFodHRwOi8vwP3X0y5jbi/OxLz+LnppcFpa",
                                                                     u"thunder://QUFodHRwOi8vPz8uY24vPz8uemlwWlo="}
                                           .Here()));
    EXPECT_EQ(ThunderDecode(ThunderEncode(address)), back);
    EXPECT_EQ(QqdlDecode(QqdlEncode(address)), back);
    EXPECT_EQ(FlashgetDecode(FlashgetEncode(address)), back);
}

TEST(SchemesTest, Utf8PayloadDecodesToChinese) {
    // Links made by newer tools carry UTF-8 bytes.
    EXPECT_EQ(ThunderDecode(u"thunder://QUFodHRwOi8v5L6L5a2QLmNuL+aWh+S7ti56aXBaWg=="),
              u"http://例子.cn/文件.zip");
}

struct DecodeCase {
    const char* name;
    std::u16string (*decoder)(std::u16string_view);
    std::u16string link;
    std::u16string address;
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesAddress) { EXPECT_EQ(GetParam().decoder(GetParam().link), GetParam().address); }

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeTest,
    testing::Values(
        DecodeCase{"Thunder", ThunderDecode, u"thunder://QUFodHRwOi8vYS9iWlo=", u"http://a/b"},
        DecodeCase{"ThunderUpperCasePrefix", ThunderDecode, u"THUNDER://QUFodHRwOi8vYS9iWlo=", u"http://a/b"},
        DecodeCase{"ThunderMixedCasePrefix", ThunderDecode, u"Thunder://QUFodHRwOi8vYS9iWlo=", u"http://a/b"},
        DecodeCase{"ThunderNoPrefix", ThunderDecode, u"QUFodHRwOi8vYS9iWlo=", u"http://a/b"},
        DecodeCase{"ThunderMarkersNotCompared", ThunderDecode, u"thunder://eHhodHRwOi8vYS9ieXk=", u"http://a/b"},
        DecodeCase{"ThunderExactlyFour", ThunderDecode, u"thunder://QUFaWg==", u""},
        DecodeCase{"ThunderTrailingSlashDecoded", ThunderDecode, u"thunder://QUFodHRwOi8vYS9iWlo=/", u"http://a/bZ"},
        // Deleted in one pass: the joined "thunder://" is not searched again.
        DecodeCase{"ThunderPrefixEverywhereRemoved", ThunderDecode, u"thunder://QUFodHRwthunder://Oi8vYS9iWlo=",
                   u"http://a/b"},
        DecodeCase{"Flashget", FlashgetDecode, u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&1", u"http://a/b"},
        DecodeCase{"FlashgetOtherNumber", FlashgetDecode, u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&9999",
                   u"http://a/b"},
        DecodeCase{"FlashgetLowerCasePrefix", FlashgetDecode, u"flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&1",
                   u"http://a/b"},
        DecodeCase{"FlashgetWithoutAmpersandIsEmpty", FlashgetDecode,
                   u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd", u""},
        DecodeCase{"FlashgetExactlyTwenty", FlashgetDecode, u"Flashget://W0ZMQVNIR0VUXVtGTEFTSEdFVF0=&7", u""},
        DecodeCase{"Qqdl", QqdlDecode, u"qqdl://aHR0cDovL2EvYg==", u"http://a/b"},
        DecodeCase{"QqdlUpperCase", QqdlDecode, u"QQDL://aHR0cDovL2EvYg==", u"http://a/b"},
        DecodeCase{"QqdlEmpty", QqdlDecode, u"qqdl://", u""}),
    test::RowName);

TEST(SchemesTest, PrefixRemovalIsOnePass) {
    EXPECT_EQ(RemovePrefix(u"ththunder://under://x", u"thunder://"), u"thunder://x");
    EXPECT_EQ(RemovePrefix(u"aQQDL://bqqdl://", u"qqdl://"), u"ab");
    // Only letters fold: "a" and "z" match "A" and "Z", while "`" and "{"
    // just beside them do not match "@" and "[".
    EXPECT_EQ(RemovePrefix(u"AZ@[|az`[|az@{", u"az@["), u"|az`[|az@{");
}

TEST(SchemesTest, PrefixRemovalAroundALeadingPrefix) {
    // A text that is a prefix and nothing after it is read in place; one
    // with a second prefix, next to the first or far after it, is not.
    const std::u16string longTail(45, u'A');
    const struct {
        std::u16string text;
        std::u16string_view prefix;
        std::u16string removed;
    } rows[] = {
        {u"THUNDER://", u"thunder://", u""},
        {u"thunder:/", u"thunder://", u"thunder:/"},
        {u"thunder://athunder://b", u"thunder://", u"ab"},
        {u"thunder://Thunder://x", u"thunder://", u"x"},
        {u"thunder://" + longTail + u"thunder://", u"thunder://", longTail},
        // A prefix made only of Base64 characters is searched for otherwise.
        {u"AbxAbyaBz", u"ab", u"xyz"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RemovePrefix(row.text, row.prefix), row.removed) << std::string(row.text.begin(), row.text.end());
    }
}

TEST(SchemesTest, PrefixRemovalFindsAMatchAnywhereInALongText) {
    // Longer than the stretches the search skips at once, with one near
    // miss: the prefix's first and last units, nothing between.
    const std::u16string filler = std::u16string(40, u'x') + u"Txxxxxxxx/" + std::u16string(50, u'x');
    for (std::size_t at = 0; at <= filler.size(); ++at) {
        std::u16string text = filler;
        text.insert(at, u"ThUnDeR://");
        EXPECT_EQ(RemovePrefix(text, u"thunder://"), filler) << "prefix at " << at;
    }
}

TEST(SchemesTest, ShortDecodedTextsFail) {
    struct Case {
        std::u16string (*decoder)(std::u16string_view);
        std::u16string link;
    };
    const Case cases[] = {
        {ThunderDecode, u"thunder://QUFa"},  // 3 characters
        {ThunderDecode, u"thunder://"},
        {ThunderDecode, u""},
        // 19 characters: "[FLASHGET][FLASHGET" without the closing bracket.
        {FlashgetDecode, u"Flashget://W0ZMQVNIR0VUXVtGTEFTSEdFVA==&3"},
        {FlashgetDecode, u"Flashget://&3"},
    };
    for (const Case& c : cases) {
        try {
            c.decoder(c.link);
            ADD_FAILURE() << "no failure for " << testing::PrintToString(c.link);
        } catch (const NumberedError& e) {
            EXPECT_EQ(e.Number(), ErrInvalidCall);
            EXPECT_FALSE(e.Description().empty());
        }
    }
}

TEST(SchemesTest, FlashgetNumbersStayWithinRange) {
    long lowest = 10000;
    long highest = 1;
    for (int i = 0; i < 100000; ++i) {
        const std::u16string link = FlashgetEncode(u"x");
        const std::size_t amp = link.find(u'&');
        ASSERT_NE(amp, std::u16string::npos);
        const std::u16string digits = link.substr(amp + 1);
        ASSERT_FALSE(digits.empty());
        ASSERT_NE(digits[0], u'0');
        long number = 0;
        for (char16_t c : digits) {
            ASSERT_TRUE(c >= u'0' && c <= u'9') << "not a plain number";
            number = number * 10 + (c - u'0');
        }
        ASSERT_GE(number, 1);
        ASSERT_LE(number, 10000);
        lowest = std::min(lowest, number);
        highest = std::max(highest, number);
    }
    // Both ends are reached too: each comes up once in 10000 links on
    // average, and the unseeded sequence is the same in every run.
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, 10000);
}

std::string FirstFlashgetNumbers() {
    std::string numbers;
    for (int i = 0; i < 3; ++i) {
        const std::u16string link = FlashgetEncode(u"a");
        const std::u16string digits = link.substr(link.find(u'&') + 1);
        numbers += std::string(digits.begin(), digits.end()) + " ";
    }
    return numbers;
}

TEST(SchemesTest, FlashgetNumbersAreTheSameInEveryRun) {
    // A fresh process must draw the numbers every run draws: nothing seeds
    // the generator from the clock or the process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::fputs(FirstFlashgetNumbers().c_str(), stderr);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "^4548 2915 9646 $");
}

struct AutoCase {
    const char* name;
    std::u16string text;
    std::u16string result;           // with the batch box clear
    std::u16string notice;           // the box shown, or empty for none
};

class AutoDecodeTest : public testing::TestWithParam<AutoCase> {};

TEST_P(AutoDecodeTest, SingleShowsNoticeBatchWritesComment) {
    const AutoCase& c = GetParam();
    FakeHost single;
    EXPECT_EQ(AutoDecode(c.text, single), c.result);
    if (c.notice.empty()) {
        EXPECT_TRUE(single.messages.empty());
    } else {
        ASSERT_EQ(single.messages.size(), 1u);
        EXPECT_EQ(single.messages[0], (Message{c.notice, u"提示", MessageIcon::Information}));
    }
    FakeHost batch;
    batch.batchTicked = true;
    EXPECT_EQ(AutoDecode(c.text, batch), c.notice.empty() ? c.result : u"// " + c.notice);
    EXPECT_TRUE(batch.messages.empty());
}

const std::u16string kOrdinary = u"普通协议,不需要解密!";
const std::u16string kUnknown = u"未知协议!";
const std::u16string kCannotJudge = u"错误的地址或无法自动判断!";

INSTANTIATE_TEST_SUITE_P(
    Cases, AutoDecodeTest,
    testing::Values(
        AutoCase{"Thunder", u"thunder://QUFodHRwOi8vYS9iWlo=", u"http://a/b", u""},
        AutoCase{"ThunderUpper", u"THUNDER://QUFodHRwOi8vYS9iWlo=", u"http://a/b", u""},
        AutoCase{"Flashget", u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&1", u"http://a/b", u""},
        AutoCase{"FlashgetLower", u"flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&1", u"http://a/b", u""},
        AutoCase{"FlashgetEmptyResultReturned", u"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd", u"", u""},
        AutoCase{"Qqdl", u"qqdl://aHR0cDovL2EvYg==", u"http://a/b", u""},
        AutoCase{"Http", u"http://a/b", u"", kOrdinary},
        AutoCase{"HttpUpper", u"HTTP://a/b", u"", kOrdinary},
        AutoCase{"Https", u"https://a/b", u"", kOrdinary},
        AutoCase{"Ftp", u"ftp://a/b", u"", kOrdinary},
        AutoCase{"Mms", u"mms://a/b", u"", kOrdinary},
        AutoCase{"Rstp", u"rstp://a/b", u"", kOrdinary},
        AutoCase{"RtspIsOrdinaryToo", u"rtsp://a/b", u"", kOrdinary},
        AutoCase{"RtspUpper", u"RTSP://a/b", u"", kOrdinary},
        AutoCase{"LeadingSpaceIsUnknown", u" thunder://QUFodHRwOi8vYS9iWlo=", u"", kUnknown},
        AutoCase{"PrefixEndsAtFirstSlashes", u"a//thunder://QUFodHRwOi8vYS9iWlo=", u"", kUnknown},
        AutoCase{"Ed2kIsUnknown", u"ed2k://|file|x|1|h|/", u"", kUnknown},
        AutoCase{"MagnetIsUnknown", u"magnet://x", u"", kUnknown},
        AutoCase{"Empty", u"", u"", kCannotJudge},
        AutoCase{"NoSlashes", u"thunder:QUFodHRwOi8vYS9iWlo=", u"", kCannotJudge}),
    test::RowName);

TEST(AutoDecodeTest, DecoderFailurePassesOn) {
    FakeHost host;
    EXPECT_THROW(AutoDecode(u"thunder://QUFa", host), NumberedError);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace velkrant::modMain
