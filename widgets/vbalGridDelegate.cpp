#include "widgets/vbalGridDelegate.h"

#include "widgets/vbalGridModel.h"

namespace {

constexpr int kDtWordBreak = 0x10;
constexpr int kDtSingleLine = 0x20;
constexpr int kDtPathEllipsis = 0x4000;
constexpr int kDtEndEllipsis = 0x8000;
constexpr int kDtWordEllipsis = 0x40000;

} // namespace

void vbalGridDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int format = index.data(vbalGridModel::FormatRole).toInt();
    const bool wrap = (format & kDtWordBreak) && !(format & kDtSingleLine);
    if (wrap)
        option->features |= QStyleOptionViewItem::WrapText;
    else
        option->features &= ~QStyleOptionViewItem::WrapText;
    option->textElideMode = (format & (kDtEndEllipsis | kDtWordEllipsis | kDtPathEllipsis)) ? Qt::ElideRight
                                                                                            : Qt::ElideNone;
    const int indent = index.data(vbalGridModel::IndentRole).toInt();
    if (indent > 0)
        option->rect.adjust(indent, 0, 0, 0);
}
