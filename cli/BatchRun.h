#pragma once
// A whole run of velkrant-cli: every line of every input, converted to
// standard output, failures reported on standard error.

#include "LineConverter.h"

#include <string>
#include <vector>

namespace velkrant::cli {

enum ExitStatus : int {
    ExitSuccess = 0,     // every line converted
    ExitLineFailed = 1,  // at least one line failed; all others were written
    ExitTrouble = 2,     // a usage error, an unreadable input or a failed write
};

/// Converts the lines of `files` in order ("-", or no file at all, is
/// standard input) as `options` say and writes them to `outDescriptor`. Line
/// numbers in messages count from 1 across all inputs. An unreadable input
/// ends the run there, after everything before it has been written. A
/// reader that goes away (a closed pipe) ends it quietly.
///
///     RunBatch({ModeThunderDecode}, {"links.txt"}, System::StandardOutput)   // 0, 1 or 2
ExitStatus RunBatch(const LineOptions& options, const std::vector<std::string>& files, int outDescriptor);

}  // namespace velkrant::cli
