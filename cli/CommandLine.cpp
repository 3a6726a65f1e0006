#include "CommandLine.h"

#include <array>

namespace velkrant::cli {

namespace {

// Indexed by mode number.
constexpr std::array<std::string_view, 7> kModeNames{
    "auto",           "thunder-decode", "flashget-decode", "qqdl-decode",
    "thunder-encode", "flashget-encode", "qqdl-encode",
};

CommandLine Failure(std::string error) {
    CommandLine result;
    result.action = Action::UsageError;
    result.error = std::move(error);
    return result;
}

}  // namespace

std::optional<ConversionMode> ParseMode(std::string_view text) {
    for (std::size_t i = 0; i < kModeNames.size(); ++i) {
        if (text == kModeNames[i]) return static_cast<ConversionMode>(i);
    }
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '6') {
        return static_cast<ConversionMode>(text[0] - '0');
    }
    return std::nullopt;
}

CommandLine ParseCommandLine(const std::vector<std::string_view>& args) {
    CommandLine result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        // "-" alone is standard input, not an option.
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            result.files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            result.action = Action::ShowHelp;
            return result;
        } else if (arg == "--version") {
            result.action = Action::ShowVersion;
            return result;
        } else if (arg == "--mode" || arg.starts_with("--mode=") || arg.starts_with("-m")) {
            // The value is glued on (-m4, --mode=4) or is the next argument.
            std::string_view value;
            if (arg.starts_with("--mode=")) {
                value = arg.substr(7);
            } else if (arg.starts_with("-m") && arg.size() > 2) {
                value = arg.substr(2);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return Failure("option '" + std::string(arg) + "' needs a MODE");
            }
            const std::optional<ConversionMode> mode = ParseMode(value);
            if (!mode) return Failure("unknown mode '" + std::string(value) + "'");
            result.mode = *mode;
        } else {
            return Failure("unknown option '" + std::string(arg) + "'");
        }
    }
    return result;
}

std::string UsageText() {
    return "Usage: velkrant-cli [-m MODE] [FILE...]\n"
           "Convert download links, one per line, between ordinary addresses and\n"
           "thunder://, Flashget:// and qqdl:// links.\n"
           "\n"
           "  -m, --mode MODE   auto (the default), thunder-decode, flashget-decode, qqdl-decode,\n"
           "                    thunder-encode, flashget-encode, qqdl-encode, or the mode's number 0-6\n"
           "  -h, --help        show this help and exit\n"
           "      --version     show the version and exit\n"
           "\n"
           "With no FILE, or where FILE is -, standard input is read. Lines end in LF\n"
           "or CR LF and may be UTF-8 or GBK; the output is UTF-8, one line per input\n"
           "line. An empty line stays empty; in auto mode, ordinary addresses and\n"
           "unknown schemes give a \"// \" comment line. A line that cannot be\n"
           "converted gives no output line and a message on standard error.\n"
           "\n"
           "Example: velkrant-cli -m thunder-decode links.txt > addresses.txt\n"
           "\n"
           "Exit status: 0 when every line converted, 1 when a line failed, 2 for a\n"
           "usage error, a file that cannot be read or output that cannot be written.\n";
}

}  // namespace velkrant::cli
