#pragma once
// Messages to standard error, each one line starting with the program name.

#include <string_view>

namespace velkrant::cli {

inline constexpr std::string_view ProgramName = "velkrant-cli";

/// Writes "velkrant-cli: <message>" and a line break to standard error.
/// A failure to write there is ignored: there is nowhere left to report it.
///
///     Complain("line 3: Invalid procedure call or argument");
void Complain(std::string_view message);

class OutputError;

/// Reports a failed write to standard output and returns true, unless the
/// reader simply went away (a closed pipe, as with `velkrant-cli list |
/// head`): that ends the output quietly and returns false.
bool ReportFailedWrite(const OutputError& error);

}  // namespace velkrant::cli
