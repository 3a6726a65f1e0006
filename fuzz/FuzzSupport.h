#pragma once
// What every fuzz target shares: reading the fuzzer's bytes as text,
// failing loudly, a plain Base64 reference, and a notice target that
// records what the core wanted to show.

#include "CodePage.h"
#include "ConversionHost.h"
#include "NumberedError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkrant::fuzz {

/// Stops the run with `what` on stderr when `condition` is false; libFuzzer
/// then saves the input that did it.
///
///     Require(decoded == bytes, "decoding gives the bytes back");
void Require(bool condition, const char* what);

/// The bytes as UTF-16 code units, low byte first; an odd last byte is
/// dropped. Lone surrogates and U+0000 pass through as they are.
///
///     TextFromBytes({'a', 0, 0x3E, 0x4E}) == u"a举"
std::u16string TextFromBytes(const std::uint8_t* data, std::size_t size);

/// Bytes as a string of the same code units, for comparing with ASCII text.
std::u16string Widen(BytesView bytes);

/// Base64 as RFC 4648 writes it, written here without the codec's stages
/// so the two can be compared: standard alphabet, "=" pads, no breaks.
///
///     Rfc4648Encode(Bytes{'a'}) == Bytes{'Y', 'Q', '=', '='}
Bytes Rfc4648Encode(BytesView bytes);

/// What the lenient decoder must give: each byte read as its alphabet
/// value (any other byte as 0), groups of four values as three bytes, cut
/// to ((n - 1 - p) * 3) / 4 + 1 bytes, p being the pads in the last eleven.
Bytes LenientDecode(BytesView bytes, std::uint8_t pad);

/// The text with ASCII letters in upper case, nothing else changed.
std::u16string AsciiUpper(std::u16string_view text);

/// True when `text` begins with `prefix`, ASCII letters compared in any case.
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

/// True when the text is what the UTF-8 reading is for: at least one
/// non-ASCII character, and every non-ASCII character a CJK ideograph, CJK
/// punctuation or a full-width form (all in the basic plane, so a text
/// with any surrogate is not).
///
///     IsCjkText(u"a/例子") && !IsCjkText(u"a/b") && !IsCjkText(u"é例")
bool IsCjkText(std::u16string_view text);

/// A notice target with a fixed batch state that keeps every message.
class RecordingTarget : public NoticeTarget {
public:
    explicit RecordingTarget(bool batchTicked) : batchTicked_(batchTicked) {}

    bool BatchTicked() const override { return batchTicked_; }
    void ShowMessage(const Message& message) override { messages.push_back(message); }

    std::vector<Message> messages;

private:
    bool batchTicked_;
};

/// What a conversion gave: its text, or the number of the error it raised.
struct Outcome {
    std::u16string text;
    int error = 0;

    bool operator==(const Outcome&) const = default;
};

/// Runs `convert`; a NumberedError becomes an Outcome with its number and
/// must carry a description. Any other exception escapes and ends the run.
template <class Convert>
Outcome Capture(Convert&& convert) {
    try {
        return {convert(), 0};
    } catch (const NumberedError& e) {
        Require(!e.Description().empty(), "a failure carries a description");
        return {u"", e.Number()};
    }
}

}  // namespace velkrant::fuzz
