#include "sales/SalesLayout.h"

#include "data/Twips.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace SalesLayout {

int ClampCustomerPercent(int percent)
{
    return std::min(percent, kCustomerPercentMax);
}

int AutoHidePercent(bool ticketShown, bool autoHide)
{
    return ticketShown && autoHide ? kCustomerPercentCollapsed : kCustomerPercent;
}

QRect SplitterRect(const QSize &inner, const QRect &current)
{
    const int margin = Twips::ToPixels(50);
    const int width = inner.width() - Twips::ToPixels(200);
    const int height = inner.height() - Twips::ToPixels(600);
    return QRect(margin, margin, width > 0 ? width : current.width(), height > 0 ? height : current.height());
}

TicketScroll ScrollTicketArea(int areaHeight, int paneHeight, int scrollValue)
{
    const int hidden = areaHeight - paneHeight;
    if (hidden < 1)
        return {0, false};
    const int value = std::clamp(scrollValue, 0, kScrollSteps);
    return {-int(std::lround(double(value) * hidden / kScrollSteps)), true};
}

int ScrollValueShowing(int areaHeight, int paneHeight, int top, int bottom, int scrollValue)
{
    const int current = std::clamp(scrollValue, 0, kScrollSteps);
    if (areaHeight - paneHeight < 1)
        return current;
    int best = -1;
    int topmost = 0; // the last value that still shows the top row
    for (int value = 0; value <= kScrollSteps; ++value) {
        const int shownTop = -ScrollTicketArea(areaHeight, paneHeight, value).areaTop;
        if (shownTop > top)
            break;
        topmost = value;
        const bool showsAll = shownTop + paneHeight > bottom;
        if (showsAll && (best < 0 || std::abs(value - current) < std::abs(best - current)))
            best = value;
    }
    return best >= 0 ? best : topmost;
}

} // namespace SalesLayout
