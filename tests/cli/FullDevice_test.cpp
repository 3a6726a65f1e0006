// A write that fails for another reason than a closed pipe is reported.
// Linux only: Windows has no device that refuses writes, as /dev/full does.

#include "CliProcess.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace velkrant::test {
namespace {

TEST(StreamTest, FailedWriteIsReported) {
    ASSERT_TRUE(std::filesystem::exists("/dev/full")) << "needs /dev/full";
    const CliResult result = RunCliWritingTo("/dev/full", {"-m", "qqdl-encode"}, "http://a/b\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "velkrant-cli: standard output: No space left on device\n");
}

}  // namespace
}  // namespace velkrant::test
