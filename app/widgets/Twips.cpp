#include "Twips.h"

#include <cmath>

namespace velkrant::Twips {

int ToPixels(double twips) {
    return static_cast<int>(std::lround(twips / PerPixel));
}

int FromPixels(int pixels) {
    return pixels * PerPixel;
}

QRect ToRect(int left, int top, int width, int height) {
    return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
}

}  // namespace velkrant::Twips
