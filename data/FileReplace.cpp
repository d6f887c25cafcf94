#include "data/FileReplace.h"

#include "data/AppPaths.h"
#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace FileReplace {

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The same file, whether or not it exists yet (a -wal file may not).
bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.exists() ? fa.canonicalFilePath() : fa.absoluteFilePath();
    const QString cb = fb.exists() ? fb.canonicalFilePath() : fb.absoluteFilePath();
    return ca == cb;
}

bool isSqliteDatabase(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3", 16);
}

// Writes the file's contents to the disk before it is renamed into place,
// so a power cut after the rename never leaves an empty file in its stead.
bool syncToDisk(const QString &file, QString *error)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(native(file), QString::fromLocal8Bit(std::strerror(errno)));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    return ::close(fd) == 0;
}

} // namespace

bool IsDatabaseInUse(const QString &file)
{
    const Database::ConnectionSettings s = Database::CurrentSettings();
    if (s.engine != Engine::SQLite)
        return false;
    const QString live = s.sqliteFile.isEmpty() ? AppPaths::defaultDatabaseFile() : s.sqliteFile;
    for (const char *suffix : {"", "-wal", "-shm", "-journal"}) {
        if (sameFile(file, live + QLatin1String(suffix)))
            return true;
    }
    return false;
}

bool CanReplace(const QString &target, QString *error, const QString &purpose)
{
    const QFileInfo info(target);
    QString why;
    if (IsDatabaseInUse(target))
        why = QStringLiteral("%1 is the database in use; choose another file%2.")
                  .arg(native(target), purpose.isEmpty() ? QString() : QStringLiteral(" for ") + purpose);
    else if (info.exists() && !info.isFile())
        why = QStringLiteral("%1 is not a regular file").arg(native(target));
    else if (!QFileInfo(info.absolutePath()).isDir())
        // A folder on a disk that is not plugged in must not be made on the
        // internal disk instead, where the file would be hidden later.
        why = QStringLiteral("%1 does not exist: is the disk plugged in?").arg(native(info.absolutePath()));
    if (why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}

bool CanReplaceWithDocument(const QString &target, QString *error, const QString &purpose)
{
    if (!CanReplace(target, error, purpose))
        return false;
    if (!isSqliteDatabase(target))
        return true;
    if (error)
        *error = QStringLiteral("%1 is a database; choose another file%2.")
                     .arg(native(target), purpose.isEmpty() ? QString() : QStringLiteral(" for ") + purpose);
    return false;
}

bool Replace(const QString &temporary, const QString &target, QString *error, QFileDevice::Permissions mode)
{
    if (!CanReplace(target, error)) {
        QFile::remove(temporary);
        return false;
    }
    const QFileInfo old(target);
    if (old.exists())
        mode &= old.permissions(); // never looser than the file it replaces
    // The "User" bits describe this process's access, not the file's mode.
    mode &= ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    if (!QFile::setPermissions(temporary, mode) || !syncToDisk(temporary, error)) {
        if (error && error->isEmpty())
            *error = QStringLiteral("%1: the file's permissions could not be set").arg(native(temporary));
        QFile::remove(temporary);
        return false;
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(native(target), QString::fromLocal8Bit(std::strerror(errno)));
    QFile::remove(temporary);
    return false;
}

} // namespace FileReplace
