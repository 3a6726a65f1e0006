#pragma once
// Where velkrant-cli meets the operating system: its arguments, its
// standard streams and the files it reads. One implementation per
// platform, chosen by the build; everything above works in bytes and
// UTF-8 alike everywhere.

#include <cstddef>
#include <string>
#include <vector>

namespace velkrant::cli::System {

inline constexpr int StandardInput = 0;
inline constexpr int StandardOutput = 1;
inline constexpr int StandardError = 2;

/// Readies the standard streams for the run: they carry bytes unchanged,
/// and a reader that goes away shows as a failed write (EPIPE) rather than
/// ending the process unannounced.
void PrepareStandardStreams();

/// The arguments after the program name, in UTF-8, whatever the system's
/// own spelling of them; file names outside the system's code page
/// included.
///
///     System::Arguments(argc, argv)   // {"-m", "auto", "链接.txt"}
std::vector<std::string> Arguments(int argc, char** argv);

/// Opens the file named `name` (UTF-8) for reading; not inherited by
/// other programs. Throws InputError: ENOENT, EISDIR, EACCES...
int OpenForReading(const std::string& name);

void Close(int descriptor);

/// Reads up to `size` bytes into `buffer`; 0 at the end of the input.
/// Throws InputError.
std::size_t Read(int descriptor, char* buffer, std::size_t size);

/// Writes up to `size` bytes and says how many went out. Throws
/// OutputError, with EPIPE when the reader has gone away.
std::size_t Write(int descriptor, const char* data, std::size_t size);

}  // namespace velkrant::cli::System
