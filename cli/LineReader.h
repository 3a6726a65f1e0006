#pragma once
// Lines from a file descriptor, read in fixed-size chunks: memory stays
// bounded by the longest line, however long the input is.

#include <memory>
#include <string>
#include <string_view>

namespace velkrant::cli {

/// Splits the input at LF; a CR right before the LF is dropped, so LF and
/// CR LF files read alike. A last line without LF still counts; an input
/// that ends in LF has no empty line after it.
///
///     LineReader reader(fd);
///     std::string_view line;
///     while (reader.Next(line)) Use(line);   // throws InputError on a failed read
class LineReader {
public:
    explicit LineReader(int descriptor, std::size_t chunkSize = 128 * 1024);

    /// The next line, valid until the following call; false at the end.
    bool Next(std::string_view& line);

private:
    // Reads the next chunk; false at the end of the input.
    bool Fill();

    int descriptor_;
    std::size_t chunkSize_;
    std::unique_ptr<char[]> chunk_;
    std::size_t begin_ = 0;  // unread part of the chunk: [begin_, end_)
    std::size_t end_ = 0;
    std::string pending_;  // a line begun in an earlier chunk
    bool pendingHanded_ = false;
    bool atEnd_ = false;
};

}  // namespace velkrant::cli
