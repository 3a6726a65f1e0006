#include "ConversionCommand.h"

#include "Scan.h"
#include "modMain.h"

#include <exception>

namespace velkrant::ConversionCommand {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// Continue-on-error: a failing step is skipped without a word. Whatever a
// step throws (a decoder's failure, or memory running out on a huge
// batch) must never leave the windows disabled.
template <class Step>
void Try(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

std::u16string_view TrimSpaces(std::u16string_view text) {
    // Ordinary spaces only: an ideographic space may be part of an address.
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

// Where the next CR LF at or after `from` begins, or npos. A batch can be
// a million lines long, so the search is done in blocks (see Scan.h).
std::size_t FindLineBreak(std::u16string_view text, std::size_t from) {
    const std::size_t starts = text.empty() ? 0 : text.size() - 1;  // a pair needs one unit after it
    const std::size_t at = FindPosition(from, starts, [&](std::size_t i) {
        const char16_t unit = text[i];
        const char16_t next = text[i + 1];
        return (unit == u'\r') & (next == u'\n');  // both tested: a branch would keep the search from vector code
    });
    return at < starts ? at : std::u16string_view::npos;
}

}  // namespace

std::u16string ConvertByMode(ConversionMode mode, std::u16string_view text, NoticeTarget& target) {
    switch (mode) {
        case ModeAuto: return modMain::AutoDecode(text, target);
        case ModeThunderDecode: return modMain::ThunderDecode(text);
        case ModeFlashgetDecode: return modMain::FlashgetDecode(text);
        case ModeQqdlDecode: return modMain::QqdlDecode(text);
        case ModeThunderEncode: return modMain::ThunderEncode(text);
        case ModeFlashgetEncode: return modMain::FlashgetEncode(text);
        case ModeQqdlEncode: return modMain::QqdlEncode(text);
    }
    return {};
}

std::u16string ConvertBatchLine(ConversionMode mode, std::u16string_view line, NoticeTarget& target) {
    if (line.empty()) {
        return {};
    }
    return ConvertByMode(mode, line, target);
}

bool IsBlankBatchInput(std::u16string_view text) {
    // Pairs are removed in one pass, as they are found: a CR LF that only
    // forms once its neighbours are gone ("\r\r\n\n") still counts as text.
    const std::u16string_view trimmed = TrimSpaces(text);
    for (std::size_t i = 0; i < trimmed.size();) {
        if (trimmed.substr(i, 2) == kLineBreak) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

std::u16string ConvertBatchText(ConversionMode mode, std::u16string_view text, NoticeTarget& target) {
    std::u16string output;
    output.reserve(text.size() + text.size() / 2);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = FindLineBreak(text, start);
        const bool last = end == std::u16string_view::npos;
        const std::u16string_view line = text.substr(start, last ? std::u16string_view::npos : end - start);
        Try([&] {
            output += ConvertBatchLine(mode, line, target);
            if (!last) output += kLineBreak;
        });
        if (last) break;
        start = end + kLineBreak.size();
    }
    return output;
}

void Execute(ConversionHost& host) {
    if (!host.BatchTicked()) {
        Try([&] { host.SetOutputText(ConvertByMode(host.Mode(), host.InputText(), host)); });
        return;
    }
    std::u16string_view input;
    Try([&] { input = host.BatchInText(); });
    if (IsBlankBatchInput(input)) {
        Try([&] { host.ShowMessage({MessageEnterValidAddress, TitleWarning, MessageIcon::Critical}); });
        return;
    }
    Try([&] { host.SetMainEnabled(false); });
    Try([&] { host.SetBatchEnabled(false); });
    Try([&] { host.SetBatchOutText(u""); });
    // Built in one string and set once: nothing repaints during the run, so
    // nobody can tell, and a long list stays fast.
    Try([&] { host.SetBatchOutText(ConvertBatchText(host.Mode(), input, host)); });
    Try([&] { host.SetMainEnabled(true); });
    Try([&] { host.SetBatchEnabled(true); });
    Try([&] { host.ShowMessage({MessageBatchFinished, TitleNotice, MessageIcon::Information}); });
}

}  // namespace velkrant::ConversionCommand
