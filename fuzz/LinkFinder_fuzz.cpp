// Links inside any text, in either encoding: the finder's links come in
// order without overlapping, each begins with its scheme and keeps its
// breaks inside it; reading one gives an address or fails with the invalid
// call number, and ends where the link or one of its breaks ends. Careful
// reading of the text as one line fails only that way too.

#include "CarefulRead.h"
#include "FuzzSupport.h"
#include "LinkFinder.h"

using namespace velkrant;
using namespace velkrant::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the encoding; the rest is the text.
    const auto encoding = (data[0] & 1) != 0 ? LinkText::TextEncoding::CodePage : LinkText::TextEncoding::Utf8;
    const BytesView text(data + 1, size - 1);

    LinkFinder finder(text, encoding);
    std::size_t previousEnd = 0;
    for (FoundLink link; finder.Next(link);) {
        Require(link.begin >= previousEnd && link.begin < link.end && link.end <= text.size(),
                "links come in order, do not overlap and lie inside the text");
        Require(LinkText::MatchScheme(text, link.begin).has_value(), "a link begins with its scheme");
        Require(link.breakCount <= FoundLink::MaxBreaks, "the breaks fit their array");
        std::size_t lastBreak = link.begin;
        for (std::size_t k = 0; k < link.breakCount; ++k) {
            Require(link.endsBeforeBreaks[k] > lastBreak && link.endsBeforeBreaks[k] < link.end,
                    "breaks lie inside the link, in order");
            lastBreak = link.endsBeforeBreaks[k];
        }
        std::size_t resume = link.end;
        const Outcome read = Capture([&] {
            const CarefulRead::DecodedLink decoded = CarefulRead::DecodeFound(text, link, encoding);
            bool atAnEnd = decoded.end == link.end;
            for (std::size_t k = 0; k < link.breakCount; ++k) atAnEnd = atAnEnd || decoded.end == link.endsBeforeBreaks[k];
            Require(atAnEnd, "a link read ends at its end or before one of its breaks");
            Require(!decoded.address.empty(), "a link read gives an address");
            resume = decoded.end;
            return decoded.address;
        });
        Require(read.error == 0 || read.error == ErrInvalidCall, "reading fails only as invalid call");
        finder.ResumeAt(resume);
        previousEnd = resume;
    }

    const BytesView trimmed = LinkText::TrimAround(text, encoding);
    Require(trimmed.data() >= text.data() && trimmed.data() + trimmed.size() <= text.data() + text.size(),
            "trimming keeps a part of the text");
    for (ConversionMode mode : {ModeAuto, ModeThunderDecode, ModeFlashgetDecode, ModeQqdlDecode}) {
        const Outcome line = Capture([&] { return CarefulRead::ConvertLine(mode, text); });
        Require(line.error == 0 || line.error == ErrInvalidCall, "a careful line fails only as invalid call");
    }
    return 0;
}
