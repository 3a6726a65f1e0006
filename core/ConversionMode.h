#pragma once
// The conversion modes, apart from the windows' port, so that callers that
// only choose a mode (the command-line tool) need nothing else.

#include <cstdint>

namespace velkrant {

/// The seven conversion modes; the index of each option button.
enum ConversionMode : std::int16_t {
    ModeAuto = 0,
    ModeThunderDecode = 1,
    ModeFlashgetDecode = 2,
    ModeQqdlDecode = 3,
    ModeThunderEncode = 4,
    ModeFlashgetEncode = 5,
    ModeQqdlEncode = 6,
};

}  // namespace velkrant
