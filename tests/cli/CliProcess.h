#pragma once
// Runs the real velkrant-cli executable for a test: arguments, bytes for
// standard input, and everything it writes.

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

/// Runs velkrant-cli on the given descriptors and returns its raw wait
/// status, for tests that need pipes of their own.
int RunCliOn(const std::vector<std::string>& args, int inDescriptor, int outDescriptor, int errDescriptor);

/// A file in the temporary directory, holding `content`, removed again
/// when the object goes.
class TempFile {
public:
    explicit TempFile(std::string_view content);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return path_; }
    std::string Read() const;

private:
    std::string path_;
};

}  // namespace velkrant::test
