#pragma once
// Starting a program for a test and waiting for it, with its standard
// streams on files or on a pipe nobody reads. One implementation per
// platform, chosen by the build.

#include <filesystem>
#include <string>
#include <vector>

namespace velkrant::test {

struct StandardStreams {
    std::filesystem::path in;   // read from this file
    std::filesystem::path out;  // written to this file, or, when empty, into a pipe whose reading end is closed
    std::filesystem::path err;  // written to this file
};

/// Runs `program` with `args` (UTF-8) on `streams` and waits for it: its
/// exit code, or -1 when a signal ended it. Throws std::runtime_error when
/// it cannot be started.
///
///     RunProcess("/bin/cat", {}, {"in.txt", "out.txt", "err.txt"}) == 0
int RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const StandardStreams& streams);

}  // namespace velkrant::test
