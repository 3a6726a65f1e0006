// Code page 936 (GBK) through iconv, for every platform but Windows.

#include "CodePage.h"

#include <bit>
#include <cerrno>
#include <iconv.h>
#include <utility>

namespace velkrant {

namespace CodePage {

unsigned Number() { return 936; }

}  // namespace CodePage

namespace CodePageNative {

namespace {

constexpr const char* kCodePage = "CP936";
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One pair of descriptors per thread, opened on first use: opening costs
// far more than a short conversion.
class Converters {
public:
    Converters()
        : encoder_(iconv_open(kCodePage, kUtf16)), decoder_(iconv_open(kUtf16, kCodePage)) {}
    ~Converters() {
        if (encoder_ != Invalid()) iconv_close(encoder_);
        if (decoder_ != Invalid()) iconv_close(decoder_);
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;

    iconv_t Encoder() const { return encoder_; }
    iconv_t Decoder() const { return decoder_; }
    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

private:
    iconv_t encoder_;
    iconv_t decoder_;
};

Converters& ThreadConverters() {
    thread_local Converters converters;
    return converters;
}

// Runs iconv over the whole input, growing the output as needed. Where a
// sequence cannot be converted, `substitute` names the stand-in unit and
// how many input units it replaces, and the conversion carries on.
template <class Out, class In, class Substitute>
std::basic_string<Out> ConvertAll(iconv_t cd, std::basic_string_view<In> input, std::size_t initialSize,
                                  Substitute substitute) {
    std::basic_string<Out> out(initialSize, Out{});
    std::size_t written = 0;  // in output units
    std::size_t at = 0;       // in input units
    while (at < input.size()) {
        char* in = reinterpret_cast<char*>(const_cast<In*>(input.data() + at));
        std::size_t inLeft = (input.size() - at) * sizeof(In);
        char* outPtr = reinterpret_cast<char*>(out.data() + written);
        std::size_t outLeft = (out.size() - written) * sizeof(Out);
        const bool usable = cd != Converters::Invalid();
        const std::size_t rc = usable ? iconv(cd, &in, &inLeft, &outPtr, &outLeft) : static_cast<std::size_t>(-1);
        const int error = usable ? errno : EILSEQ;
        written = out.size() - outLeft / sizeof(Out);
        at = input.size() - inLeft / sizeof(In);
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (error == E2BIG || written + 1 > out.size()) {
            out.resize(out.size() * 2 + 8);
            if (error == E2BIG) continue;
        }
        const auto [standIn, skip] = substitute(input, at);
        out[written++] = standIn;
        at += skip;
    }
    out.resize(written);
    return out;
}

// glibc's converters skip the tag characters U+E0000..U+E007F (the pair
// DB40, DC00..DC7F) without an error, which would lose them silently.
bool IsTagAt(std::u16string_view text, std::size_t i) {
    return text[i] == 0xDB40 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDC7F;
}

std::size_t NextTag(std::u16string_view text, std::size_t from) {
    while (from < text.size() && !IsTagAt(text, from)) ++from;
    return from;
}

// A character the code page cannot hold (or a lone surrogate) becomes one
// "?" for the whole character.
Bytes EncodeRun(std::u16string_view text) {
    return ConvertAll<std::uint8_t>(ThreadConverters().Encoder(), text, text.size() * 2 + 8,
                                    [](std::u16string_view input, std::size_t at) {
                                        return std::pair<std::uint8_t, std::size_t>{'?', CharacterLengthAt(input, at)};
                                    });
}

}  // namespace

Bytes Encode(std::u16string_view text) {
    // Tag characters never reach the converter: glibc would drop them
    // without an error, and the code page holds none of them.
    Bytes out;
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = NextTag(text, at);
        Bytes run = EncodeRun(text.substr(at, end - at));
        if (at == 0 && end == text.size()) return run;
        out += run;
        if (end == text.size()) return out;
        out.push_back('?');
        at = end + 2;
    }
}

std::u16string Decode(BytesView bytes) {
    // An invalid or truncated sequence: one replacement character for the
    // offending byte, then resynchronise on the next one.
    return ConvertAll<char16_t>(ThreadConverters().Decoder(), bytes, bytes.size() + 4,
                                [](BytesView, std::size_t) { return std::pair<char16_t, std::size_t>{u'\uFFFD', 1}; });
}

}  // namespace CodePageNative

}  // namespace velkrant
