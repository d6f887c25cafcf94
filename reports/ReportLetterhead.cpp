#include "reports/ReportLetterhead.h"

#include "print/PrintColor.h"
#include "print/clsMultiPgPreview.h"
#include "reports/ReportRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {

constexpr double kLogoWidth = 2.0;
const int kBandGrey = RGB(220, 220, 220);
constexpr double kTitleMargin = 0.05;

QString tr(const char *text)
{
    return QCoreApplication::translate("Letterhead", text);
}

// Where the title starts: from the middle of the page as each report has
// it, unless it would run past the band (a month from the 15th is named by
// its two dates), then so that it ends inside the band.
double titleLeft(const clsMultiPgPreview &rec, const Letterhead &head)
{
    const double left = rec.GetPaperWidth() / 2 + head.titleOffset;
    const double room = head.band.right() - kTitleMargin;
    const double width = rec.GetTextWidth(head.title);
    if (left + width <= room)
        return left;
    return std::max(head.band.left() + kTitleMargin, room - width);
}

} // namespace

QImage LetterheadLogo()
{
    if (!ShopLetterhead::hasLogo())
        return {};
    const QString path = ShopLetterhead::logoPath();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage logo = reader.read();
    if (logo.isNull())
        throw ReportFailure(
            tr("The picture %1 could not be read: %2").arg(QDir::toNativeSeparators(path), reader.errorString()));
    return logo;
}

void PrintBand(clsMultiPgPreview &rec, const QRectF &band)
{
    rec.pBox(band.left(), band.top(), band.width(), band.height(), -1, kBandGrey, 0);
}

void PrintLetterhead(clsMultiPgPreview &rec, const Letterhead &head)
{
    // The picture is read first, so a damaged logo stops the report before
    // anything is drawn.
    const QImage logo = LetterheadLogo();
    if (rec.ReportTitle().trimmed().isEmpty())
        rec.setReportTitle(head.title);
    rec.setFontName(head.titleFont);
    rec.setFontSize(12);
    rec.setFontBold(true);
    rec.setCurrentY(0.5);
    PrintBand(rec, head.band);
    rec.pPrint(head.title, titleLeft(rec, head), false);
    if (!logo.isNull())
        rec.pPrintPicture(logo, head.logoAt.x(), head.logoAt.y(), kLogoWidth, 0, false, true);
    if (!head.shopLines)
        return;
    rec.setFontName(QStringLiteral("Arial"));
    rec.setFontBold(false);
    rec.setFontSize(10);
    rec.setFontItalic(true);
    rec.setCurrentY(0.8);
    rec.pPrint(QString(), 0.5, true);
    for (const QString &line : ShopLetterhead::lines())
        rec.pRightTab(line, 1.0, false);
}
