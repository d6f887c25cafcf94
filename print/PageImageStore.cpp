#include "print/PageImageStore.h"

#include "print/PageImageSurface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace {

constexpr int kImagesInMemory = 3;

QString tr(const char *text)
{
    return QCoreApplication::translate("PageImageStore", text);
}

bool saveBmp(const QImage &image, const QString &path, QString *error)
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

QString PageImageStore::pageFileName(int index)
{
    return QStringLiteral("PPview") + QString::number(index) + QStringLiteral(".bmp");
}

QString PageImageStore::pageFile(int index) const
{
    return folder() + QLatin1Char('/') + pageFileName(index);
}

QImage PageImageStore::render(int index) const
{
    return RenderPageImage(*m_document, index, m_dpi);
}

void PageImageStore::remember(int index, const QImage &image)
{
    for (int i = 0; i < m_recent.size(); ++i) {
        if (m_recent.at(i).first == index) {
            m_recent.removeAt(i);
            break;
        }
    }
    m_recent.prepend({index, image});
    while (m_recent.size() > kImagesInMemory)
        m_recent.removeLast();
}

QImage PageImageStore::page(int index, QString *saveError)
{
    if (index < 0 || index >= pageCount())
        return QImage();
    for (const auto &entry : m_recent) {
        if (entry.first == index) {
            const QImage image = entry.second;
            remember(index, image);
            return image;
        }
    }
    const QString file = pageFile(index);
    QImage image;
    if (QFileInfo::exists(file) && image.load(file, "bmp"))
        keepFile(index);
    if (image.isNull()) {
        image = render(index);
        if (!isValid()) {
            if (saveError)
                *saveError = errorString();
        } else if (saveBmp(image, file, saveError)) {
            keepFile(index);
        }
    }
    remember(index, image);
    return image;
}

void PageImageStore::keepFile(int index)
{
    m_files.removeAll(index);
    m_files.prepend(index);
    while (m_files.size() > PageFilesKept)
        QFile::remove(pageFile(m_files.takeLast()));
}

qint64 PageImageStore::diskBytes() const
{
    if (!isValid())
        return 0;
    qint64 total = 0;
    const QFileInfoList files = QDir(folder()).entryInfoList({QStringLiteral("PPview*.bmp")}, QDir::Files);
    for (const QFileInfo &info : files)
        total += info.size();
    return total;
}

QString PageImageStore::copyBaseName(const QString &reportTitle)
{
    const QString base = reportTitle.trimmed();
    if (base.isEmpty() || base.contains(QLatin1Char('\\')) || base.contains(QLatin1Char('/')) || base.contains(QChar(0))
        || base == QStringLiteral(".") || base == QStringLiteral(".."))
        return QStringLiteral("PPview");
    return base;
}

bool PageImageStore::copyPage(int index, const QString &target, QString *error)
{
    const QString file = pageFile(index);
    if (isValid() && QFileInfo::exists(file)) {
        QFile::remove(target);
        QFile source(file);
        if (source.copy(target))
            return true;
        if (error) {
            *error = tr("Page %1 could not be copied to %2: %3")
                         .arg(index + 1)
                         .arg(QDir::toNativeSeparators(target), source.errorString());
        }
        return false;
    }
    for (const auto &entry : m_recent) {
        if (entry.first == index)
            return saveBmp(entry.second, target, error);
    }
    return saveBmp(render(index), target, error);
}

bool PageImageStore::copyAllTo(const QString &targetFolder, const QString &reportTitle, QString *error,
                               const std::function<void(int)> &progress)
{
    const QFileInfo target(targetFolder);
    if (!target.isDir()) {
        if (error)
            *error = tr("The folder %1 does not exist.").arg(QDir::toNativeSeparators(targetFolder));
        return false;
    }
    const QString own = QFileInfo(folder()).canonicalFilePath();
    const QString chosen = target.canonicalFilePath();
    if (isValid() && (chosen == own || chosen.startsWith(own + QLatin1Char('/')))) {
        if (error)
            *error = tr("Pages can't be copied into the preview's own temporary folder. Choose another folder.");
        return false;
    }
    QString base = copyBaseName(reportTitle);
    const QString dir = target.absoluteFilePath() + QLatin1Char('/');
    for (int i = 0; i < pageCount(); ++i) {
        if (progress)
            progress(i);
        const QString name = QString::number(i + 1) + QStringLiteral(".bmp");
        if (copyPage(i, dir + base + name, error))
            continue;
        // A title the file system can't hold as a name: number the pages
        // under the plain name instead.
        if (base == QStringLiteral("PPview"))
            return false;
        base = QStringLiteral("PPview");
        if (!copyPage(i, dir + base + name, error))
            return false;
    }
    return true;
}

void PageImageStore::removeFiles()
{
    m_recent.clear();
    m_files.clear();
    m_folder.remove();
}
