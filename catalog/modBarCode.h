#pragma once

#include <QChar>
#include <QSize>
#include <QString>
#include <vector>

class QImage;
class QPainter;
class clsMultiPgPreview;

// Code 39 bar codes: a product's bar-code text completed with its start and
// stop stars, turned into modules (16 per character: the 15 of its bars and
// spaces, a wide element being 3 modules, then one light module between
// characters) and drawn on a picture or printed as a one-label document.
namespace modBarCode {

// The 44 characters of the symbology, in table order: the digits, the
// letters, then "-", ".", " ", "$", "/", "+", "%" and the star.
QString CharacterSet();

// A star in front unless the text starts with one, a star at the end unless
// it ends with one, the whole upper-cased. A text of stars alone (or none at
// all) completes to "**".
QString CompleteCode(const QString &code);

// The human-readable part of a completed code: without its first and last
// character ("" for "**").
QString CodeText(const QString &completedCode);

// A character's 16 modules, most significant bit first, 1 = dark. A
// character outside the set is drawn as the blank (36538).
quint16 PatternOf(QChar character);

// The modules of a completed code, character by character, first module first.
std::vector<bool> Modules(const QString &completedCode);

// One dark module on paper, in inches.
constexpr double ModuleInches = 0.015;

// Paints the bars of a code on a picture of the given size (cleared to
// white): dark modules two pixels wide from 20 % to 80 % of the height,
// starting 7 pixels in, and under them the code text, " - " and the caption.
// The code comes back completed. Bars past the right edge are cut off.
void DrawBarcode(QString &code, QPainter &painter, const QSize &size, const QString &caption);
QImage DrawBarcode(QString &code, const QSize &size, const QString &caption);
// The width in pixels the bars of a completed code need on a picture.
int PictureWidthNeeded(const QString &completedCode);

// Draws the label on the open document of a recorder: bars from 1.0 to 1.5
// inch down, starting 0.5 inch in, each dark module a filled rectangle
// ModuleInches wide; the code text, " - " and the caption below in 8 points.
void DrawBarcodeLabel(clsMultiPgPreview &recorder, const QString &completedCode, const QString &caption);

// Prints the label as a document of its own into the preview. The recorder
// is the current report recorder while the preview is shown, so the
// preview's Print and Exit act on it. The code comes back completed.
void PrintBarcodeLabel(QString &code, const QString &caption);

} // namespace modBarCode
