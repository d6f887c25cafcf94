#include "reports/ReportLetterhead.h"

#include "data/AppPaths.h"
#include "data/Settings.h"
#include "print/PrintColor.h"
#include "print/clsMultiPgPreview.h"
#include "reports/ReportRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

const QString kSection = QStringLiteral("Letterhead");
const QString kStreet = QStringLiteral("Street");
const QString kCityStateZip = QStringLiteral("CityStateZip");
const QString kTelephone = QStringLiteral("Telephone");

constexpr double kLogoWidth = 2.0;
const int kBandGrey = RGB(220, 220, 220);

QString tr(const char *text)
{
    return QCoreApplication::translate("Letterhead", text);
}

} // namespace

namespace ShopLetterhead {

QString street()
{
    return Settings::get(kSection, kStreet, QStringLiteral("4410 Burnet Road"));
}

QString cityStateZip()
{
    return Settings::get(kSection, kCityStateZip, QStringLiteral("Austin, TX 78756"));
}

QString telephone()
{
    return Settings::get(kSection, kTelephone, QStringLiteral("(512) 555-0140"));
}

QStringList lines()
{
    return {street(), cityStateZip(), telephone()};
}

void save(const QString &streetLine, const QString &cityLine, const QString &telephoneLine)
{
    Settings::save(kSection, kStreet, streetLine);
    Settings::save(kSection, kCityStateZip, cityLine);
    Settings::save(kSection, kTelephone, telephoneLine);
}

} // namespace ShopLetterhead

QImage LetterheadLogo()
{
    const QString path = AppPaths::programFile(QStringLiteral("logo.jpg"));
    if (!QFileInfo::exists(path))
        throw ReportFailure(tr("File not found: %1").arg(QDir::toNativeSeparators(path)));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage logo = reader.read();
    if (logo.isNull())
        throw ReportFailure(tr("The picture %1 could not be read: %2")
                                .arg(QDir::toNativeSeparators(path), reader.errorString()));
    return logo;
}

void PrintBand(clsMultiPgPreview &rec, const QRectF &band)
{
    rec.pBox(band.left(), band.top(), band.width(), band.height(), -1, kBandGrey, 0);
}

void PrintLetterhead(clsMultiPgPreview &rec, const Letterhead &head)
{
    // The picture is read first, so a missing logo stops the report before
    // anything is drawn.
    const QImage logo = LetterheadLogo();
    rec.setFontName(head.titleFont);
    rec.setFontSize(12);
    rec.setFontBold(true);
    rec.setCurrentY(0.5);
    PrintBand(rec, head.band);
    rec.pPrint(head.title, rec.GetPaperWidth() / 2 + head.titleOffset, false);
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
