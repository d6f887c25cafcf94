#include "widgets/OleColor.h"

namespace OleColor {

namespace {

constexpr qint64 kSystemBit = 0x80000000LL;

// The old system colour indexes that a window may still name.
QColor systemColor(int index, const QPalette &p)
{
    switch (index) {
    case 4:
        return p.color(QPalette::Window); // menu
    case 5:
        return p.color(QPalette::Base); // window background
    case 7:
        return p.color(QPalette::WindowText); // menu text
    case 8:
        return p.color(QPalette::Text); // window text
    case 13:
        return p.color(QPalette::Highlight);
    case 14:
        return p.color(QPalette::HighlightedText);
    case 15:
        return p.color(QPalette::Button); // button face
    case 16:
        return p.color(QPalette::Mid); // button shadow
    case 17:
        return p.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18:
        return p.color(QPalette::ButtonText);
    case 20:
        return p.color(QPalette::Light); // button highlight
    case 24:
        return p.color(QPalette::ToolTipBase);
    default:
        return QColor();
    }
}

} // namespace

QColor ToQColor(qint64 value, const QPalette &palette)
{
    if (value == Default)
        return QColor();
    // Written as a signed 32-bit number the system colours are negative.
    const qint64 bits = value & 0xffffffffLL;
    if (bits & kSystemBit)
        return systemColor(int(bits & 0xff), palette);
    return QColor(int(bits & 0xff), int((bits >> 8) & 0xff), int((bits >> 16) & 0xff));
}

qint64 FromQColor(const QColor &color)
{
    if (!color.isValid())
        return Default;
    return Rgb(color.red(), color.green(), color.blue());
}

} // namespace OleColor
