#pragma once
// A block of input lines and what converting them gave: the unit of work
// that the threads of a run hand on to each other.

#include "LineConverter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velkrant::cli {

/// A line of the block that could not be converted.
struct LineFailure {
    std::size_t outputEnd;  // the block's output up to here comes before the message
    std::uint64_t line;     // counted from 0 within the block
    std::string description;
};

struct LineBlock {
    std::string input;  // whole lines, as BlockReader cuts them
    std::string output;
    std::vector<LineFailure> failures;
    std::uint64_t lineCount = 0;
};

/// Converts every line of `block.input` (split at LF, a CR before the LF
/// dropped) as `options` say, replacing the block's results: each converted line
/// and an LF in `output`, each failing line in `failures` with the
/// description of its error (a line too large for memory is one of them).
///
///     LineBlock block{.input = "QUFodHRwOi8vYS9iWlo=\r\nQUFa"};
///     ConvertBlock({ModeThunderDecode, true}, block);   // output "http://a/b\n", one failure at line 1
void ConvertBlock(const LineOptions& options, LineBlock& block);

}  // namespace velkrant::cli
