#pragma once
// The codec's inner stages: regrouping bytes into groups of three and
// four, the 6-bit values, the shift memo and the code tables. Only the
// codec itself, its tests and the fuzzers see them; everyone else uses
// modBase64Code.h.

#include "CodePage.h"
#include "Sequence.h"

#include <cstdint>
#include <string_view>

namespace velkrant::modBase64Code {

/// The data bytes of one group, in input order.
struct Triplet {
    std::uint8_t b0, b1, b2;
};

/// The four 6-bit values of one group, one per byte; one 32-bit word.
struct Quad {
    std::uint8_t q0, q1, q2, q3;
};

static_assert(sizeof(Triplet) == 3 && sizeof(Quad) == 4, "groups are copied as raw memory");

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
