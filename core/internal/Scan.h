#pragma once
// Searching long texts where hits are rare: the lines of a batch, a prefix
// inside a link.

#include <cstddef>

namespace velkrant {

/// The first position in [from, to) at which `hit(position)` is true, or
/// `to` (`from` itself when it is past `to`). Positions are tried in blocks of a fixed size without stopping
/// early, a form the compiler turns into vector code, and only a block
/// with a hit is walked one position at a time. `hit` must not throw and
/// must be cheap: it runs for every position of a block.
template <class Hit>
std::size_t FindPosition(std::size_t from, std::size_t to, Hit hit) {
    constexpr std::size_t kBlock = 32;
    while (from + kBlock <= to) {
        unsigned hits = 0;  // not a bool: the compiler reduces only integers in vector code
        for (std::size_t k = 0; k < kBlock; ++k) hits |= hit(from + k) ? 1u : 0u;
        if (hits != 0) break;
        from += kBlock;
    }
    while (from < to && !hit(from)) ++from;
    return from;
}

}  // namespace velkrant
