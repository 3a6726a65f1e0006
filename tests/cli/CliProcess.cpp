#include "CliProcess.h"

#include "CodePage.h"
#include "ProcessRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace velkrant::test {

namespace {

// Lines that are neither ASCII nor UTF-8 are GBK in these tests: the tool
// must read them through code page 936. Said once, for the whole run.
class NeedsCodePage936 : public testing::Environment {
    void SetUp() override {
        ASSERT_EQ(CodePage::Number(), 936u) << "velkrant-cli's tests need code page 936 (GBK); under Wine, LC_ALL=zh_CN.UTF-8";
    }
};

[[maybe_unused]] testing::Environment* const kNeedsCodePage936 =
    testing::AddGlobalTestEnvironment(new NeedsCodePage936);

// Random names: the test programs of a parallel run share the folder.
std::filesystem::path UniqueTempPath(std::string_view suffix) {
    static std::mt19937_64 random{std::random_device{}()};
    const std::string name = "velkrant-cli-test-" + std::to_string(random()) + std::string(suffix);
    return std::filesystem::temp_directory_path() / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

CliResult Run(const std::vector<std::string>& args, std::string_view input, const std::filesystem::path& out) {
    const TempFile in(input);
    const TempFile err("");
    CliResult result;
    result.exitCode = RunProcess(VELKRANT_CLI_PATH, args, {in.NativePath(), out, err.NativePath()});
    result.err = err.Read();
    return result;
}

}  // namespace

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TempFile::TempFile(std::string_view content, std::string_view suffix) : path_(UniqueTempPath(suffix)) {
    std::ofstream file(path_, std::ios::binary);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!file.flush()) throw std::runtime_error("cannot write the temporary file " + Path());
}

TempFile::~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

std::string TempFile::Path() const { return Utf8(path_); }

std::string TempFile::Read() const {
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

CliResult RunCli(const std::vector<std::string>& args, std::string_view input) {
    // Files rather than pipes: nothing can block, whatever the sizes.
    const TempFile out("");
    CliResult result = Run(args, input, out.NativePath());
    result.out = out.Read();
    return result;
}

CliResult RunCliWritingTo(const std::filesystem::path& device, const std::vector<std::string>& args,
                          std::string_view input) {
    return Run(args, input, device);
}

CliResult RunCliIntoClosedPipe(const std::vector<std::string>& args, std::string_view input) {
    return Run(args, input, {});
}

}  // namespace velkrant::test
