#pragma once
// Colours as the dialog class's properties hold them: 32-bit numbers with
// red in the low byte, then green, then blue (0x00BBGGRR), the layout
// callers store and compare.

#include <QColor>

#include <cstdint>

namespace velkrant::ColorRef {

/// The colour of a stored number; the top byte is ignored.
///
///     ToColor(0x0000FF) == QColor(255, 0, 0)
inline QColor ToColor(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

/// The stored number of a colour; its alpha is dropped.
inline std::uint32_t Of(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
           (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

}  // namespace velkrant::ColorRef
