#pragma once
// Writing to a file descriptor in whole: the converted blocks and the
// program's own texts go out through here.

#include <string_view>

namespace velkrant::cli {

/// Writes all of `data`, retrying after interruptions and short writes.
/// Throws OutputError (EPIPE when the reader has gone away).
///
///     WriteAll(System::StandardOutput, "http://a/b\n");
void WriteAll(int descriptor, std::string_view data);

}  // namespace velkrant::cli
