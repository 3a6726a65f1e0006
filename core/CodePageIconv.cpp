// Code page 936 (GBK) through iconv, for every platform but Windows.

#include "CodePage.h"

#include <bit>
#include <cerrno>
#include <iconv.h>

namespace velkrant::CodePageNative {

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

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// glibc's converters skip the tag characters U+E0000..U+E007F (the pair
// DB40, DC00..DC7F) without an error, which would lose them silently.
bool IsTagAt(std::u16string_view text, std::size_t i) {
    return text[i] == 0xDB40 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDC7F;
}

std::size_t NextTag(std::u16string_view text, std::size_t from) {
    while (from < text.size() && !IsTagAt(text, from)) ++from;
    return from;
}

}  // namespace

Bytes Encode(std::u16string_view text) {
    iconv_t cd = ThreadConverters().Encoder();
    Bytes out(text.size() * 2 + 8, 0);
    std::size_t written = 0;
    std::size_t at = 0;  // in UTF-16 units
    auto putQuestionMark = [&] {
        if (written + 1 > out.size()) out.resize(out.size() * 2);
        out[written++] = '?';
    };
    while (at < text.size()) {
        // Tag characters never reach the converter: GBK holds none of them.
        if (IsTagAt(text, at)) {
            putQuestionMark();
            at += 2;
            continue;
        }
        const std::size_t end = NextTag(text, at);
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data() + at));
        std::size_t inLeft = (end - at) * sizeof(char16_t);
        char* outPtr = reinterpret_cast<char*>(out.data() + written);
        std::size_t outLeft = out.size() - written;
        const std::size_t rc =
            cd == Converters::Invalid() ? static_cast<std::size_t>(-1) : iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = cd == Converters::Invalid() ? EILSEQ : errno;
        written = out.size() - outLeft;
        at = end - inLeft / sizeof(char16_t);
        if (rc != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // A character the code page cannot hold (or a lone surrogate): one
        // "?" for the whole character, then carry on after it.
        putQuestionMark();
        const bool pair = IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]);
        at += pair ? 2 : 1;
    }
    out.resize(written);
    return out;
}

std::u16string Decode(BytesView bytes) {
    iconv_t cd = ThreadConverters().Decoder();
    std::u16string out(bytes.size() + 4, u'\0');
    std::size_t written = 0;  // in UTF-16 units
    std::size_t at = 0;
    while (at < bytes.size()) {
        char* in = reinterpret_cast<char*>(const_cast<std::uint8_t*>(bytes.data() + at));
        std::size_t inLeft = bytes.size() - at;
        char* outPtr = reinterpret_cast<char*>(out.data() + written);
        std::size_t outLeft = (out.size() - written) * sizeof(char16_t);
        const std::size_t rc =
            cd == Converters::Invalid() ? static_cast<std::size_t>(-1) : iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = cd == Converters::Invalid() ? EILSEQ : errno;
        written = out.size() - outLeft / sizeof(char16_t);
        at = bytes.size() - inLeft;
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // Invalid or truncated sequence: one replacement character for the
        // offending byte, then resynchronise on the next one.
        if (written + 1 > out.size()) out.resize(out.size() * 2);
        out[written++] = u'\uFFFD';
        at += 1;
    }
    out.resize(written);
    return out;
}

}  // namespace velkrant::CodePageNative
