// velkrant-cli as a stream: inputs far larger than its buffers, a line of
// many megabytes, and a reader that has gone away.

#include "CliProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace velkrant::testing_support {
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
        const TempFile input(VariedLines(lines, "\n"));
        const TempFile err("");
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        ::close(pipeEnds[0]);
        const int inDescriptor = ::open(input.Path().c_str(), O_RDONLY);
        const int errDescriptor = ::open(err.Path().c_str(), O_WRONLY);
        const int status = RunCliOn({"-m", "qqdl-encode"}, inDescriptor, pipeEnds[1], errDescriptor);
        ::close(pipeEnds[1]);
        ::close(inDescriptor);
        ::close(errDescriptor);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(err.Read(), "");
    }
}

}  // namespace
}  // namespace velkrant::testing_support
