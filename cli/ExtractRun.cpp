#include "ExtractRun.h"

#include "CarefulEncode.h"
#include "CarefulRead.h"
#include "CodePage.h"
#include "Diagnostics.h"
#include "InputFile.h"
#include "IoError.h"
#include "LinkFinder.h"
#include "NumberedError.h"
#include "OutputBuffer.h"
#include "System.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace velkrant::cli {

namespace {

using LinkText::TextEncoding;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The whole input. It is read in blocks that are joined once at the end:
// growing one buffer would copy a page of a hundred megabytes several
// times and touch twice its memory.
std::string ReadWhole(const std::string& name) {
    constexpr std::size_t kBlock = 16 * 1024 * 1024;
    InputFile input(name);
    std::vector<std::pair<std::unique_ptr<char[]>, std::size_t>> blocks;
    std::size_t total = 0;
    for (bool more = true; more;) {
        auto block = std::make_unique_for_overwrite<char[]>(kBlock);
        std::size_t used = 0;
        while (used < kBlock) {
            const std::size_t got = System::Read(input.Descriptor(), block.get() + used, kBlock - used);
            if (got == 0) {
                more = false;
                break;
            }
            used += got;
        }
        total += used;
        blocks.emplace_back(std::move(block), used);
    }
    std::string text;
    text.reserve(total);
    for (const auto& [block, used] : blocks) text.append(block.get(), used);
    return text;
}

// The address's UTF-8 with every byte that `escaped` picks written as
// %XX.
template <class Escaped>
std::string PercentEncoded(std::u16string_view address, Escaped escaped) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : CodePage::TextToUtf8(address)) {
        const auto b = static_cast<std::uint8_t>(c);
        if (escaped(b)) {
            encoded.append({'%', kHex[b >> 4], kHex[b & 0xF]});
        } else {
            encoded.push_back(c);
        }
    }
    return encoded;
}

// An address as the bytes that replace its link in a text in `encoding`.
// A link that stood percent-encoded (inside a query string) gives its
// address percent-encoded too, or its "&" and "?" would break the address
// around it. A code-page text gets the address percent-encoded as UTF-8
// where the code page cannot hold it, as addresses carry such characters
// anyway.
std::string AddressIn(std::u16string_view address, TextEncoding encoding, bool linkWasEscaped) {
    if (linkWasEscaped) {
        return PercentEncoded(address, [](std::uint8_t b) {
            const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                                    b == '-' || b == '.' || b == '_' || b == '~';
            return !unreserved;
        });
    }
    if (encoding == TextEncoding::Utf8) return CodePage::TextToUtf8(address);
    if (CarefulEncode::FirstUnencodable(address, CarefulEncode::PayloadCharset::CodePage) == std::u16string_view::npos) {
        const Bytes bytes = CodePage::TextToBytes(address);
        return std::string(bytes.begin(), bytes.end());
    }
    return PercentEncoded(address, [](std::uint8_t b) { return b >= 0x80; });
}

// Line and column of positions in one text, for messages; counted on from
// the last position asked for, as links come in order.
class Positions {
public:
    Positions(std::string_view text, TextEncoding encoding, std::uint64_t linesBefore)
        : text_(text), encoding_(encoding), line_(linesBefore + 1) {}

    std::string Describe(std::size_t at) {
        for (; counted_ < at; ++counted_) {
            if (text_[counted_] == '\n') {
                ++line_;
                lineStart_ = counted_ + 1;
            }
        }
        // Columns count characters: a code-page pair or a UTF-8 sequence is one.
        const BytesView line = LinkText::AsBytes(text_.substr(lineStart_, at - lineStart_));
        std::uint64_t column = 1;
        for (std::size_t i = 0; i < line.size(); ++column) {
            i += encoding_ == TextEncoding::CodePage && line[i] >= 0x81 ? 2 : 1;
            while (encoding_ == TextEncoding::Utf8 && i < line.size() && (line[i] & 0xC0) == 0x80) ++i;
        }
        return "line " + std::to_string(line_) + ", column " + std::to_string(column);
    }

private:
    std::string_view text_;
    TextEncoding encoding_;
    std::uint64_t line_;
    std::size_t counted_ = 0;
    std::size_t lineStart_ = 0;
};

class Run {
public:
    Run(ExtractKind kind, int outDescriptor) : kind_(kind), out_(outDescriptor) {}

    // False when the input could not be read; it has been reported.
    bool ProcessInput(const std::string& name) {
        try {
            const std::string text = ReadWhole(name);
            Process(text);
            return true;
        } catch (const InputError& e) {
            return GiveUp(name, e.code().message());
        } catch (const std::bad_alloc&) {
            return GiveUp(name, "too large to hold in memory");
        }
    }

    void Finish() { out_.Flush(); }
    bool AnyLinkFailed() const { return anyLinkFailed_; }

private:
    bool GiveUp(const std::string& name, const std::string& reason) {
        out_.Flush();
        Complain(DisplayName(name) + ": " + reason);
        return false;
    }

    void Process(std::string_view text) {
        const BytesView bytes = LinkText::AsBytes(text);
        const TextEncoding encoding =
            text.starts_with(kByteOrderMark) ? TextEncoding::Utf8 : LinkText::EncodingOf(bytes);
        Positions positions(text, encoding, linesBefore_);
        LinkFinder finder(bytes, encoding);
        std::size_t copied = 0;
        for (FoundLink link; finder.Next(link);) {
            try {
                const CarefulRead::DecodedLink read = CarefulRead::DecodeFound(bytes, link, encoding);
                finder.ResumeAt(read.end);
                if (kind_ == ExtractKind::Replace) {
                    out_.Write(text.substr(copied, link.begin - copied));
                    const auto scheme = LinkText::MatchScheme(bytes, link.begin);
                    const bool escaped = scheme->length > LinkText::SchemeName(scheme->scheme).size() + 3;
                    out_.Write(AddressIn(read.address, encoding, escaped));
                    copied = read.end;
                } else {
                    out_.Write(CodePage::TextToUtf8(read.address));
                    out_.Put('\n');
                }
            } catch (const NumberedError& e) {
                // Left as it was: the text around it is copied on unchanged.
                anyLinkFailed_ = true;
                if (kind_ == ExtractKind::Replace) {
                    out_.Write(text.substr(copied, link.end - copied));
                    copied = link.end;
                }
                out_.Flush();
                Complain(positions.Describe(link.begin) + ": " + CodePage::TextToUtf8(e.Description()));
            }
        }
        if (kind_ == ExtractKind::Replace) out_.Write(text.substr(copied));
        linesBefore_ += static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
        if (!text.empty() && text.back() != '\n') ++linesBefore_;
    }

    ExtractKind kind_;
    OutputBuffer out_;
    std::uint64_t linesBefore_ = 0;
    bool anyLinkFailed_ = false;
};

}  // namespace

ExitStatus RunExtract(ExtractKind kind, const std::vector<std::string>& files, int outDescriptor) {
    Run run(kind, outDescriptor);
    const std::vector<std::string> inputs = files.empty() ? std::vector<std::string>{"-"} : files;
    try {
        for (const std::string& name : inputs) {
            if (!run.ProcessInput(name)) return ExitTrouble;
        }
        run.Finish();
    } catch (const OutputError& e) {
        if (ReportFailedWrite(e)) return ExitTrouble;
    }
    return run.AnyLinkFailed() ? ExitLineFailed : ExitSuccess;
}

}  // namespace velkrant::cli
