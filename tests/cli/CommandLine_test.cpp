// The command line of velkrant-cli: modes by name and number, help,
// version and usage errors, through the real executable.

#include "CliProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace velkrant::test {
namespace {

using test::PrintTo;

constexpr char kThunderLink[] = "thunder://QUFodHRwOi8vYS9iWlo=";
constexpr char kFlashgetLink[] = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2JbRkxBU0hHRVRd&5";
constexpr char kQqdlLink[] = "qqdl://aHR0cDovL2EvYg==";
constexpr char kOrdinaryComment[] = "// 普通协议,不需要解密!";

struct ModeCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string expectedOut;
};

class ModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeTest, ConvertsByTheChosenMode) {
    const ModeCase& c = GetParam();
    const CliResult result = RunCli(c.args, c.input);
    EXPECT_EQ(result.out, c.expectedOut);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

const std::string kAutoInput = std::string(kThunderLink) + "\nhttp://a/b\n";
const std::string kAutoOutput = std::string("http://a/b\n") + kOrdinaryComment + "\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ModeTest,
    testing::Values(
        ModeCase{"AutoIsTheDefault", {}, kAutoInput, kAutoOutput},
        ModeCase{"AutoByName", {"-m", "auto"}, kAutoInput, kAutoOutput},
        ModeCase{"AutoByNumber", {"--mode", "0"}, kAutoInput, kAutoOutput},
        // Without its prefix a link is no case for automatic detection, but
        // the decoders take it.
        ModeCase{"AutoNeedsAPrefix", {}, "QUFodHRwOi8vYS9iWlo=\n", "// 错误的地址或无法自动判断!\n"},
        ModeCase{"ThunderDecodeByName", {"-m", "thunder-decode"}, "QUFodHRwOi8vYS9iWlo=\n", "http://a/b\n"},
        ModeCase{"ThunderDecodeByNumber", {"-m1"}, "QUFodHRwOi8vYS9iWlo=\n", "http://a/b\n"},
        ModeCase{"FlashgetDecodeByName", {"--mode=flashget-decode"}, std::string(kFlashgetLink) + "\n", "http://a/b\n"},
        ModeCase{"FlashgetDecodeByNumber", {"-m", "2"}, std::string(kFlashgetLink) + "\n", "http://a/b\n"},
        ModeCase{"QqdlDecodeByName", {"-m", "qqdl-decode"}, "aHR0cDovL2EvYg==\n", "http://a/b\n"},
        ModeCase{"QqdlDecodeByNumber", {"--mode=3"}, "aHR0cDovL2EvYg==\n", "http://a/b\n"},
        ModeCase{"ThunderEncodeByName", {"-m", "thunder-encode"}, "http://a/b\n", std::string(kThunderLink) + "\n"},
        ModeCase{"ThunderEncodeByNumber", {"-m", "4"}, "http://a/b\n", std::string(kThunderLink) + "\n"},
        ModeCase{"QqdlEncodeByName", {"-m", "qqdl-encode"}, "http://a/b\n", std::string(kQqdlLink) + "\n"},
        ModeCase{"QqdlEncodeByNumber", {"-m6"}, "http://a/b\n", std::string(kQqdlLink) + "\n"},
        ModeCase{"LastModeWins", {"-m", "qqdl-encode", "-m", "thunder-encode"}, "http://a/b\n",
                 std::string(kThunderLink) + "\n"},
        ModeCase{"OptionAfterTheFile", {"-", "-m", "qqdl-encode"}, "http://a/b\n", std::string(kQqdlLink) + "\n"},
        ModeCase{"DashIsStandardInputAfterDoubleDash", {"-m", "6", "--", "-"}, "http://a/b\n",
                 std::string(kQqdlLink) + "\n"}),
    test::RowName);

// FlashGet numbers come from the generator, so the links are checked for
// their form and by decoding them back.
TEST(ModeTest, FlashgetEncodeByNameAndNumberDecodesBack) {
    const std::string addresses = "http://a/b\nftp://x/y\n\nhttps://example.org/f.zip?x=1\n";
    for (const char* mode : {"flashget-encode", "5"}) {
        const CliResult encoded = RunCli({"-m", mode}, addresses);
        ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
        std::istringstream lines(encoded.out);
        const std::regex form(R"(Flashget://[A-Za-z0-9+/=]+&([0-9]+))");
        for (std::string line; std::getline(lines, line);) {
            if (line.empty()) continue;
            std::smatch match;
            ASSERT_TRUE(std::regex_match(line, match, form)) << line;
            const int number = std::stoi(match[1]);
            EXPECT_GE(number, 1) << line;
            EXPECT_LE(number, 10000) << line;
        }
        EXPECT_EQ(RunCli({"-m", "flashget-decode"}, encoded.out).out, addresses) << mode;
    }
}

struct OptionCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string outPrefix;  // the whole output must start with it
    std::string err;
};

class OptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(OptionTest, AnswersWithoutConverting) {
    const OptionCase& c = GetParam();
    // Input that would give output if it were converted.
    const CliResult result = RunCli(c.args, "http://a/b\n");
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_TRUE(result.out.starts_with(c.outPrefix)) << result.out;
    if (c.outPrefix.empty()) {
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(result.err, c.err);
}

const std::string kUsageLine = "Usage: velkrant-cli [-m MODE] [FILE...]\n";
const std::string kTryHelp = "velkrant-cli: try 'velkrant-cli --help' for more information\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionTest,
    testing::Values(
        OptionCase{"LongHelp", {"--help"}, 0, kUsageLine, ""},
        OptionCase{"ShortHelp", {"-h"}, 0, kUsageLine, ""},
        OptionCase{"HelpBeforeABadOption", {"--help", "-x"}, 0, kUsageLine, ""},
        OptionCase{"Version", {"--version"}, 0, "velkrant-cli 2.3.38\n", ""},
        OptionCase{"UnknownShortOption", {"-x"}, 2, "", "velkrant-cli: unknown option '-x'\n" + kTryHelp},
        OptionCase{"UnknownLongOption", {"--bogus"}, 2, "", "velkrant-cli: unknown option '--bogus'\n" + kTryHelp},
        OptionCase{"BadOptionBeforeHelp", {"-x", "--help"}, 2, "", "velkrant-cli: unknown option '-x'\n" + kTryHelp},
        OptionCase{"ModeMissing", {"-m"}, 2, "", "velkrant-cli: option '-m' needs a MODE\n" + kTryHelp},
        OptionCase{"LongModeMissing", {"--mode"}, 2, "", "velkrant-cli: option '--mode' needs a MODE\n" + kTryHelp},
        OptionCase{"ModeNumberOutOfRange", {"-m", "7"}, 2, "", "velkrant-cli: unknown mode '7'\n" + kTryHelp},
        OptionCase{"ModeNameUnknown", {"--mode=decode"}, 2, "", "velkrant-cli: unknown mode 'decode'\n" + kTryHelp},
        OptionCase{"ModeEmpty", {"--mode="}, 2, "", "velkrant-cli: unknown mode ''\n" + kTryHelp},
        OptionCase{"CharsetUnknown", {"--charset=latin1"}, 2, "",
                   "velkrant-cli: unknown charset 'latin1' (gbk or utf-8)\n" + kTryHelp},
        OptionCase{"CharsetWithExact", {"--exact", "--charset", "utf-8"}, 2, "",
                   "velkrant-cli: --charset is for careful encoding; --exact encodes as the windows do\n" + kTryHelp},
        OptionCase{"ExtractAndReplace", {"--extract", "--replace"}, 2, "",
                   "velkrant-cli: --extract and --replace exclude each other\n" + kTryHelp},
        OptionCase{"ExtractWithExact", {"--replace", "--exact"}, 2, "",
                   "velkrant-cli: --extract and --replace read carefully; --exact does not apply\n" + kTryHelp},
        OptionCase{"ExtractWithAMode", {"-m", "1", "--extract"}, 2, "",
                   "velkrant-cli: --extract and --replace work in auto mode only\n" + kTryHelp},
        OptionCase{"OptionAfterDoubleDashIsAFile", {"--", "-m"}, 2, "",
                   "velkrant-cli: -m: No such file or directory\n"}),
    test::RowName);

}  // namespace
}  // namespace velkrant::test
