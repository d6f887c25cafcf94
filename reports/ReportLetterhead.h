#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "reports/ShopLetterhead.h"

class clsMultiPgPreview;

// The heading block at the top of the first page of a report: a light grey
// band, the title from the middle of the page (moved by titleOffset), the
// shop's logo at the top left and, when asked for, the shop's lines at the
// right. Each report gives its own differences; the defaults are those of
// the customer invoice.
struct Letterhead
{
    QString title;
    QString titleFont = QStringLiteral("Century Gothic");
    double titleOffset = 0; // inches from the middle of the printable width
    QRectF band = QRectF(1.0, 0.45, 6.5, 0.25);
    QPointF logoAt = QPointF(0.2, 0.2); // the logo is 2 inches wide at most
    bool shopLines = true;
};

// The letterhead picture: "logo.jpg" of the program folder, found whatever
// the case of its name. A shop without one gets a null image (the letterhead
// goes without a picture); one that is there but can't be read throws
// ReportFailure, naming the file.
QImage LetterheadLogo();

// Prints the letterhead. A title longer than the band's right half moves
// left until it ends inside the band. The first letterhead of a document
// names it (its preview's caption, the PDF file it suggests, the copies of
// its pages), unless the report named it already. With the shop lines it ends in Arial 10 italic,
// not bold, below them; without them the title's font (12 point bold) stays.
void PrintLetterhead(clsMultiPgPreview &rec, const Letterhead &head);

// The band behind a row of column headings, the light grey of every report.
void PrintBand(clsMultiPgPreview &rec, const QRectF &band);
