#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Where employee pictures live: the folder of the setting "PicturePath"
// (section "General"), by default a "pictures" folder of the program's data
// folder, created when missing. Names are found without regard to case.
namespace EmployeePictures {

QString Folder();
// The employee's own picture ("employee" & id & ".jpg"): the existing file
// under whatever case it has, else the path it would have.
QString EmployeeFile(int employeeId);
// The picture to show: the employee's own when it exists, else "happy.jpg"
// (which may not exist either).
QString PictureToShow(int employeeId);

// A picture file read afresh (never from a cache: a re-taken picture keeps
// the old file's times), scaled down to fit within `bound` with its shape
// kept. Null when the file is missing or not a picture.
QImage Load(const QString &file, const QSize &bound);

} // namespace EmployeePictures
