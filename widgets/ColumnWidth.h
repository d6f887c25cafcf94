#pragma once

class QString;
class QWidget;

// A grid column's default width: the width given, or wider when the text it
// must show whole (its header, the longest date, a seven-digit number) needs
// more in the grid's font, so nothing is cut whatever the font.
int ColumnWidthFor(const QWidget *grid, const QString &text, int width);
