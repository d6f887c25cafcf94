#pragma once

#include <QFont>
#include <QString>

// The font of the recorder's drawing state, as reports name it.
struct PrintFont
{
    QString name = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    bool operator==(const PrintFont &) const = default;
};

namespace PrintFonts {

// Makes the font names reports use resolve to the same installed faces on
// every machine: "Arial" and "Times New Roman" to their metric twins,
// "Century Gothic" to URW Gothic, "Symbol" to a face that has the marks the
// recorder draws with it. Safe to call more than once.
void registerSubstitutions();

// Whether a name resolves to an installed face (directly or through a
// substitution).
bool isKnown(const QString &name);

// The QFont for drawing: the size in points (so it scales with the device's
// resolution), no hinting and no kerning, so glyph advances grow in
// proportion to the size and a line drawn on any device is as wide as it was
// measured.
QFont toQFont(const PrintFont &font);

} // namespace PrintFonts
