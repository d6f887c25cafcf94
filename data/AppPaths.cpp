#include "data/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {

QString programFolderName()
{
    QString folder = qEnvironmentVariable("TESSALY_DATA_DIR");
    if (folder.isEmpty()) {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        folder = base + QStringLiteral("/Tessaly/Tessaly");
    }
    // A relative TESSALY_DATA_DIR is taken from where the program started,
    // once, so every message names the same whole path.
    return QDir::cleanPath(QDir(folder).absolutePath());
}

QString programFolder()
{
    const QString folder = programFolderName();
    QDir().mkpath(folder);
    return folder;
}

QString findFileIgnoringCase(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

QString programFile(const QString &name)
{
    return findFileIgnoringCase(programFolder(), name);
}

QString defaultDatabaseFile()
{
    return QDir(programFolder()).filePath(QStringLiteral("tessaly.db"));
}

} // namespace AppPaths
