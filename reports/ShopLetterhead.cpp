#include "reports/ShopLetterhead.h"

#include "data/AppPaths.h"
#include "data/Settings.h"
#include "reports/DemoLetterhead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

namespace ShopLetterhead {

namespace {

const QString kSection = QStringLiteral("Letterhead");
bool g_demo = false;

QString stored(const char *key)
{
    return Settings::get(kSection, QString::fromLatin1(key)).trimmed();
}

void fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
}

} // namespace

QString name()
{
    return stored("Name");
}

QString street()
{
    return stored("Street");
}

QString cityStateZip()
{
    return stored("CityStateZip");
}

QString telephone()
{
    return stored("Telephone");
}

QStringList lines()
{
    if (g_demo)
        return DemoLetterhead::lines();
    QStringList set;
    for (const QString &line : {street(), cityStateZip(), telephone()}) {
        if (!line.isEmpty())
            set << line;
    }
    if (set.isEmpty() && !name().isEmpty())
        set << name();
    return set;
}

void save(const QString &shopName, const QString &streetLine, const QString &cityLine, const QString &telephoneLine)
{
    Settings::save(kSection, QStringLiteral("Name"), shopName.trimmed());
    Settings::save(kSection, QStringLiteral("Street"), streetLine.trimmed());
    Settings::save(kSection, QStringLiteral("CityStateZip"), cityLine.trimmed());
    Settings::save(kSection, QStringLiteral("Telephone"), telephoneLine.trimmed());
}

void useDemoForThisRun()
{
    g_demo = true;
}

QString logoPath()
{
    return AppPaths::programFile(QStringLiteral("logo.jpg"));
}

bool hasLogo()
{
    return QFileInfo(logoPath()).isFile();
}

bool saveLogo(const QString &pictureFile, QString *error)
{
    QImageReader reader(pictureFile);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        fail(error,
             QStringLiteral("%1 is not a picture the program can read (%2)")
                 .arg(QDir::toNativeSeparators(pictureFile), reader.errorString()));
        return false;
    }
    // JPEG has no transparency: what was see-through prints as white paper.
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < source.height(); ++y) {
            const QRgb *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
            QRgb *to = reinterpret_cast<QRgb *>(flat.scanLine(y));
            for (int x = 0; x < source.width(); ++x) {
                const int a = qAlpha(from[x]);
                to[x] = qRgb(qRed(from[x]) + 255 - a, qGreen(from[x]) + 255 - a, qBlue(from[x]) + 255 - a);
            }
        }
    }
    QSaveFile file(logoPath());
    if (!file.open(QIODevice::WriteOnly) || !flat.save(&file, "JPG", 92) || !file.commit()) {
        fail(error,
             QStringLiteral("%1 could not be written: %2")
                 .arg(QDir::toNativeSeparators(logoPath()), file.errorString()));
        return false;
    }
    return true;
}

bool removeLogo(QString *error)
{
    QFile file(logoPath());
    if (!file.exists() || file.remove())
        return true;
    fail(error,
         QStringLiteral("%1 could not be removed: %2").arg(QDir::toNativeSeparators(logoPath()), file.errorString()));
    return false;
}

} // namespace ShopLetterhead
