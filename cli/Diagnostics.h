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

}  // namespace velkrant::cli
