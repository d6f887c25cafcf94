#include "data/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace FileReplace {

bool CanReplace(const QString &target, QString *error)
{
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) {
        if (error)
            *error = QStringLiteral("%1 is not a regular file").arg(QDir::toNativeSeparators(target));
        return false;
    }
    return true;
}

bool Replace(const QString &temporary, const QString &target, QString *error)
{
    if (!CanReplace(target, error)) {
        QFile::remove(temporary);
        return false;
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), QString::fromLocal8Bit(std::strerror(errno)));
    QFile::remove(temporary);
    return false;
}

} // namespace FileReplace
