#pragma once
// The command line of velkrant-cli: which mode and way of reading, which
// files, whether to convert lines or links inside any text, or whether the
// user asked for help or the version instead.

#include "ConversionMode.h"
#include "LineConverter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkrant::cli {

enum class Action { Convert, Extract, Replace, ShowHelp, ShowVersion, UsageError };

struct CommandLine {
    Action action = Action::Convert;
    LineOptions line;                // mode, exact or careful reading, charset
    std::vector<std::string> files;  // in order; "-" is standard input
    std::string error;               // for UsageError: what was wrong
};

/// The mode a -m argument names: a mode name or its number 0-6.
///
///     ParseMode("thunder-decode") == ModeThunderDecode;  ParseMode("4") == ModeThunderEncode
std::optional<ConversionMode> ParseMode(std::string_view text);

/// Reads the arguments after the program name. Options may stand anywhere
/// before a "--"; the first problem, or the first --help or --version,
/// decides the action.
///
///     ParseCommandLine({"-m", "qqdl-encode", "list.txt"}).line.mode == ModeQqdlEncode
CommandLine ParseCommandLine(const std::vector<std::string_view>& args);

/// The --help text, in English, ending with a line break.
std::string UsageText();

}  // namespace velkrant::cli
