#pragma once
// Searching long texts where hits are rare: the lines of a batch, a prefix
// inside a link.

#include <cstddef>
#include <cstdint>

namespace velkrant {

/// The first position in [from, to) at which `hit(position)` is true, or
/// `to` (`from` itself when it is already past `to`). Positions are tried
/// in blocks of a fixed size without stopping early, a form the compiler
/// turns into vector code, and only a block with a hit is walked one
/// position at a time. `hit` must be cheap, must not throw and must accept
/// every position in [0, to): it runs for every position of a block, and
/// the last block may reach back before `from`. Made for tests on UTF-16
/// units.
template <class Hit>
std::size_t FindPosition(std::size_t from, std::size_t to, Hit hit) {
    constexpr std::size_t kBlock = 32;
    const auto blockHits = [&](std::size_t start) {
        // Not a bool, which the compiler does not reduce in vector code, and
        // as wide as a UTF-16 unit, so that each register holds 8 positions.
        // All bits set for a hit, as a vector comparison leaves them.
        std::uint16_t hits = 0;
        for (std::size_t k = 0; k < kBlock; ++k) hits |= hit(start + k) ? 0xFFFFu : 0u;
        return hits != 0;
    };
    while (from + kBlock <= to) {
        if (blockHits(from)) break;
        from += kBlock;
    }
    // Fewer than a block's positions left: one block ending at `to` clears
    // them at once. It may overlap positions already tried, and a hit
    // before `from` only means the rest is walked one at a time.
    if (from < to && from + kBlock > to && to >= kBlock && !blockHits(to - kBlock)) return to;
    while (from < to && !hit(from)) ++from;
    return from;
}

}  // namespace velkrant
