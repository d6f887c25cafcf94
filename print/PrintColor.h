#pragma once

#include <QColor>

// Colours travel through the recorder as the old RGB numbers: red in the low
// byte, then green, then blue (255 is red, 65535 yellow, 16777215 white).
constexpr int RGB(int red, int green, int blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

namespace PrintColor {

constexpr int Black = 0;
constexpr int White = 0xFFFFFF;
constexpr int Red = 255;
constexpr int Green = 65280;

inline QColor toQColor(int rgbNumber)
{
    return QColor(rgbNumber & 0xFF, (rgbNumber >> 8) & 0xFF, (rgbNumber >> 16) & 0xFF);
}

inline int fromQColor(const QColor &color)
{
    return RGB(color.red(), color.green(), color.blue());
}

} // namespace PrintColor
