#include "print/PreviewFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <mutex>
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

PreviewFolder::PreviewFolder()
{
    static std::once_flag cleaned;
    std::call_once(cleaned, [] { removeLeftovers(); });

    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/') + namePrefix()
                                            + QStringLiteral("XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QCoreApplication::translate("PreviewFolder", "The preview folder could not be made: %1")
                      .arg(m_dir->errorString());
        m_dir.reset();
        return;
    }
    m_lock = std::make_unique<QLockFile>(m_dir->filePath(lockFileName()));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_error = QCoreApplication::translate("PreviewFolder", "The preview folder could not be locked.");
        m_lock.reset();
        m_dir.reset();
    }
}

PreviewFolder::~PreviewFolder()
{
    remove();
}

bool PreviewFolder::isValid() const
{
    return m_dir != nullptr;
}

QString PreviewFolder::path() const
{
    return m_dir ? m_dir->path() : QString();
}

void PreviewFolder::remove()
{
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
    if (m_dir)
        m_dir->remove();
    m_dir.reset();
}
