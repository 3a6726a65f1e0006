// Careful and exact reading as the command line offers them, and links
// found inside any text with --extract and --replace, through the real
// executable.

#include "CliProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velkrant::test {
namespace {

using test::PrintTo;
using namespace std::string_literals;

struct RunCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
    int exitCode;
};

class RunTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunTest, WritesWhatTheOptionsAskFor) {
    const RunCase& c = GetParam();
    const CliResult result = RunCli(c.args, c.input);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.exitCode, c.exitCode);
}

const std::string kMarkersLacking = "damaged thunder link: the decoded text lacks its AA…ZZ markers";

// One line of a page: two links, a damaged one, one inside a query string.
const std::string kPage =
    "<p>一 <a href=\"thunder://QUFodHRwOi8vYS9iWlo=\">x</a>\r\n"
    "二 [url=qqdl://aHR0cDovL2EvMw==]y[/url] Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&amp;7.\n"
    "三 thunder://aHR0cDovL2EvYg== /go?u=qqdl%3A%2F%2FaHR0cDovL2EvYg%3D%3D&x=1</p>";
const std::string kPageReplaced =
    "<p>一 <a href=\"http://a/b\">x</a>\r\n"
    "二 [url=http://a/3]y[/url] http://a/b.\n"
    "三 thunder://aHR0cDovL2EvYg== /go?u=http%3A%2F%2Fa%2Fb&x=1</p>";

INSTANTIATE_TEST_SUITE_P(
    Cases, RunTest,
    testing::Values(
        RunCase{"CarefulIsTheDefault", {}, "thunder://QUFodHRwOi8vYS9iWlo=).\n", "http://a/b\n", "", 0},
        RunCase{"ExactKeepsTheBatchWindowsRules", {"--exact"}, "thunder://QUFodHRwOi8vYS9iWlo=).\n", "http://a/bZZ\n", "",
                0},
        RunCase{"DamagedLinkFailsItsLine", {}, "http://a/b\nthunder://aHR0cDovL2EvYg==\n",
                "// 普通协议,不需要解密!\n", "velkrant-cli: line 2: " + kMarkersLacking + "\n", 1},
        RunCase{"Utf8Charset", {"-m", "qqdl-encode", "--charset", "utf-8"}, "http://a/한\n", "qqdl://aHR0cDovL2Ev7ZWc\n",
                "", 0},
        RunCase{"GbkCharsetNamesWhatItCannotHold", {"-m", "thunder-encode"}, "http://a/b\nhttp://a/한\n",
                "thunder://QUFodHRwOi8vYS9iWlo=\n", "velkrant-cli: line 2: U+D55C 한 has no GBK form\n", 1},
        RunCase{"ExtractListsAddressesInOrder", {"--extract"}, kPage, "http://a/b\nhttp://a/3\nhttp://a/b\nhttp://a/b\n",
                "velkrant-cli: line 3, column 3: " + kMarkersLacking + "\n", 1},
        RunCase{"ReplaceKeepsEveryOtherByte", {"--replace"}, kPage, kPageReplaced,
                "velkrant-cli: line 3, column 3: " + kMarkersLacking + "\n", 1},
        RunCase{"ReplaceWritesGbkIntoAGbkText",
                {"--replace"},
                "\xCF\xC2\xD4\xD8: qqdl://aHR0cDovL2Ev0bjA1w==\n",
                "\xCF\xC2\xD4\xD8: http://a/\xD1\xB8\xC0\xD7\n",
                "",
                0},
        RunCase{"ReplacePercentEncodesWhatGbkCannotHold",
                {"--replace"},
                "\xCF\xC2\xD4\xD8 qqdl://aHR0cDovL2Ev7ZWc\n",
                "\xCF\xC2\xD4\xD8 http://a/%ED%95%9C\n",
                "",
                0},
        RunCase{"LinesAndColumnsCountAcrossALinkThatSpansLines",
                {"--extract"},
                "thunder://QUFodHRw\nOi8vYS9iWlo= 迅雷 thunder://QUFa\n",
                "http://a/b\n",
                "velkrant-cli: line 2, column 17: damaged thunder link: the decoded text lacks its AA…ZZ markers\n",
                1}),
    test::RowName);

}  // namespace
}  // namespace velkrant::test
