#include "modBase64Code.h"

#include "Messages.h"

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

// The shift memo: results and "known" flags for every byte value and
// amount, allocated by the first ShiftByte call and filled lazily.
struct ShiftMemo {
    std::uint8_t results[256][kAmounts];
    bool known[256][kAmounts];
};

ShiftMemo* ShiftTables() {
    static ShiftMemo* memo = new ShiftMemo{};  // lives as long as the process
    return memo;
}

// Groups of `width` that hold n items. An empty input is one group of
// zeros, like the zero-filled end of any last group; (n - 1) in unsigned
// arithmetic would ask for the whole address space instead.
std::size_t GroupCount(std::size_t n, std::size_t width) { return n == 0 ? 1 : (n - 1) / width + 1; }

// Copies the items into the groups' memory and zero-fills the rest.
void FillGroups(void* groups, std::size_t groupBytes, BytesView items) {
    auto* raw = static_cast<std::uint8_t*>(groups);
    if (!items.empty()) std::memcpy(raw, items.data(), items.size());
    std::memset(raw + items.size(), 0, groupBytes - items.size());
}

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
    if (column < 0 || column >= kAmounts) {  // outside the memo: still a shift
        return ComputeShift(value, amount) & mask;
    }
    ShiftMemo& memo = *ShiftTables();
    if (!memo.known[value][column]) {
        memo.results[value][column] = ComputeShift(value, amount);
        memo.known[value][column] = true;
    }
    return memo.results[value][column] & mask;
}

Quad TripletToQuad(Triplet t) {
    return Quad{
        ShiftByte(t.b0, -2, 63),
        static_cast<std::uint8_t>(ShiftByte(t.b0, +4, 63) + ShiftByte(t.b1, -4, 63)),
        static_cast<std::uint8_t>(ShiftByte(t.b1, +2, 63) + ShiftByte(t.b2, -6, 63)),
        ShiftByte(t.b2, 0, 63),
    };
}

Triplet QuadToTriplet(Quad q) {
    return Triplet{
        static_cast<std::uint8_t>(ShiftByte(q.q0, +2, 255) + ShiftByte(q.q1, -4, 255)),
        static_cast<std::uint8_t>(ShiftByte(q.q2, -2, 255) + ShiftByte(q.q1, +4, 255)),
        static_cast<std::uint8_t>(ShiftByte(q.q3, 0, 255) + ShiftByte(q.q2, +6, 255)),
    };
}

Sequence<Triplet> BytesToTriplets(BytesView bytes) {
    Sequence<Triplet> triplets(GroupCount(bytes.size(), 3));
    FillGroups(triplets.data(), triplets.size() * 3, bytes);
    return triplets;
}

Sequence<Quad> TripletsToQuads(const Sequence<Triplet>& triplets) {
    Sequence<Quad> quads(triplets.size());
    for (std::size_t i = 0; i < triplets.size(); ++i) {
        quads[i] = TripletToQuad(triplets[i]);
    }
    return quads;
}

Sequence<std::uint8_t> QuadsToBytes(const Sequence<Quad>& quads) {
    Sequence<std::uint8_t> bytes(quads.size() * 4);
    std::memcpy(bytes.data(), quads.data(), bytes.size());
    return bytes;
}

Sequence<Quad> BytesToQuads(BytesView values) {
    Sequence<Quad> quads(GroupCount(values.size(), 4));
    FillGroups(quads.data(), quads.size() * 4, values);
    return quads;
}

Sequence<Triplet> QuadsToTriplets(const Sequence<Quad>& quads) {
    Sequence<Triplet> triplets(quads.size());
    for (std::size_t i = 0; i < quads.size(); ++i) {
        triplets[i] = QuadToTriplet(quads[i]);
    }
    return triplets;
}

Sequence<std::uint8_t> TripletsToBytes(const Sequence<Triplet>& triplets) {
    Sequence<std::uint8_t> bytes(triplets.size() * 3);
    std::memcpy(bytes.data(), triplets.data(), bytes.size());
    return bytes;
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
    for (std::size_t i = 0; i < values.size(); ++i) {
        characters[i] = table[values[i]];
    }
    return characters;
}

Sequence<std::uint8_t> MapFromAlphabet(BytesView characters) {
    if (!Tables().decodeReady) {
        BuildCodeTables(Alphabet);
    }
    const Table& table = TableOrZeros(Tables().decode);
    Sequence<std::uint8_t> values(characters.size());
    for (std::size_t i = 0; i < characters.size(); ++i) {
        values[i] = table[characters[i]];
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
