#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

// A sheet of self-adhesive labels for Letter paper: how many labels it holds
// and where each one lies, in inches from the paper's top-left corner. The
// labels are numbered 1 to Count(), across and then down, as a clerk counts
// them on a half-used sheet.
struct LabelSheet
{
    QString name; // the maker's part number ("5160")
    int across = 1;
    int down = 1;
    double labelWidth = 0;
    double labelHeight = 0;
    double topMargin = 0;
    double leftMargin = 0;
    double pitchX = 0; // from one label's left edge to the next one's
    double pitchY = 0;
    // Blank kept inside each label's edges: the cut and the rounded corners
    // shift a little from sheet to sheet.
    double inset = 0;
    // The size of the label's text in points.
    double fontSize = 8;

    int Count() const { return across * down; }
    // The label at a position of the sheet (1 to Count()).
    QRectF Cell(int position) const;
    // Where the text and bars of that label may go: the label less its inset.
    QRectF ContentArea(int position) const;

    // The sheets the program prints on ("5160" first).
    static const QList<LabelSheet> &All();
    // The sheet of a part number, nothing when the program does not know it.
    static std::optional<LabelSheet> Named(const QString &name);
};
