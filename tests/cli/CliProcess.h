#pragma once
// Runs the real velkrant-cli executable for a test: arguments, bytes for
// standard input, and everything it writes.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velkrant::test {

struct CliResult {
    int exitCode = -1;  // -1 when the process ended by a signal
    std::string out;
    std::string err;
};

/// Runs velkrant-cli with `args`, feeding `input` to its standard input.
///
///     RunCli({"-m", "qqdl-encode"}, "http://a/b\n").out == "qqdl://aHR0cDovL2EvYg==\n"
CliResult RunCli(const std::vector<std::string>& args, std::string_view input = {});

/// As RunCli, with standard output written to `device` (a file or a
/// device such as /dev/full) instead of captured; `out` stays empty.
CliResult RunCliWritingTo(const std::filesystem::path& device, const std::vector<std::string>& args,
                          std::string_view input);

/// As RunCli, with standard output into a pipe whose reading end is
/// closed before the tool starts: a reader that has gone away.
CliResult RunCliIntoClosedPipe(const std::vector<std::string>& args, std::string_view input);

/// A file in the temporary directory, holding `content`, removed again
/// when the object goes. `suffix` ends its name.
class TempFile {
public:
    explicit TempFile(std::string_view content, std::string_view suffix = {});
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    /// The file's name in UTF-8, as an argument for the tool.
    std::string Path() const;
    std::string Read() const;

    const std::filesystem::path& NativePath() const { return path_; }

private:
    std::filesystem::path path_;
};

/// A path as UTF-8, whatever the platform's own spelling.
std::string Utf8(const std::filesystem::path& path);

}  // namespace velkrant::test
