#include "widgets/ColumnWidth.h"

#include <QFontMetrics>
#include <QString>
#include <QWidget>

#include <algorithm>

int ColumnWidthFor(const QWidget *grid, const QString &text, int width)
{
    // The cell's own margins on either side of the text.
    constexpr int kMargins = 14;
    return std::max(width, grid->fontMetrics().horizontalAdvance(text) + kMargins);
}
