#pragma once

#include <QColor>
#include <QPalette>

// Colours as the windows have always written them: one number with red in the
// low byte and blue in the high byte (255 red, 65280 green, 65535 yellow,
// 16711680 blue), -1 for "the default", and the system colours
// 0x80000000 + index (window, window text, button face, highlight, …).
namespace OleColor {

constexpr qint64 Default = -1;
constexpr qint64 Red = 255;
constexpr qint64 Green = 65280;
constexpr qint64 Yellow = 65535;
constexpr qint64 Blue = 16711680;
constexpr qint64 Black = 0;
constexpr qint64 White = 16777215;

// The number of RGB(r, g, b).
constexpr qint64 Rgb(int r, int g, int b)
{
    return qint64(r & 0xff) | (qint64(g & 0xff) << 8) | (qint64(b & 0xff) << 16);
}

// An invalid QColor for the default; system colours come from the palette.
QColor ToQColor(qint64 value, const QPalette &palette = QPalette());
// The number of a colour (system colours are not given back).
qint64 FromQColor(const QColor &color);

} // namespace OleColor
