// velkrant-cli as a stream: inputs far larger than its buffers, a line of
// many megabytes, and a reader that has gone away.

#include "CliProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

struct Ending {
    int waitStatus;
    std::string err;
};

// Runs velkrant-cli on `input` with its standard output on `outDescriptor`.
Ending RunWithOutputTo(const std::vector<std::string>& args, const std::string& input, int outDescriptor) {
    const TempFile in(input);
    const TempFile err("");
    const int inDescriptor = ::open(in.Path().c_str(), O_RDONLY);
    const int errDescriptor = ::open(err.Path().c_str(), O_WRONLY);
    const int status = RunCliOn(args, inDescriptor, outDescriptor, errDescriptor);
    ::close(inDescriptor);
    ::close(errDescriptor);
    return {status, err.Read()};
}

TEST(StreamTest, ClosedOutputPipeEndsQuietly) {
    // Far more output than a pipe holds, and some even when it is small.
    for (int lines : {1, 100000}) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        ::close(pipeEnds[0]);
        const Ending ending = RunWithOutputTo({"-m", "qqdl-encode"}, VariedLines(lines, "\n"), pipeEnds[1]);
        ::close(pipeEnds[1]);
        ASSERT_TRUE(WIFEXITED(ending.waitStatus))
            << "ended by signal " << (WIFSIGNALED(ending.waitStatus) ? WTERMSIG(ending.waitStatus) : 0);
        EXPECT_EQ(WEXITSTATUS(ending.waitStatus), 0);
        EXPECT_EQ(ending.err, "");
    }
}

TEST(StreamTest, FailedWriteIsReported) {
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0) << "needs /dev/full";
    const Ending ending = RunWithOutputTo({"-m", "qqdl-encode"}, "http://a/b\n", full);
    ::close(full);
    ASSERT_TRUE(WIFEXITED(ending.waitStatus));
    EXPECT_EQ(WEXITSTATUS(ending.waitStatus), 2);
    EXPECT_EQ(ending.err, "velkrant-cli: standard output: No space left on device\n");
}

}  // namespace
}  // namespace velkrant::test
