#include "timeclock/EmployeePictures.h"

#include "data/AppPaths.h"
#include "data/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace EmployeePictures {

QString Folder()
{
    const QString fallback = QDir(AppPaths::programFolder()).filePath(QStringLiteral("pictures"));
    QString folder = Settings::get(QStringLiteral("General"), QStringLiteral("PicturePath"), fallback).trimmed();
    if (folder.isEmpty())
        folder = fallback;
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

QString EmployeeFile(int employeeId)
{
    return AppPaths::findFileIgnoringCase(Folder(), QStringLiteral("employee%1.jpg").arg(employeeId));
}

QString PictureToShow(int employeeId)
{
    const QString own = EmployeeFile(employeeId);
    if (QFileInfo::exists(own))
        return own;
    return AppPaths::findFileIgnoringCase(Folder(), QStringLiteral("happy.jpg"));
}

} // namespace EmployeePictures
