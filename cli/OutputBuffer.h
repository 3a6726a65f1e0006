#pragma once
// Buffered output to a file descriptor: one system call per large block,
// not one per line.

#include <memory>
#include <string_view>

namespace velkrant::cli {

/// Writes all of `data`, retrying after interruptions and short writes.
/// Throws OutputError (EPIPE when the reader has gone away).
void WriteAll(int descriptor, std::string_view data);

/// Collects output and writes it in blocks of `capacity` bytes. Nothing is
/// written on destruction: call Flush() when done.
///
///     OutputBuffer out(System::StandardOutput);
///     out.Write("http://a/b");
///     out.Put('\n');
///     out.Flush();                  // throws OutputError on a failed write
class OutputBuffer {
public:
    explicit OutputBuffer(int descriptor, std::size_t capacity = 256 * 1024);

    void Write(std::string_view data);
    void Put(char c);
    void Flush();

private:
    int descriptor_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

}  // namespace velkrant::cli
