#include "modBase64Code.h"

#include "Messages.h"
#include "modBase64CodeStages.h"

#include <array>
#include <cmath>
#include <cstring>
#include <memory>

namespace velkrant::modBase64Code {

namespace {

using Table = std::array<std::uint8_t, 256>;

// Code tables: built on first use, kept until the process ends. Each
// direction tests its own flag; one successful build sets both.
struct CodeTables {
    std::unique_ptr<Table> encode;
    std::unique_ptr<Table> decode;
    bool encodeReady = false;
    bool decodeReady = false;
};

CodeTables& Tables() {
    static CodeTables tables;
    return tables;
}

// Lookups before a successful build (only possible after a failed one)
// read zeros rather than a missing table.
const Table& TableOrZeros(const std::unique_ptr<Table>& table) {
    static const Table zeros{};
    return table ? *table : zeros;
}

constexpr int kAmounts = 17;  // -8 .. +8
constexpr int kAmountBias = 8;
constexpr std::uint16_t kKnown = 0x100;

// The shift memo: one entry per byte value and amount, the result in the
// low byte and a "known" flag above it, so the hot path reads one word.
// Zero (nothing known) at start; filled lazily, never reset.
std::uint16_t shiftMemo[256][kAmounts];

inline std::uint8_t MemoShift(std::uint8_t value, std::int16_t amount, std::uint8_t mask) {
    std::uint16_t& entry = shiftMemo[value][amount + kAmountBias];
    if (!(entry & kKnown)) [[unlikely]] {
        entry = static_cast<std::uint16_t>(kKnown | ComputeShift(value, amount));
    }
    return static_cast<std::uint8_t>(entry) & mask;
}

// Groups of `width` that hold n items. An empty input is one group of
// zeros, like the zero-filled end of any last group; (n - 1) in unsigned
// arithmetic would ask for the whole address space instead.
std::size_t GroupCount(std::size_t n, std::size_t width) { return n == 0 ? 1 : (n - 1) / width + 1; }

}  // namespace

bool EncodeTableReady() { return Tables().encodeReady; }
bool DecodeTableReady() { return Tables().decodeReady; }

void BuildCodeTables(std::u16string_view alphabet) {
    // The alphabet's UTF-16 units taken as raw bytes, two per character.
    if (alphabet.size() * sizeof(char16_t) != 128) {
        Notify({u"编码/解码表初始化失败", TitleError, MessageIcon::Critical});
        return;
    }
    auto encode = std::make_unique<Table>();
    auto decode = std::make_unique<Table>();
    encode->fill(0);
    decode->fill(0);
    for (std::size_t value = 0; value < 64; ++value) {
        const auto code = static_cast<std::uint8_t>(alphabet[value] & 0xFF);  // low byte only
        (*encode)[value] = code;
        (*decode)[code] = static_cast<std::uint8_t>(value);
    }
    CodeTables& tables = Tables();
    tables.encode = std::move(encode);
    tables.decode = std::move(decode);
    tables.encodeReady = true;
    tables.decodeReady = true;
}

std::uint8_t ComputeShift(std::uint8_t value, std::int16_t amount) {
    // Eight places or more either way leave nothing of a byte; past that,
    // the powers of two below would divide by zero or not fit an integer.
    if (amount >= 8 || amount <= -8) {
        return 0;
    }
    if (amount > 0) {
        const auto keep = static_cast<unsigned>(std::ldexp(1.0, 8 - amount));
        const auto factor = static_cast<unsigned>(std::ldexp(1.0, amount));
        return static_cast<std::uint8_t>((value % keep) * factor);
    }
    if (amount < 0) {
        const auto divisor = static_cast<unsigned>(std::ldexp(1.0, -amount));
        return static_cast<std::uint8_t>(value / divisor);
    }
    return value;
}

std::uint8_t ShiftByte(std::uint8_t value, std::int16_t amount, std::uint8_t mask) {
    const int column = amount + kAmountBias;
    if (column < 0 || column >= kAmounts) [[unlikely]] {  // outside the memo: still a shift
        return ComputeShift(value, amount) & mask;
    }
    return MemoShift(value, amount, mask);
}

Quad TripletToQuad(Triplet t) {
    return Quad{
        MemoShift(t.b0, -2, 63),
        static_cast<std::uint8_t>(MemoShift(t.b0, +4, 63) + MemoShift(t.b1, -4, 63)),
        static_cast<std::uint8_t>(MemoShift(t.b1, +2, 63) + MemoShift(t.b2, -6, 63)),
        MemoShift(t.b2, 0, 63),
    };
}

Triplet QuadToTriplet(Quad q) {
    return Triplet{
        static_cast<std::uint8_t>(MemoShift(q.q0, +2, 255) + MemoShift(q.q1, -4, 255)),
        static_cast<std::uint8_t>(MemoShift(q.q2, -2, 255) + MemoShift(q.q1, +4, 255)),
        static_cast<std::uint8_t>(MemoShift(q.q3, 0, 255) + MemoShift(q.q2, +6, 255)),
    };
}

namespace {

// Regrouping is one block copy each way; a short last group is padded
// with zeros.
template <class Group>
Sequence<Group> Regroup(BytesView bytes) {
    const std::size_t groups = GroupCount(bytes.size(), sizeof(Group));
    Sequence<Group> grouped(groups);
    auto* raw = reinterpret_cast<std::uint8_t*>(grouped.data());
    if (!bytes.empty()) std::memcpy(raw, bytes.data(), bytes.size());
    std::memset(raw + bytes.size(), 0, groups * sizeof(Group) - bytes.size());
    return grouped;
}

template <class Group>
Sequence<std::uint8_t> Flatten(const Sequence<Group>& groups) {
    Sequence<std::uint8_t> bytes(groups.size() * sizeof(Group));
    std::memcpy(bytes.data(), groups.data(), bytes.size());
    return bytes;
}

template <class To, class From, class Convert>
Sequence<To> MapGroups(const Sequence<From>& from, Convert convert) {
    Sequence<To> to(from.size());
    To* out = to.data();
    const From* in = from.data();
    for (std::size_t i = 0; i < from.size(); ++i) {
        out[i] = convert(in[i]);
    }
    return to;
}

}  // namespace

Sequence<Triplet> BytesToTriplets(BytesView bytes) { return Regroup<Triplet>(bytes); }
Sequence<Quad> BytesToQuads(BytesView values) { return Regroup<Quad>(values); }
Sequence<std::uint8_t> QuadsToBytes(const Sequence<Quad>& quads) { return Flatten(quads); }
Sequence<std::uint8_t> TripletsToBytes(const Sequence<Triplet>& triplets) { return Flatten(triplets); }

Sequence<Quad> TripletsToQuads(const Sequence<Triplet>& triplets) {
    return MapGroups<Quad>(triplets, TripletToQuad);
}

Sequence<Triplet> QuadsToTriplets(const Sequence<Quad>& quads) {
    return MapGroups<Triplet>(quads, QuadToTriplet);
}

Sequence<std::uint8_t> BytesToSextets(BytesView bytes) {
    return QuadsToBytes(TripletsToQuads(BytesToTriplets(bytes)));
}

Sequence<std::uint8_t> SextetsToBytes(BytesView values) {
    return TripletsToBytes(QuadsToTriplets(BytesToQuads(values)));
}

Bytes MapToAlphabet(BytesView values) {
    if (!Tables().encodeReady) {
        BuildCodeTables(Alphabet);
    }
    const Table& table = TableOrZeros(Tables().encode);
    Bytes characters(values.size(), 0);
    std::uint8_t* out = characters.data();
    const std::uint8_t* in = values.data();
    for (std::size_t i = 0; i < values.size(); ++i) {
        out[i] = table[in[i]];
    }
    return characters;
}

Sequence<std::uint8_t> MapFromAlphabet(BytesView characters) {
    if (!Tables().decodeReady) {
        BuildCodeTables(Alphabet);
    }
    const Table& table = TableOrZeros(Tables().decode);
    Sequence<std::uint8_t> values(characters.size());
    std::uint8_t* out = values.data();
    const std::uint8_t* in = characters.data();
    for (std::size_t i = 0; i < characters.size(); ++i) {
        out[i] = table[in[i]];
    }
    return values;
}

Bytes EncodeBytes(BytesView bytes, std::uint8_t pad) {
    const std::size_t n = bytes.size();
    if (n == 0) {
        return {};
    }
    const Sequence<std::uint8_t> sextets = BytesToSextets(bytes);
    Bytes characters = MapToAlphabet(sextets.View());
    // Positions after the k significant characters (4n/3 rounded up) are
    // pads: none, one or two of them.
    const std::size_t significant = (4 * (n - 1) + 3) / 3 + 1;
    for (std::size_t position = characters.size(); position > significant; --position) {
        characters[position - 1] = pad;
    }
    return characters;
}

Bytes DecodeBytes(BytesView bytes, std::uint8_t pad) {
    const std::size_t n = bytes.size();
    if (n == 0) {
        return {};
    }
    const Sequence<std::uint8_t> values = MapFromAlphabet(bytes);
    const Sequence<std::uint8_t> decoded = SextetsToBytes(values.View());
    // A pad anywhere in the last eleven positions counts, not only at the
    // very end; this is what keeps "text=" CR LF decoding to its bytes.
    long long pads = 0;
    for (std::size_t i = n > 11 ? n - 11 : 0; i < n; ++i) {
        pads += bytes[i] == pad ? 1 : 0;
    }
    // Signed and truncating toward zero: all pads gives (-3) / 4 == 0.
    const long long length = ((static_cast<long long>(n) - 1 - pads) * 3) / 4 + 1;
    return Bytes(decoded.data(), static_cast<std::size_t>(length));
}

std::u16string Base64Encode(std::u16string_view text) {
    const Bytes bytes = TextToBytes(text);
    return BytesToText(EncodeBytes(bytes, PadByte));
}

std::u16string Base64Decode(std::u16string_view text) {
    const Bytes bytes = TextToBytes(text);
    return BytesToText(DecodeBytes(bytes, PadByte));
}

}  // namespace velkrant::modBase64Code
