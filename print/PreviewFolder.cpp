#include "print/PreviewFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <unistd.h>

QString PreviewFolder::namePrefix()
{
    return QStringLiteral("tessaly-preview-");
}

QString PreviewFolder::lockFileName()
{
    return QStringLiteral("preview.lock");
}

int PreviewFolder::removeLeftovers()
{
    int removed = 0;
    const QDir temp(QDir::tempPath());
    const QFileInfoList candidates = temp.entryInfoList({namePrefix() + QLatin1Char('*')},
                                                        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &info : candidates) {
        if (info.isSymLink() || info.ownerId() != ::getuid())
            continue;
        const QString lockPath = info.filePath() + QLatin1Char('/') + lockFileName();
        if (!QFileInfo::exists(lockPath))
            continue; // not one of ours, or still being made
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue; // its program is still running
        lock.unlock();
        if (QDir(info.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}
