#pragma once
// The properties shared by the six scheme targets: one scheme table, one
// check for encoders and one for decoders.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velkrant::fuzz {

/// One link scheme as a user sees it.
struct Scheme {
    std::u16string_view prefix;                       // as the encoder writes it
    std::u16string_view front;                        // marker before the address
    std::u16string_view back;                         // marker after it
    bool numbered;                                    // "&" and a number follow the Base64 text
    std::u16string (*encode)(std::u16string_view);
    std::u16string (*decode)(std::u16string_view);
};

extern const Scheme Thunder;
extern const Scheme Flashget;
extern const Scheme Qqdl;

/// The fuzzer's bytes, read as UTF-16, as an address: the link is the
/// prefix and exact RFC 4648 Base64 of the wrapped address, and both the
/// scheme's decoder and automatic detection give back the address as it
/// survives the code page.
///
///     extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
///         FuzzEncoder(Thunder, d, n);
///         return 0;
///     }
void FuzzEncoder(const Scheme& scheme, const std::uint8_t* data, std::size_t size);

/// The fuzzer's bytes, read as UTF-16, as a link: the decoder fails only
/// with the "too short" error and exactly when the payload decodes to less
/// than both markers; its prefix, in any case or left out, changes nothing;
/// automatic detection hands a prefixed link to this decoder.
void FuzzDecoder(const Scheme& scheme, const std::uint8_t* data, std::size_t size);

}  // namespace velkrant::fuzz
