#include "timeclock/JpegFile.h"

#include "data/FileReplace.h"
#include "timeclock/cDIBSection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace JpegFile {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = QStringLiteral("Failed to save to JPG ") + reason;
    return false;
}

// What a re-taken picture keeps of the file it replaces.
struct KeptAttributes
{
    bool existed = false;
    QDateTime modified, accessed;
    QFile::Permissions permissions;
};

KeptAttributes attributesOf(const QString &fileName)
{
    KeptAttributes kept;
    const QFileInfo info(fileName);
    kept.existed = info.exists();
    if (kept.existed) {
        kept.modified = info.lastModified();
        kept.accessed = info.lastRead();
        kept.permissions = info.permissions();
    }
    return kept;
}

void applyAttributes(const QString &fileName, const KeptAttributes &kept)
{
    if (!kept.existed)
        return;
    QFile file(fileName);
    file.setPermissions(kept.permissions);
    if (file.open(QIODevice::ReadWrite)) {
        file.setFileTime(kept.modified, QFileDevice::FileModificationTime);
        file.setFileTime(kept.accessed, QFileDevice::FileAccessTime);
        file.close();
    }
}

} // namespace

bool SaveJPG(const cDIBSection &dib, const QString &fileName, int quality, QString *error)
{
    if (dib.isEmpty())
        return fail(error, QStringLiteral("(the picture is empty)"));
    if (fileName.trimmed().isEmpty())
        return fail(error, QStringLiteral("(no file name)"));
    const QString target = QFileInfo(fileName).absoluteFilePath();
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return fail(error, QStringLiteral("(the folder %1 can't be made)").arg(QFileInfo(target).absolutePath()));
    QString refused;
    if (!FileReplace::CanReplace(target, &refused))
        return fail(error, QStringLiteral("(%1)").arg(refused));
    const KeptAttributes kept = attributesOf(target);
    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    QImageWriter writer(temp, "jpeg");
    writer.setQuality(qBound(1, quality, 100));
    if (!writer.write(dib.ToImage())) {
        const QString reason = writer.errorString();
        QFile::remove(temp);
        return fail(error, reason);
    }
    applyAttributes(temp, kept);
    QString reason;
    if (!FileReplace::Replace(temp, target, &reason))
        return fail(error, reason);
    return true;
}

} // namespace JpegFile
