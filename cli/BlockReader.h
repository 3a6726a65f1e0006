#pragma once
// An input read in large blocks of whole lines, so that each block can be
// converted on its own, on any core, while the next one is read.

#include <cstddef>
#include <string>

namespace velkrant::cli {

/// Cuts the input after its last LF of each read; the unfinished line
/// waits for the next block. A block is what one read brings (at most
/// `readSize` bytes), except that a line longer than that grows its block
/// until the line ends: memory stays bounded by the longest line. The last
/// block of an input may end without LF.
///
///     BlockReader reader(fd);
///     std::string block;
///     while (reader.Next(block)) Convert(block);   // throws InputError on a failed read
class BlockReader {
public:
    explicit BlockReader(int descriptor, std::size_t readSize = 256 * 1024);

    /// Replaces `block` with the next lines; false at the end of the input.
    bool Next(std::string& block);

private:
    int descriptor_;
    std::size_t readSize_;
    std::string carry_;  // the start of a line that the last read cut off
    bool atEnd_ = false;
};

}  // namespace velkrant::cli
