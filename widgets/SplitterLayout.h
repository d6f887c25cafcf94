#pragma once

#include <QRect>

// Where a splitter puts its two panes and its bar, as a pure function of its
// size so the rules are tested without a window.
struct SplitterLayout
{
    QRect child1, child2, bar;
};

// The split fraction is kept inside 0.001 … 0.999 so neither pane vanishes.
double ClampSplitFraction(double fraction);

// A bar of barWidth pixels (vertical: children left and right; otherwise
// above and below) at the fraction. Sizes never go below zero, however small
// the splitter.
SplitterLayout LayoutSplitter(int width, int height, int barWidth, double fraction, bool verticalBar);

// The fraction a bar dragged to position `barStart` (left or top, pixels)
// stands for when the bar travels over `extent` pixels.
double FractionForBarAt(int barStart, int extent);

// SplitPercent as read back: the fraction in whole per cent, rounded.
int PercentOfFraction(double fraction);
// SplitPercent written: out-of-range values are clamped to 0 … 100 first.
double FractionOfPercent(int percent);
