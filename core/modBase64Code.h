#pragma once
// Base64 with the standard alphabet and "=" padding, over the code-page
// bytes of a text. Encoding gives exactly RFC 4648 text on one line;
// decoding is lenient and never fails (see DecodeBytes).

#include "CodePage.h"
#include "Sequence.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velkrant::modBase64Code {

using CodePage::BytesToText;
using CodePage::TextToBytes;

inline constexpr char16_t Alphabet[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
inline constexpr std::uint8_t PadByte = 61;  // "="

/// The data bytes of one group, in input order.
struct Triplet {
    std::uint8_t b0, b1, b2;
};

/// The four 6-bit values of one group, one per byte; one 32-bit word.
struct Quad {
    std::uint8_t q0, q1, q2, q3;
};

static_assert(sizeof(Triplet) == 3 && sizeof(Quad) == 4, "groups are copied as raw memory");

// Text level.

/// Base64 of the text's code-page bytes.
///
///     Base64Encode(u"AAhttp://a/bZZ") == u"QUFodHRwOi8vYS9iWlo="
std::u16string Base64Encode(std::u16string_view text);

/// The text whose code-page bytes the Base64 text stands for.
///
///     Base64Decode(u"aHR0cDovL2EvYg") == u"http://a/b"   // pads optional
std::u16string Base64Decode(std::u16string_view text);

// Byte level.

/// Base64 characters as bytes, padded with `pad`; empty in, empty out.
Bytes EncodeBytes(BytesView bytes, std::uint8_t pad);

/// Decoded bytes. Every input byte counts as one value (foreign bytes as
/// 0); the length is ((n - 1 - p) * 3) / 4 + 1, where p counts the pad
/// bytes among the last eleven. Empty in, empty out.
Bytes DecodeBytes(BytesView bytes, std::uint8_t pad);

// Whole-sequence stages.

Sequence<std::uint8_t> BytesToSextets(BytesView bytes);
Sequence<std::uint8_t> SextetsToBytes(BytesView values);
Sequence<Triplet> BytesToTriplets(BytesView bytes);
Sequence<Quad> TripletsToQuads(const Sequence<Triplet>& triplets);
Sequence<std::uint8_t> QuadsToBytes(const Sequence<Quad>& quads);
Sequence<Quad> BytesToQuads(BytesView values);
Sequence<Triplet> QuadsToTriplets(const Sequence<Quad>& quads);
Sequence<std::uint8_t> TripletsToBytes(const Sequence<Triplet>& triplets);
Bytes MapToAlphabet(BytesView values);
Sequence<std::uint8_t> MapFromAlphabet(BytesView characters);

// Group and bit primitives.

Quad TripletToQuad(Triplet t);
Triplet QuadToTriplet(Quad q);

/// ComputeShift(value, amount) AND mask, each (value, amount) pair with
/// amount in -8..+8 computed once per process; other amounts are not kept.
std::uint8_t ShiftByte(std::uint8_t value, std::int16_t amount, std::uint8_t mask);

/// value shifted left (amount > 0, dropping bits past bit 7) or right; 0
/// when shifted eight places or more.
std::uint8_t ComputeShift(std::uint8_t value, std::int16_t amount);

/// Builds both code tables from a 64-character alphabet. Any other length
/// reports "编码/解码表初始化失败" through the message notifier and builds
/// nothing.
void BuildCodeTables(std::u16string_view alphabet);

bool EncodeTableReady();
bool DecodeTableReady();

}  // namespace velkrant::modBase64Code
