#include "modBase64Code.h"

#include "Messages.h"
#include "modBase64CodeStages.h"

#include <array>
#include <atomic>
#include <bit>
#include <cstring>
#include <memory>
#include <mutex>
#include <type_traits>

namespace velkrant::modBase64Code {

namespace {

using Table = std::array<std::uint8_t, 256>;

// The decoded bytes of a group of four characters as the OR of one word
// per position: the character's 6-bit value put where its bits land in
// the group's three bytes, one byte per lane of a quarter word. The group
// then costs a lookup and an OR per character and one store, instead of
// shifts and a store per byte. The fourth lane stays zero.
template <class Word>
using LaneTable = std::array<std::array<Word, 256>, 4>;

struct DecodeLanes {
    LaneTable<std::uint64_t> units;  // lanes of 16 bits: UTF-16 units
    LaneTable<std::uint32_t> bytes;  // lanes of 8 bits
};

// Code tables: built on first use, kept until the process ends. Each
// direction tests its own flag; one successful build sets both. Several
// threads may convert at once: a build runs under the lock, and a flag is
// raised only once its table is in place.
struct CodeTables {
    std::mutex building;
    std::unique_ptr<Table> encode;
    std::unique_ptr<Table> decode;
    std::unique_ptr<DecodeLanes> lanes;  // built with `decode`, from it
    std::atomic<bool> encodeReady = false;
    std::atomic<bool> decodeReady = false;
};

CodeTables& Tables() {
    static CodeTables tables;
    return tables;
}

// Lookups before a successful build (only possible after a failed one)
// read zeros rather than a missing table.
template <class T>
const T& TableOrZeros(const std::unique_ptr<T>& table) {
    static const T zeros{};
    return table ? *table : zeros;
}

template <class Word>
constexpr unsigned kLaneBits = 2 * sizeof(Word);  // four lanes to a word

template <class Word>
void FillLanes(const Table& decode, LaneTable<Word>& lanes) {
    constexpr unsigned lane = kLaneBits<Word>;
    for (unsigned position = 0; position < 4; ++position) {
        for (std::size_t code = 0; code < 256; ++code) {
            const std::uint32_t group = std::uint32_t{decode[code]} << (18 - 6 * position);
            lanes[position][code] = Word{(group >> 16) & 0xFF} | Word{(group >> 8) & 0xFF} << lane |
                                    Word{group & 0xFF} << (2 * lane);
        }
    }
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
    auto lanes = std::make_unique<DecodeLanes>();
    FillLanes(*decode, lanes->units);
    FillLanes(*decode, lanes->bytes);
    CodeTables& tables = Tables();
    tables.encode = std::move(encode);
    tables.decode = std::move(decode);
    tables.lanes = std::move(lanes);
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

// The lanes of a decoded group: its three bytes, each in a unit of Out
// (whose width the lanes have), and a fourth unit that the next group
// overwrites.
template <class Unit, class Word>
inline void StoreLanes(Unit* out, Word lanes) {
    static_assert(sizeof(Word) == 4 * sizeof(Unit));
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &lanes, sizeof(Word));
    } else {
        constexpr unsigned lane = kLaneBits<Word>;
        out[0] = static_cast<Unit>(lanes & 0xFF);
        out[1] = static_cast<Unit>(lanes >> lane & 0xFF);
        out[2] = static_cast<Unit>(lanes >> (2 * lane) & 0xFF);
    }
}

template <class Word>
const LaneTable<Word>& LanesOf(const DecodeLanes& lanes) {
    if constexpr (sizeof(Word) == sizeof(std::uint64_t)) {
        return lanes.units;
    } else {
        return lanes.bytes;
    }
}

// DecodeBytes over units of any width whose values are below 256 (bytes,
// or the UTF-16 units of an ASCII text), each decoded byte stored in a
// unit of Out: bytes, or UTF-16 units ready to be a text. `ascii` tells
// whether every decoded byte is ASCII (bytes past the end included, so a
// false may be needless, never wrong).
template <class Out, class Unit>
Out DecodeUnits(std::basic_string_view<Unit> units, std::uint8_t pad, bool& ascii) {
    using Word = std::conditional_t<sizeof(typename Out::value_type) == 2, std::uint64_t, std::uint32_t>;
    constexpr unsigned lane = kLaneBits<Word>;
    constexpr Word kHighBits = Word{0x80} | Word{0x80} << lane | Word{0x80} << (2 * lane);
    const std::size_t n = units.size();
    ascii = true;
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
    DecodeTable();  // built on first use, and the lanes with it
    const LaneTable<Word>& lanes = LanesOf<Word>(TableOrZeros(Tables().lanes));
    const auto lookUp = [&](std::size_t position, std::size_t i) {
        return lanes[position][static_cast<std::uint8_t>(units[i])];
    };
    Out decoded(3 * GroupCount(n, 4) + 1, 0);  // one spare unit for the last group's fourth lane
    auto* out = decoded.data();
    Word seen = 0;
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4, out += 3) {
        const Word group = lookUp(0, i) | lookUp(1, i + 1) | lookUp(2, i + 2) | lookUp(3, i + 3);
        seen |= group;
        StoreLanes(out, group);
    }
    if (i < n) {  // a short last group, padded with zero values
        Word group = 0;
        for (std::size_t k = 0; i + k < n; ++k) group |= lookUp(k, i + k);
        seen |= group;
        StoreLanes(out, group);
    }
    decoded.resize(static_cast<std::size_t>(length));
    ascii = (seen & kHighBits) == 0;
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

Bytes DecodeBytes(BytesView bytes, std::uint8_t pad) {
    bool ascii = false;
    return DecodeUnits<Bytes>(bytes, pad, ascii);
}

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
        bool ascii = false;
        std::u16string decoded = DecodeUnits<std::u16string>(text, PadByte, ascii);
        if (ascii) return decoded;
        return BytesToText(DecodeUnits<Bytes>(text, PadByte, ascii));
    }
    return BytesToText(DecodeBytes(TextToBytes(text), PadByte));
}

}  // namespace velkrant::modBase64Code
