#include "RandomGenerator.h"

#include <cstdint>
#include <random>

namespace velkrant::RandomGenerator {

float NextUniform() {
    // minstd_rand is fully specified by the standard, so every build and
    // platform draws the same sequence. Not std::generate_canonical<float>:
    // libstdc++ can return exactly 1.0 from it.
    static std::minstd_rand engine(20231u);
    constexpr std::uint32_t kRange = std::minstd_rand::max() - std::minstd_rand::min() + 1;
    // Scale the draw onto 24 bits, the float's precision, so the result is
    // an exact multiple of 2^-24 below 1.
    const std::uint64_t draw = engine() - std::minstd_rand::min();
    const auto fraction = static_cast<std::uint32_t>((draw << 24) / kRange);
    return static_cast<float>(fraction) / 16777216.0f;
}

}  // namespace velkrant::RandomGenerator
