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

// The name an option with a value goes by (`longName`, `shortName`), or
// nothing when `arg` is another option. The value may be glued on
// (-m4, --mode=4) or be the next argument.
std::optional<std::string_view> ValueOption(std::string_view arg, std::string_view longName,
                                            std::string_view shortName) {
    if (arg == longName || (arg.starts_with(longName) && arg[longName.size()] == '=')) return longName;
    if (!shortName.empty() && arg.starts_with(shortName)) return shortName;
    return std::nullopt;
}

bool TakeValue(const std::vector<std::string_view>& args, std::size_t& i, std::string_view name,
               std::string_view& value) {
    const std::string_view arg = args[i];
    if (arg.size() > name.size()) {
        value = arg.substr(name.size() + (arg[name.size()] == '=' && name.starts_with("--") ? 1 : 0));
        return true;
    }
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

std::optional<CarefulEncode::PayloadCharset> ParseCharset(std::string_view text) {
    if (text == "gbk" || text == "GBK") return CarefulEncode::PayloadCharset::CodePage;
    if (text == "utf-8" || text == "UTF-8" || text == "utf8") return CarefulEncode::PayloadCharset::Utf8;
    return std::nullopt;
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
    bool charsetGiven = false;
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
        } else if (arg == "--exact") {
            result.line.exact = true;
        } else if (arg == "--extract" || arg == "--replace") {
            const Action action = arg == "--extract" ? Action::Extract : Action::Replace;
            if (result.action != Action::Convert && result.action != action) {
                return Failure("--extract and --replace exclude each other");
            }
            result.action = action;
        } else if (const std::optional<std::string_view> name = ValueOption(arg, "--mode", "-m")) {
            std::string_view value;
            if (!TakeValue(args, i, *name, value)) return Failure("option '" + std::string(arg) + "' needs a MODE");
            const std::optional<ConversionMode> mode = ParseMode(value);
            if (!mode) return Failure("unknown mode '" + std::string(value) + "'");
            result.line.mode = *mode;
        } else if (const std::optional<std::string_view> name = ValueOption(arg, "--charset", "")) {
            std::string_view value;
            if (!TakeValue(args, i, *name, value)) return Failure("option '" + std::string(arg) + "' needs a CHARSET");
            const std::optional<CarefulEncode::PayloadCharset> charset = ParseCharset(value);
            if (!charset) return Failure("unknown charset '" + std::string(value) + "' (gbk or utf-8)");
            result.line.charset = *charset;
            charsetGiven = true;
        } else {
            return Failure("unknown option '" + std::string(arg) + "'");
        }
    }
    const bool findsLinks = result.action == Action::Extract || result.action == Action::Replace;
    if (findsLinks && result.line.exact) return Failure("--extract and --replace read carefully; --exact does not apply");
    if (findsLinks && result.line.mode != ModeAuto) return Failure("--extract and --replace work in auto mode only");
    if (charsetGiven && result.line.exact) return Failure("--charset is for careful encoding; --exact encodes as the windows do");
    return result;
}

std::string UsageText() {
    return "Usage: velkrant-cli [-m MODE] [FILE...]\n"
           "   or: velkrant-cli --extract | --replace [FILE...]\n"
           "Convert download links, one per line, between ordinary addresses and\n"
           "thunder://, Flashget:// and qqdl:// links, or find the links inside any text.\n"
           "\n"
           "  -m, --mode MODE   auto (the default), thunder-decode, flashget-decode, qqdl-decode,\n"
           "                    thunder-encode, flashget-encode, qqdl-encode, or the mode's number 0-6\n"
           "      --exact       read links by the batch window's rules, byte for byte\n"
           "      --charset CS  the payload charset of the encoders: gbk (the default) or utf-8\n"
           "      --extract     print the address of every link inside the text, one per line\n"
           "      --replace     print the text with every link inside it replaced by its address\n"
           "  -h, --help        show this help and exit\n"
           "      --version     show the version and exit\n"
           "\n"
           "With no FILE, or where FILE is -, standard input is read. Lines end in LF\n"
           "or CR LF and may be UTF-8 or GBK; the output is UTF-8, one line per input\n"
           "line. An empty line stays empty; in auto mode, ordinary addresses and\n"
           "unknown schemes give a \"// \" comment line. A line that cannot be\n"
           "converted gives no output line and a message on standard error.\n"
           "\n"
           "Links are read carefully: what copying adds around and inside a link\n"
           "(punctuation, quotes, spaces, percent-escapes, the URL-safe alphabet) is\n"
           "set right, a link inside a link is unwrapped, and a damaged link fails\n"
           "with the reason instead of giving a guessed address.\n"
           "\n"
           "Examples: velkrant-cli -m thunder-decode links.txt > addresses.txt\n"
           "          velkrant-cli --replace page.html > page-with-addresses.html\n"
           "\n"
           "Exit status: 0 when every line converted, 1 when a line or link failed, 2\n"
           "for a usage error, a file that cannot be read or output that cannot be\n"
           "written.\n";
}

}  // namespace velkrant::cli
