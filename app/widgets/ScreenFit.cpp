#include "ScreenFit.h"

#include <algorithm>

namespace velkrant::ScreenFit {

namespace {

// The start of a span of `length` moved into [areaStart, areaStart + areaLength);
// a span longer than the area keeps its start at the area's start.
int MovedInside(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

QRect MovedInside(const QRect& window, const QRect& area) {
    return {MovedInside(window.left(), window.width(), area.left(), area.width()),
            MovedInside(window.top(), window.height(), area.top(), area.height()), window.width(), window.height()};
}

Stack Beneath(const QRect& upper, int lowerHeight, const QRect& area) {
    QRect placed = MovedInside(upper, area);
    const int overflow = placed.bottom() + lowerHeight - area.bottom();
    if (overflow > 0) {
        placed.moveTop(placed.top() - std::min(overflow, placed.top() - area.top()));
    }
    const int room = area.bottom() - placed.bottom();
    return {placed, QRect(placed.left(), placed.bottom() + 1, placed.width(), std::clamp(room, 1, std::max(1, lowerHeight)))};
}

}  // namespace velkrant::ScreenFit
