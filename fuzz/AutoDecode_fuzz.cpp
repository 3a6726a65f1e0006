// Automatic detection of any text, with the batch box ticked and not: a
// notice is a box (and the empty text) or a "// " line, never both; a
// private link goes to its scheme's decoder; only the decoders can fail.

#include "FuzzSupport.h"
#include "SchemeFuzz.h"
#include "modMain.h"

#include <array>

using namespace velkrant;
using namespace velkrant::fuzz;

namespace {

constexpr std::array<std::u16string_view, 6> kOrdinaryPrefixes{
    u"ftp://", u"http://", u"https://", u"mms://", u"rstp://", u"rtsp://"};

// What automatic detection owes a text: a notice, or the scheme whose
// decoder it goes to.
struct Expected {
    std::u16string_view notice;
    const Scheme* scheme = nullptr;
};

Expected Expect(std::u16string_view text) {
    if (text.find(u"//") == std::u16string_view::npos) return {modMain::NoticeCannotJudge};
    for (std::u16string_view prefix : kOrdinaryPrefixes) {
        if (StartsWithIgnoringCase(text, prefix)) return {modMain::NoticeOrdinary};
    }
    for (const Scheme* scheme : {&Thunder, &Flashget, &Qqdl}) {
        if (StartsWithIgnoringCase(text, scheme->prefix)) return {u"", scheme};
    }
    return {modMain::NoticeUnknown};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromBytes(data, size);
    RecordingTarget single(false);
    RecordingTarget batch(true);
    const Outcome shown = Capture([&] { return modMain::AutoDecode(text, single); });
    const Outcome written = Capture([&] { return modMain::AutoDecode(text, batch); });
    Require(batch.messages.empty(), "a batch line never shows a box");

    const Expected expected = Expect(text);
    if (expected.scheme != nullptr) {
        const Outcome decoded = Capture([&] { return expected.scheme->decode(text); });
        Require(shown == decoded && written == decoded, "a private link gives its decoder's outcome");
        Require(single.messages.empty(), "a private link shows nothing");
        Require(decoded.error == 0 || decoded.error == ErrInvalidCall, "decoders fail only as invalid call");
        return 0;
    }
    Require(single.messages.size() == 1, "a notice shows exactly one box");
    const Message& message = single.messages.front();
    Require(message.text == expected.notice, "the notice matches the text's prefix");
    Require(message.title == TitleNotice && message.icon == MessageIcon::Information,
            "a notice is an information box titled notice");
    Require(shown == Outcome{}, "after the box the result is empty");
    Require(written == Outcome{u"// " + std::u16string(expected.notice), 0}, "a batch line gets the notice as a comment");
    return 0;
}
