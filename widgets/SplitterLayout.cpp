#include "widgets/SplitterLayout.h"

#include <algorithm>
#include <cmath>

double ClampSplitFraction(double fraction)
{
    if (!std::isfinite(fraction))
        return 0.5;
    return std::clamp(fraction, 0.001, 0.999);
}

SplitterLayout LayoutSplitter(int width, int height, int barWidth, double fraction, bool verticalBar)
{
    const double f = ClampSplitFraction(fraction);
    const int w = std::max(0, width);
    const int h = std::max(0, height);
    const int extent = verticalBar ? w : h;
    const int s = std::clamp(barWidth, 0, extent);
    const int room = extent - s;
    const int a = std::clamp(int(std::lround(room * f)), 0, room);
    const int b = room - a;
    SplitterLayout l;
    if (verticalBar) {
        l.child1 = QRect(0, 0, a, h);
        l.bar = QRect(a, 0, s, h);
        l.child2 = QRect(a + s, 0, b, h);
    } else {
        l.child1 = QRect(0, 0, w, a);
        l.bar = QRect(0, a, w, s);
        l.child2 = QRect(0, a + s, w, b);
    }
    return l;
}

double FractionForBarAt(int barStart, int extent)
{
    if (extent <= 0)
        return 0.5;
    return ClampSplitFraction(double(barStart) / double(extent));
}

int PercentOfFraction(double fraction)
{
    return int(std::lround(ClampSplitFraction(fraction) * 100.0));
}

double FractionOfPercent(int percent)
{
    return ClampSplitFraction(std::clamp(percent, 0, 100) / 100.0);
}
