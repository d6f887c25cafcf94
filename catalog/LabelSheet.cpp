#include "catalog/LabelSheet.h"

QRectF LabelSheet::Cell(int position) const
{
    const int index = position - 1;
    const int column = index % across;
    const int row = index / across;
    return QRectF(leftMargin + column * pitchX, topMargin + row * pitchY, labelWidth, labelHeight);
}

QRectF LabelSheet::ContentArea(int position) const
{
    return Cell(position).adjusted(inset, inset, -inset, -inset);
}

const QList<LabelSheet> &LabelSheet::All()
{
    // Address labels 2 5/8" x 1", 30 to a sheet, and shipping labels 4" x 2",
    // 10 to a sheet, as the maker measures them. The insets are the widest
    // the sheets' rounded corners need, and leave room for the 1/32" by which
    // other measures of the same sheets place the outer columns.
    static const QList<LabelSheet> sheets = {
        {QStringLiteral("5160"), 3, 10, 2.625, 1.0, 0.5, 0.1875, 2.75, 1.0, 0.08, 8},
        {QStringLiteral("5163"), 2, 5, 4.0, 2.0, 0.5, 0.15625, 4.1875, 2.0, 0.125, 11},
    };
    return sheets;
}

std::optional<LabelSheet> LabelSheet::Named(const QString &name)
{
    for (const LabelSheet &sheet : All()) {
        if (sheet.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return sheet;
    }
    return std::nullopt;
}
