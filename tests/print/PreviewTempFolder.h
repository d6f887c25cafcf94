#pragma once

#include "print/PreviewFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QSysInfo>
#include <QTemporaryDir>

// The system's temporary folder made private to one test while this lives
// (the preview's files are looked for in it, and other programs' files
// never are), with the page folders an earlier release left in it.
class PreviewTempFolder
{
public:
    PreviewTempFolder() : m_saved(qgetenv("TMPDIR")) { qputenv("TMPDIR", m_dir.path().toLocal8Bit()); }
    ~PreviewTempFolder()
    {
        if (m_saved.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_saved);
    }
    PreviewTempFolder(const PreviewTempFolder &) = delete;
    PreviewTempFolder &operator=(const PreviewTempFolder &) = delete;

    QString path() const { return m_dir.path(); }

    // Every "PPview" file in it or below it, as paths relative to it.
    QStringList pageFiles() const
    {
        QStringList found;
        QDirIterator it(m_dir.path(), {QStringLiteral("PPview*")}, QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(m_dir.path()).relativeFilePath(it.next());
        found.sort();
        return found;
    }

    // A page folder as a run that ended without removing it leaves it: the
    // lock of a process that is gone, and its pages' bitmaps. Returns its
    // path.
    QString addLeftover(const QString &name) const
    {
        const QString folder = m_dir.filePath(PreviewFolder::namePrefix() + name);
        QDir().mkpath(folder);
        const qint64 pid = deadPid();
        QFile lock(folder + QLatin1Char('/') + PreviewFolder::lockFileName());
        lock.open(QIODevice::WriteOnly);
        lock.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n'
                   + QSysInfo::machineHostName().toUtf8() + '\n');
        lock.close();
        for (const QString &page : {QStringLiteral("PPview0.bmp"), QStringLiteral("PPview1.bmp")}) {
            QFile file(folder + QLatin1Char('/') + page);
            file.open(QIODevice::WriteOnly);
            file.write("old page");
        }
        return folder;
    }

private:
    // A process id that was used and is free again.
    static qint64 deadPid()
    {
        QProcess p;
        p.start(QStringLiteral("/bin/true"), {});
        p.waitForStarted();
        const qint64 pid = p.processId();
        p.waitForFinished();
        return pid;
    }

    QTemporaryDir m_dir;
    QByteArray m_saved;
};
