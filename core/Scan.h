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
/// position at a time. `hit` must be cheap and must not throw: it runs for
/// every position of a block. Made for tests on UTF-16 units.
template <class Hit>
std::size_t FindPosition(std::size_t from, std::size_t to, Hit hit) {
    constexpr std::size_t kBlock = 32;
    while (from + kBlock <= to) {
        // Not a bool, which the compiler does not reduce in vector code, and
        // as wide as a UTF-16 unit, so that each register holds 8 positions.
        std::uint16_t hits = 0;
        for (std::size_t k = 0; k < kBlock; ++k) hits |= hit(from + k) ? 1u : 0u;
        if (hits != 0) break;
        from += kBlock;
    }
    while (from < to && !hit(from)) ++from;
    return from;
}

}  // namespace velkrant
