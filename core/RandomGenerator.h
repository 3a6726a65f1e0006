#pragma once
// The process-wide uniform generator. It is never seeded from the clock:
// the same program run draws the same numbers, which keeps FlashGet links
// reproducible from run to run.

namespace velkrant::RandomGenerator {

/// The next value, uniform in [0, 1) and never 1.0 (a 24-bit fraction, so
/// it is exact as a float).
float NextUniform();

}  // namespace velkrant::RandomGenerator
