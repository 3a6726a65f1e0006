#pragma once
// Careful reading: a link as people copy it, read back to its address or
// refused with the reason. What copying adds around a link (spaces, quotes,
// brackets, ending punctuation) and inside it (wrapped-line spaces,
// percent-escapes, the URL-safe alphabet, missing padding) is set right;
// anything else that is not Base64 is damage. The markers are checked after
// decoding, and a link that decodes to another link is read again. It never
// guesses: a link it cannot read fails, with a NumberedError whose
// description says why ("damaged thunder link: the decoded text lacks its
// AA…ZZ markers"). The exact operations of modMain stay as they are.

#include "ConversionMode.h"
#include "LinkFinder.h"
#include "LinkText.h"

#include <cstddef>
#include <string>

namespace velkrant::CarefulRead {

/// How many links inside one another automatic reading unwraps.
inline constexpr int MaxNesting = 8;

/// The address of `link`, which starts with its scheme and holds nothing
/// around it; with `unwrapNested`, an address that is itself a link is
/// read again. Throws NumberedError.
///
///     DecodeLink(AsBytes("thunder://QUFodHRwOi8vYS9iWlo"), Utf8, true) == u"http://a/b"
std::u16string DecodeLink(BytesView link, LinkText::TextEncoding encoding, bool unwrapNested);

struct DecodedLink {
    std::u16string address;
    std::size_t end;  // where the link read ends in the text: at its end or before one of its breaks
};

/// A link the finder found in `text`, read at the one of its possible ends
/// that decodes; a link that reads right at two of them is refused rather
/// than guessed. Nested links are unwrapped. Throws NumberedError.
DecodedLink DecodeFound(BytesView text, const FoundLink& link, LinkText::TextEncoding encoding);

/// One line of the command line by a decoding mode or automatic detection
/// (modes 0-3), read carefully; an empty line stays empty, and automatic
/// detection's notices are "// " comment lines. A line that holds one link
/// amid other text (prose, an attribute) gives that link's address.
///
///     ConvertLine(ModeAuto, AsBytes("(THUNDER://QUFodHRwOi8vYS9iWlo)。")) == u"http://a/b"
std::u16string ConvertLine(ConversionMode mode, BytesView line);

/// ConvertLine's result appended to `out` as UTF-8, with the same result
/// or error (`out` may then hold part of it). A clean link, nearly every
/// line of a list, is read straight from its bytes.
///
///     AppendConvertedLine(ModeAuto, AsBytes("thunder://QUFodHRwOi8vYS9iWlo="), out);   // out += "http://a/b"
void AppendConvertedLine(ConversionMode mode, BytesView line, std::string& out);

}  // namespace velkrant::CarefulRead
