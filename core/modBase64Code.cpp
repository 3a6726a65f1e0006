#include "modBase64Code.h"

#include "Messages.h"
#include "modBase64CodeStages.h"

#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>

namespace velkrant::modBase64Code {

namespace {

using Table = std::array<std::uint8_t, 256>;

// Code tables: built on first use, kept until the process ends. Each
// direction tests its own flag; one successful build sets both. Several
// threads may convert at once: a build runs under the lock, and a flag is
// raised only once its table is in place.
struct CodeTables {
    std::mutex building;
    std::unique_ptr<Table> encode;
    std::unique_ptr<Table> decode;
    std::atomic<bool> encodeReady = false;
    std::atomic<bool> decodeReady = false;
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

// ShiftByte's memo: one entry per byte value and amount, the result in the
// low byte and a "known" flag above it, so a lookup reads one word.
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

namespace {

// Under the lock of the tables.
void BuildCodeTablesLocked(std::u16string_view alphabet) {
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
    tables.encodeReady.store(true, std::memory_order_release);
    tables.decodeReady.store(true, std::memory_order_release);
}

// The table behind `ready`, built from the built-in alphabet if no build
// has succeeded yet.
const Table& BuiltTable(const std::atomic<bool>& ready, const std::unique_ptr<Table>& table) {
    if (!ready.load(std::memory_order_acquire)) {
        const std::lock_guard lock(Tables().building);
        if (!ready.load(std::memory_order_relaxed)) BuildCodeTablesLocked(Alphabet);
    }
    return TableOrZeros(table);
}

}  // namespace

void BuildCodeTables(std::u16string_view alphabet) {
    const std::lock_guard lock(Tables().building);
    BuildCodeTablesLocked(alphabet);
}

std::uint8_t ComputeShift(std::uint8_t value, std::int16_t amount) {
    // Eight places or more either way leave nothing of a byte, and a shift
    // that far would not be defined on an int.
    if (amount >= 8 || amount <= -8) {
        return 0;
    }
    return static_cast<std::uint8_t>(amount >= 0 ? value << amount : value >> -amount);
}

std::uint8_t ShiftByte(std::uint8_t value, std::int16_t amount, std::uint8_t mask) {
    const int column = amount + kAmountBias;
    if (column < 0 || column >= kAmounts) [[unlikely]] {  // outside the memo: still a shift
        return ComputeShift(value, amount) & mask;
    }
    return MemoShift(value, amount, mask);
}

// The groups shift by fixed amounts, which the compiler folds into plain
// shifts; the memo is for ShiftByte's callers, whose amounts vary.
Quad TripletToQuad(Triplet t) {
    return Quad{
        static_cast<std::uint8_t>(ComputeShift(t.b0, -2) & 63),
        static_cast<std::uint8_t>((ComputeShift(t.b0, +4) & 63) + (ComputeShift(t.b1, -4) & 63)),
        static_cast<std::uint8_t>((ComputeShift(t.b1, +2) & 63) + (ComputeShift(t.b2, -6) & 63)),
        static_cast<std::uint8_t>(ComputeShift(t.b2, 0) & 63),
    };
}

Triplet QuadToTriplet(Quad q) {
    return Triplet{
        static_cast<std::uint8_t>(ComputeShift(q.q0, +2) + ComputeShift(q.q1, -4)),
        static_cast<std::uint8_t>(ComputeShift(q.q2, -2) + ComputeShift(q.q1, +4)),
        static_cast<std::uint8_t>(ComputeShift(q.q3, 0) + ComputeShift(q.q2, +6)),
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

namespace {

// Each direction builds the tables on its first use.
const Table& EncodeTable() { return BuiltTable(Tables().encodeReady, Tables().encode); }
const Table& DecodeTable() { return BuiltTable(Tables().decodeReady, Tables().decode); }

void MapThroughTable(BytesView in, const Table& table, std::uint8_t* out) {
    for (std::size_t i = 0; i < in.size(); ++i) {
        out[i] = table[in[i]];
    }
}

// The stages above in one pass, without a buffer between them: each group
// in turn, a short last group padded with zeros.
template <class Group, class Visit>
void ForEachGroup(BytesView bytes, Visit visit) {
    const std::size_t whole = bytes.size() / sizeof(Group);
    const std::size_t rest = bytes.size() % sizeof(Group);
    for (std::size_t g = 0; g < whole; ++g) {
        Group group;
        std::memcpy(&group, bytes.data() + g * sizeof(Group), sizeof(Group));
        visit(group);
    }
    if (rest > 0) {
        Group group{};
        std::memcpy(&group, bytes.data() + whole * sizeof(Group), rest);
        visit(group);
    }
}

// The three bytes of one group of four 6-bit values. The values are below
// 64 (the decode table holds nothing else), so the group is one 24-bit
// number: the same bytes as QuadToTriplet gives, without a shift per byte.
template <class Out>
inline void StoreGroup(Out* out, std::uint32_t v0, std::uint32_t v1, std::uint32_t v2, std::uint32_t v3) {
    const std::uint32_t group = v0 << 18 | v1 << 12 | v2 << 6 | v3;
    out[0] = static_cast<std::uint8_t>(group >> 16);
    out[1] = static_cast<std::uint8_t>(group >> 8);
    out[2] = static_cast<std::uint8_t>(group);
}

// DecodeBytes over units of any width whose values are below 256 (bytes,
// or the UTF-16 units of an ASCII text), each decoded byte stored in a
// unit of Out: bytes, or UTF-16 units ready to be a text.
template <class Out, class Unit>
Out DecodeUnits(std::basic_string_view<Unit> units, std::uint8_t pad) {
    const std::size_t n = units.size();
    if (n == 0) {
        return {};
    }
    // A pad anywhere in the last eleven positions counts, not only at the
    // very end; this is what keeps "text=" CR LF decoding to its bytes.
    long long pads = 0;
    for (std::size_t i = n > 11 ? n - 11 : 0; i < n; ++i) {
        pads += units[i] == pad ? 1 : 0;
    }
    // Signed and truncating toward zero: all pads gives (-3) / 4 == 0.
    // Never more than the three bytes per group that are decoded below.
    const long long length = ((static_cast<long long>(n) - 1 - pads) * 3) / 4 + 1;
    const Table& table = DecodeTable();
    const auto value = [&](std::size_t i) -> std::uint32_t { return table[static_cast<std::uint8_t>(units[i])]; };
    Out decoded(3 * GroupCount(n, 4), 0);
    auto* out = decoded.data();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4, out += 3) {
        StoreGroup(out, value(i), value(i + 1), value(i + 2), value(i + 3));
    }
    if (i < n) {  // a short last group, padded with zero values
        std::uint32_t rest[4] = {};
        for (std::size_t k = 0; i + k < n; ++k) rest[k] = value(i + k);
        StoreGroup(out, rest[0], rest[1], rest[2], rest[3]);
    }
    decoded.resize(static_cast<std::size_t>(length));
    return decoded;
}

}  // namespace

Bytes MapToAlphabet(BytesView values) {
    Bytes characters(values.size(), 0);
    MapThroughTable(values, EncodeTable(), characters.data());
    return characters;
}

Sequence<std::uint8_t> MapFromAlphabet(BytesView characters) {
    Sequence<std::uint8_t> values(characters.size());
    MapThroughTable(characters, DecodeTable(), values.data());
    return values;
}

Bytes EncodeBytes(BytesView bytes, std::uint8_t pad) {
    const std::size_t n = bytes.size();
    if (n == 0) {
        return {};
    }
    const Table& table = EncodeTable();
    Bytes characters(4 * GroupCount(n, 3), 0);
    std::uint8_t* out = characters.data();
    ForEachGroup<Triplet>(bytes, [&](Triplet triplet) {
        const Quad quad = TripletToQuad(triplet);
        *out++ = table[quad.q0];
        *out++ = table[quad.q1];
        *out++ = table[quad.q2];
        *out++ = table[quad.q3];
    });
    // Positions after the k significant characters (4n/3 rounded up) are
    // pads: none, one or two of them.
    const std::size_t significant = (4 * (n - 1) + 3) / 3 + 1;
    for (std::size_t position = characters.size(); position > significant; --position) {
        characters[position - 1] = pad;
    }
    return characters;
}

Bytes DecodeBytes(BytesView bytes, std::uint8_t pad) { return DecodeUnits<Bytes>(bytes, pad); }

std::u16string Base64Encode(std::u16string_view text) {
    const Bytes bytes = TextToBytes(text);
    return BytesToText(EncodeBytes(bytes, PadByte));
}

std::u16string Base64Decode(std::u16string_view text) {
    // A link is nearly always ASCII, whose code-page bytes are its units:
    // decoded straight from the text, without a copy of it as bytes.
    if (CodePage::IsAscii(text)) {
        // Decoded bytes that are ASCII as well are their own text, as
        // BytesToText would give it; any others are read as it reads them.
        std::u16string decoded = DecodeUnits<std::u16string>(text, PadByte);
        if (CodePage::IsAscii(decoded)) return decoded;
        return BytesToText(DecodeUnits<Bytes>(text, PadByte));
    }
    return BytesToText(DecodeBytes(TextToBytes(text), PadByte));
}

}  // namespace velkrant::modBase64Code
