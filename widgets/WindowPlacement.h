#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

// A window's size and place kept in the settings store under its own name
// ("frmSales.Width", "Height", "Left", "Top"), in twips (15 to a pixel), and
// the rule that a window opens on its screen whole, whatever the display
// scale: a stored place is kept only when it fits the screen's available
// area.
namespace WindowPlacement {

// The stored texts read as a place in pixels. A size that is not a positive
// number, or a position that is not a number, falls back to the default.
struct StoredTexts
{
    QString width, height, left, top;
};
constexpr double kDefaultWidthTwips = 20000, kDefaultHeightTwips = 13000;
QRect StoredRect(const StoredTexts &texts);

// Where a window opens within an available area.
struct Fit
{
    QRect normal;           // the window's own (not maximised) place
    bool maximised = false; // the stored size was larger than the area
    bool fitted = false;    // the stored place was changed to fit
};
// `frame` is what the window system adds around the window (title bar,
// borders), as far as it is known.
Fit FitToArea(const QRect &wanted, const QRect &area, const QMargins &frame = {});
// The available area a place opens on: the screen that holds the most of it,
// else the first one (the primary screen).
QRect AreaFor(const QRect &wanted, const QList<QRect> &areas);

// Applies the window's stored place (defaults 20000 x 13000 twips at 0, 0),
// fitted to its screen. The stored values are left as they are.
void Restore(QWidget *window);
// Stores the window's place, unless it is still where Restore put it: a
// place fitted to a small screen does not overwrite the one kept for a
// larger screen until the user moves or resizes the window.
void Save(QWidget *window);

// For a window without stored values: its present size bounded to the
// available area of its screen and its place moved inside it.
void FitOnScreen(QWidget *window);

} // namespace WindowPlacement
