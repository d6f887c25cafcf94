#pragma once

#include <QStyledItemDelegate>

// Draws a vbalGrid cell by its own text flags: one line with an ellipsis, or
// wrapped; left, centred or right; indented. It never opens an editor: the
// grid's host places its own edit box over the cell.
class vbalGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return nullptr;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
