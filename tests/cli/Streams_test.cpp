// velkrant-cli as a stream: inputs far larger than its buffers, a line of
// many megabytes, and a reader that has gone away.

#include "CliProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace velkrant::test {
namespace {

// Lines of varied length, so that line ends fall at every offset of the
// read and write blocks; CR LF ends put some CRs at a block's last byte.
std::string VariedLines(int count, const char* lineEnd) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "http://mirror.example/" + std::string(static_cast<std::size_t>((i * 37) % 151), 'a' + i % 26) +
                "/" + std::to_string(i) + lineEnd;
    }
    return text;
}

TEST(StreamTest, ManyLinesRoundTripAcrossBlockBoundaries) {
    for (const char* lineEnd : {"\n", "\r\n"}) {
        const std::string addresses = VariedLines(6000, lineEnd);
        const CliResult encoded = RunCli({"-m", "thunder-encode"}, addresses);
        ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
        const CliResult decoded = RunCli({}, encoded.out);
        EXPECT_EQ(decoded.exitCode, 0) << decoded.err;
        EXPECT_TRUE(decoded.out == VariedLines(6000, "\n")) << "line end " << testing::PrintToString(lineEnd);
    }
}

TEST(StreamTest, LineOfManyMegabytes) {
    const std::string address = "http://a/" + std::string(6 * 1024 * 1024, 'x') + "\xE8\xBF\x85";
    const std::string input = "http://a/b\n" + address + "\nhttp://c/d\n";
    const CliResult encoded = RunCli({"-m", "qqdl-encode"}, input);
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
    const CliResult decoded = RunCli({"-m", "qqdl-decode"}, encoded.out);
    EXPECT_EQ(decoded.exitCode, 0) << decoded.err;
    EXPECT_TRUE(decoded.out == input) << "the long line came back changed";
}

TEST(StreamTest, ClosedOutputPipeEndsQuietly) {
    // Far more output than a pipe holds, and some even when it is small.
    for (int lines : {1, 100000}) {
        const CliResult result = RunCliIntoClosedPipe({"-m", "qqdl-encode"}, VariedLines(lines, "\n"));
        EXPECT_EQ(result.exitCode, 0) << lines << " lines (-1: ended by a signal)";
        EXPECT_EQ(result.err, "") << lines << " lines";
    }
}

}  // namespace
}  // namespace velkrant::test
