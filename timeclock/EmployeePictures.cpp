#include "timeclock/EmployeePictures.h"

#include "data/AppPaths.h"
#include "data/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

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

QImage Load(const QString &file, const QSize &bound)
{
    QImageReader reader(file);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > bound.width() || size.height() > bound.height()))
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > bound.width() || image.height() > bound.height()))
        image = image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace EmployeePictures
