#pragma once

#include <cmath>

// Window places in the settings store and the layouts of the windows are
// measured in twips, 15 to a logical pixel: one conversion for all of them,
// so a stored place and a drawn one never round apart.
namespace Twips {

constexpr int kPerPixel = 15;

inline int ToPixels(double twips)
{
    return int(std::lround(twips / kPerPixel));
}

inline int FromPixels(int pixels)
{
    return pixels * kPerPixel;
}

} // namespace Twips
