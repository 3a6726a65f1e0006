// Lines through velkrant-cli: the batch rules, line ends, encodings,
// failing lines and unreadable inputs, through the real executable.

#include "CliProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace velkrant::test {
namespace {

using test::PrintTo;
using namespace std::string_literals;

constexpr char kThunderFailure[] =
    "Invalid procedure call or argument: the decoded Thunder text has fewer than 4 characters";

struct LineCase {
    const char* name;
    std::string mode;
    std::string input;
    std::string out;
    std::string err;
    int exitCode;
};

class LineTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineTest, ConvertsEveryLine) {
    const LineCase& c = GetParam();
    // The batch window's rules: exact reading.
    const CliResult result = RunCli({"--exact", "-m", c.mode}, c.input);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.exitCode, c.exitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineTest,
    testing::Values(
        LineCase{"EmptyInputGivesNothing", "auto", "", "", "", 0},
        LineCase{"EmptyLinesStayEmpty", "auto", "\n\nhttp://a/b\n\n", "\n\n// 普通协议,不需要解密!\n\n", "", 0},
        LineCase{"EmptyLinesStayEmptyWhenEncoding", "thunder-encode", "\n", "\n", "", 0},
        LineCase{"NoticesBecomeCommentLines", "auto", "abc\nftp://x/y\nfoo://z\n",
                 "// 错误的地址或无法自动判断!\n// 普通协议,不需要解密!\n// 未知协议!\n", "", 0},
        LineCase{"LastLineWithoutLineBreak", "auto", "http://a/b", "// 普通协议,不需要解密!\n", "", 0},
        LineCase{"SpacesAreKept", "qqdl-encode", "a b\n", "qqdl://YSBi\n", "", 0},
        LineCase{"FailingLineIsLeftOut", "thunder-decode",
                 "QUFodHRwOi8vYS9iWlo=\nthunder://QUFa\nthunder://QUFmdHA6Ly94L3laWg==\n", "http://a/b\nftp://x/y\n",
                 "velkrant-cli: line 2: "s + kThunderFailure + "\n", 1},
        LineCase{"FailuresCountEmptyLines", "auto", "\n\nthunder://QUFa\nthunder://QUFa\nhttp://a/b\n",
                 "\n\n// 普通协议,不需要解密!\n",
                 "velkrant-cli: line 3: "s + kThunderFailure + "\nvelkrant-cli: line 4: " + kThunderFailure + "\n", 1},
        LineCase{"CrLfLines", "auto", "thunder://QUFodHRwOi8vYS9iWlo=\r\n\r\nhttp://a/b\r\n",
                 "http://a/b\n\n// 普通协议,不需要解密!\n", "", 0},
        LineCase{"LoneCrStaysInItsLine", "qqdl-encode", "a\rb\r\n", "qqdl://YQ1i\n", "", 0},
        LineCase{"GbkLineReadThroughTheCodePage", "thunder-encode", "http://a/\xD1\xB8\xC0\xD7.exe\r\n",
                 "thunder://QUFodHRwOi8vYS/RuMDXLmV4ZVpa\n", "", 0},
        LineCase{"Utf8LineReadAsUtf8", "thunder-encode", "http://a/迅雷.exe\n", "thunder://QUFodHRwOi8vYS/RuMDXLmV4ZVpa\n",
                 "", 0},
        LineCase{"OutputIsUtf8", "auto", "thunder://QUFodHRwOi8vYS/RuMDXLmV4ZVpa\n", "http://a/迅雷.exe\n", "", 0},
        LineCase{"NulBytesAreCharacters", "qqdl-encode", "a\0b\n"s, "qqdl://YQBi\n", "", 0},
        LineCase{"ControlZIsData", "qqdl-encode", "a\x1A" "b\n", "qqdl://YRpi\n", "", 0},
        LineCase{"NulBytesInAutoDetection", "auto", "\0//x\n"s, "// 未知协议!\n", "", 0},
        LineCase{"InvalidUtf8AndGbk", "auto", "\xFF\xFE//x\n\xFF\n", "// 未知协议!\n// 错误的地址或无法自动判断!\n", "",
                 0}),
    test::RowName);

TEST(FileTest, FilesAndStandardInputInOrderWithLinesCountedAcross) {
    const TempFile first("http://a/b\nQUFa\n");
    const TempFile second("thunder://QUFodHRwOi8vYS9iWlo=\nthunder://QUFa");
    const CliResult result = RunCli({"--exact", first.Path(), "-", second.Path()}, "abc\n");
    EXPECT_EQ(result.out, "// 普通协议,不需要解密!\n// 错误的地址或无法自动判断!\n// 错误的地址或无法自动判断!\nhttp://a/b\n");
    EXPECT_EQ(result.err, "velkrant-cli: line 5: "s + kThunderFailure + "\n");
    EXPECT_EQ(result.exitCode, 1);
}

TEST(FileTest, UnreadableInputEndsTheRunAfterWhatCameBefore) {
    const TempFile before("http://a/b\n");
    const TempFile after("ftp://x/y\n");
    const std::string missing = before.Path() + "-missing";
    const std::string directory = Utf8(std::filesystem::temp_directory_path());
    struct Case {
        std::string unreadable;
        std::string reason;
    };
    for (const Case& c : {Case{missing, "No such file or directory"}, Case{directory, "Is a directory"}}) {
        const CliResult result = RunCli({"-m", "qqdl-encode", before.Path(), c.unreadable, after.Path()});
        EXPECT_EQ(result.out, "qqdl://aHR0cDovL2EvYg==\n") << c.unreadable;
        EXPECT_EQ(result.err, "velkrant-cli: " + c.unreadable + ": " + c.reason + "\n");
        EXPECT_EQ(result.exitCode, 2);
    }
}

TEST(FileTest, NamesOutsideTheCodePage) {
    // Korean is in no Chinese code page: only a name passed as Unicode
    // reaches the file, and the message gives it back in UTF-8.
    const TempFile file("http://a/b\n", "-链接-링크.txt");
    const std::string missing = file.Path() + "-없음";
    const CliResult result = RunCli({"-m", "qqdl-encode", file.Path(), missing});
    EXPECT_EQ(result.out, "qqdl://aHR0cDovL2EvYg==\n");
    EXPECT_EQ(result.err, "velkrant-cli: " + missing + ": No such file or directory\n");
    EXPECT_EQ(result.exitCode, 2);
}

TEST(FileTest, UnreadableInputOutranksAFailedLine) {
    const TempFile failing("QUFa\nQUFodHRwOi8vYS9iWlo=\n");
    const std::string missing = failing.Path() + "-missing";
    const CliResult result = RunCli({"--exact", "-m", "1", failing.Path(), missing});
    EXPECT_EQ(result.out, "http://a/b\n");
    EXPECT_EQ(result.err, "velkrant-cli: line 1: "s + kThunderFailure + "\nvelkrant-cli: " + missing +
                              ": No such file or directory\n");
    EXPECT_EQ(result.exitCode, 2);
}

}  // namespace
}  // namespace velkrant::test
