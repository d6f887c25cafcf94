#pragma once

#include <QRect>
#include <QSize>

// The geometry rules of the sales window as pure functions, so they are
// tested without a window. Measures kept in the settings store are twips,
// 15 to a pixel.
namespace SalesLayout {

// The customer pane's share of the splitter, in per cent.
constexpr int kCustomerPercent = 32;
constexpr int kCustomerPercentMax = 35;
constexpr int kCustomerPercentCollapsed = 1;

// The customer pane never takes more than 35 %.
int ClampCustomerPercent(int percent);
// "Auto Hide": collapsed while a ticket is shown and the box is checked.
int AutoHidePercent(bool ticketShown, bool autoHide);

// The splitter stands 50 twips from the window's inner left and top edges,
// 200 twips narrower and 600 twips lower than the inner area; a size that
// would not be positive keeps the current one.
QRect SplitterRect(const QSize &inner, const QRect &current);

// The ticket area scrolls in twentieths of the height the pane hides.
constexpr int kScrollSteps = 20;
struct TicketScroll
{
    int areaTop = 0;
    bool barVisible = false;
};
TicketScroll ScrollTicketArea(int areaHeight, int paneHeight, int scrollValue);
// The scroll value, as near the current one as can be, at which the pane
// shows the rows top to bottom (inclusive) of the area; when they are taller
// than the pane, the top ones.
int ScrollValueShowing(int areaHeight, int paneHeight, int top, int bottom, int scrollValue);

} // namespace SalesLayout
