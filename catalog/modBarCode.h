#pragma once

#include <QChar>
#include <QSize>
#include <QString>
#include <optional>
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

// The characters of a completed code that Code 39 cannot carry, each once,
// in the order they stand: those outside the set, and a star anywhere but
// first or last (a reader would take it for the stop).
QString OutsideCharacters(const QString &completedCode);

// Why a completed code is not drawn: a text and the title of its box.
struct Refusal
{
    QString text;
    QString title;
};
// The title and text said of a code whose bars do not fit.
inline const QString LargeStringTitle = QStringLiteral("Large string");
inline const QString LargeStringText = QStringLiteral("The length of the code exceeds control limits.");
// nullopt when the code can be drawn in a room of modulesThatFit modules:
// a label that scans as something else, or is cut off, is never drawn.
std::optional<Refusal> CheckCode(const QString &completedCode, int modulesThatFit);

// One dark module on paper, in inches.
constexpr double ModuleInches = 0.015;

// Paints the bars of a code on a picture of the given size (cleared to
// white): dark modules two pixels wide from 20 % to 80 % of the height,
// starting 7 pixels in, and under them the code text, " - " and the caption.
// The code comes back completed. A code refused by CheckCode (too long for
// the picture, characters Code 39 has not) draws no bars, only the reason.
void DrawBarcode(QString &code, QPainter &painter, const QSize &size, const QString &caption);
QImage DrawBarcode(QString &code, const QSize &size, const QString &caption);
// The width in pixels the bars of a completed code need on a picture.
int PictureWidthNeeded(const QString &completedCode);

// Draws the label on the open document of a recorder: bars from 1.0 to 1.5
// inch down, starting 0.5 inch in, each bar one filled rectangle without an
// outline, as many ModuleInches wide as it has dark modules; the code text,
// " - " and the caption below in 8 points.
void DrawBarcodeLabel(clsMultiPgPreview &recorder, const QString &completedCode, const QString &caption);

// Prints the label as a document of its own ("Barcode Label") into the
// preview, through RunReport. The code comes back completed. A code refused
// by CheckCode for the page is not printed: the reason is shown and false
// returned.
bool PrintBarcodeLabel(QString &code, const QString &caption);

} // namespace modBarCode
