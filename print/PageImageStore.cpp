#include "print/PageImageStore.h"

#include "print/PageImageSurface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PageImageStore", text);
}

bool writeBitmapFile(const QImage &image, const QString &path, QString *error)
{
    QImageWriter writer(path, "bmp");
    if (writer.write(image))
        return true;
    if (error)
        *error = tr("The page could not be saved as %1: %2").arg(QDir::toNativeSeparators(path), writer.errorString());
    QFile::remove(path);
    return false;
}

} // namespace

PageImageStore::PageImageStore(std::shared_ptr<const RecordedDocument> document, int dotsPerInch)
    : m_document(document ? std::move(document) : std::make_shared<RecordedDocument>())
    , m_dpi(dotsPerInch)
{ }

QImage PageImageStore::page(int index) const
{
    return RenderPageImage(*m_document, index, m_dpi);
}

QString PageImageStore::copyBaseName(const QString &reportTitle)
{
    const QString base = reportTitle.trimmed();
    if (base.isEmpty() || base.contains(QLatin1Char('\\')) || base.contains(QLatin1Char('/')) || base.contains(QChar(0))
        || base == QStringLiteral(".") || base == QStringLiteral(".."))
        return QStringLiteral("PPview");
    return base;
}

bool PageImageStore::copyAllTo(const QString &targetFolder, const QString &reportTitle, QString *error,
                               const std::function<void(int)> &progress) const
{
    const QFileInfo target(targetFolder);
    if (!target.isDir()) {
        if (error)
            *error = tr("The folder %1 does not exist.").arg(QDir::toNativeSeparators(targetFolder));
        return false;
    }
    QString base = copyBaseName(reportTitle);
    const QString dir = target.absoluteFilePath() + QLatin1Char('/');
    for (int i = 0; i < pageCount(); ++i) {
        if (progress)
            progress(i);
        const QImage image = page(i);
        const QString name = QString::number(i + 1) + QStringLiteral(".bmp");
        if (writeBitmapFile(image, dir + base + name, error))
            continue;
        // A title the file system can't hold as a name: number the pages
        // under the plain name instead.
        if (base == QStringLiteral("PPview"))
            return false;
        base = QStringLiteral("PPview");
        if (!writeBitmapFile(image, dir + base + name, error))
            return false;
    }
    return true;
}
