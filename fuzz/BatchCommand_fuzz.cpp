// The whole conversion command on any input, single or batch, against a
// host that may fail. Byte 0 picks the mode (7 is outside the range),
// byte 1 holds the batch tick (bit 0) and which host calls throw (bits
// 1-5); the rest is the input text. The command never lets a failure out,
// never leaves a window disabled, and a batch's output is every line's
// conversion with failed lines left out.

#include "FuzzSupport.h"
#include "ConversionCommand.h"
#include "modMain.h"

#include <stdexcept>
#include <utility>
#include <vector>

using namespace velkrant;
using namespace velkrant::fuzz;

namespace {

enum Failing : std::uint8_t {
    FailInput = 1 << 1,
    FailOutput = 1 << 2,
    FailBatchIn = 1 << 3,
    FailBatchOut = 1 << 4,
    FailMessage = 1 << 5,
};

// The two windows as the command sees them, recording every call; the
// calls named in `flags` throw instead.
class FuzzHost : public ConversionHost {
public:
    FuzzHost(ConversionMode mode, std::uint8_t flags, std::u16string text)
        : mode_(mode), flags_(flags), text_(std::move(text)) {}

    ConversionMode Mode() const override { return mode_; }
    bool BatchTicked() const override { return flags_ & 1; }
    std::u16string InputText() const override { return Read(FailInput); }
    std::u16string_view BatchInText() const override { return Read(FailBatchIn); }
    void SetOutputText(const std::u16string& text) override {
        Write(FailOutput, "output");
        output = text;
    }
    void SetBatchOutText(std::u16string text) override {
        Write(FailBatchOut, "batchOut");
        batchOuts.push_back(std::move(text));
    }
    void SetMainEnabled(bool enabled) override { events.push_back(enabled ? "enableMain" : "disableMain"); }
    void SetBatchEnabled(bool enabled) override { events.push_back(enabled ? "enableBatch" : "disableBatch"); }
    void ShowMessage(const Message& message) override {
        Write(FailMessage, "message");
        messages.push_back(message);
    }

    bool Fails() const { return (flags_ & ~1) != 0; }

    static constexpr char16_t Untouched[] = u"\uFFFFbefore";
    std::vector<std::string> events;
    std::u16string output = Untouched;
    std::vector<std::u16string> batchOuts;
    std::vector<Message> messages;

private:
    const std::u16string& Read(std::uint8_t failing) const {
        if (flags_ & failing) throw std::runtime_error("host read failed");
        return text_;
    }
    void Write(std::uint8_t failing, const char* event) {
        if (flags_ & failing) throw std::runtime_error("host write failed");
        events.push_back(event);
    }

    ConversionMode mode_;
    std::uint8_t flags_;
    std::u16string text_;
};

bool IsBlank(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return true;
    text = text.substr(first, text.find_last_not_of(u' ') - first + 1);
    if (text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (text[i] != u'\r' || text[i + 1] != u'\n') return false;
    }
    return true;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    for (std::size_t at = text.find(u"\r\n"); at != std::u16string_view::npos; at = text.find(u"\r\n")) {
        lines.push_back(text.substr(0, at));
        text.remove_prefix(at + 2);
    }
    lines.push_back(text);
    return lines;
}

// The link's number is drawn anew on every encoding, so a FlashGet link is
// checked by what it stands for: the address as the code page keeps it.
bool EncodesToFlashget(std::u16string_view address, std::u16string_view link) {
    return modMain::FlashgetDecode(link) == CodePage::BytesToText(CodePage::TextToBytes(address));
}

// Every line on its own, a failed one leaving no trace, not even its break.
void RequireBatchOutput(ConversionMode mode, std::u16string_view input, const std::u16string& output) {
    const std::vector<std::u16string_view> lines = SplitLines(input);
    if (mode == ModeFlashgetEncode) {
        const std::vector<std::u16string_view> links = SplitLines(output);
        Require(links.size() == lines.size(), "encoding keeps every line");
        for (std::size_t i = 0; i < lines.size(); ++i) {
            Require(lines[i].empty() ? links[i].empty() : EncodesToFlashget(lines[i], links[i]),
                    "each FlashGet line decodes to its address");
        }
        return;
    }
    std::u16string expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        RecordingTarget target(true);
        const Outcome line = Capture([&] { return ConversionCommand::ConvertBatchLine(mode, lines[i], target); });
        Require(target.messages.empty(), "a batch line shows no box");
        if (line.error != 0) continue;
        expected += line.text;
        if (i + 1 < lines.size()) expected += u"\r\n";
    }
    Require(output == expected, "the batch output is each line's conversion, failed lines left out");
}

void RequireSingleRun(const FuzzHost& host, ConversionMode mode, const std::u16string& input) {
    if (mode == ModeFlashgetEncode) {
        Require(host.events == std::vector<std::string>{"output"}, "an encoding is written once");
        Require(EncodesToFlashget(input, host.output), "the FlashGet link decodes to the input");
        return;
    }
    RecordingTarget target(false);
    const Outcome expected = Capture([&] { return ConversionCommand::ConvertByMode(mode, input, target); });
    if (expected.error != 0) {
        Require(host.events.empty() && host.output == FuzzHost::Untouched, "a failed conversion changes nothing");
        return;
    }
    const std::vector<std::string> events =
        target.messages.empty() ? std::vector<std::string>{"output"} : std::vector<std::string>{"message", "output"};
    Require(host.events == events && host.output == expected.text, "a single run writes its result once");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto mode = static_cast<ConversionMode>(data[0] % 8);
    const std::u16string input = TextFromBytes(data + 2, size - 2);
    FuzzHost host(mode, data[1], input);
    ConversionCommand::Execute(host);

    // However the host fails, a window taken out of use comes back.
    int disabled = 0;
    for (const std::string& event : host.events) {
        disabled += event.starts_with("disable") ? 1 : event.starts_with("enable") ? -1 : 0;
        Require(disabled >= 0, "no window is enabled before it was disabled");
    }
    Require(disabled == 0, "every disabled window is enabled again");
    if (host.Fails()) return 0;

    if (!host.BatchTicked()) {
        RequireSingleRun(host, mode, input);
    } else if (IsBlank(input)) {
        const Message warning{ConversionCommand::MessageEnterValidAddress, TitleWarning, MessageIcon::Critical};
        Require(host.events == std::vector<std::string>{"message"} && host.messages.front() == warning,
                "a blank batch is refused with a warning and nothing else");
    } else {
        const std::vector<std::string> events{"disableMain", "disableBatch", "batchOut", "batchOut",
                                              "enableMain",  "enableBatch",  "message"};
        Require(host.events == events, "a batch run disables, writes once, enables and reports");
        const Message finished{ConversionCommand::MessageBatchFinished, TitleNotice, MessageIcon::Information};
        Require(host.messages.front() == finished, "the batch reports its end");
        Require(host.batchOuts.front().empty(), "the output box is emptied first");
        RequireBatchOutput(mode, input, host.batchOuts.back());
    }
    return 0;
}
