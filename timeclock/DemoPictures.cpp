#include "timeclock/DemoPictures.h"

#include "data/AppPaths.h"
#include "timeclock/CaptureFrame.h"
#include "timeclock/EmployeePictures.h"
#include "timeclock/EmployeeStore.h"
#include "timeclock/JpegFile.h"
#include "timeclock/cDIBSection.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <iterator>

namespace DemoPictures {

namespace {

const QColor kBackdrops[] = {QColor(120, 160, 200), QColor(150, 190, 140), QColor(210, 170, 120),
                             QColor(180, 140, 190), QColor(120, 180, 180), QColor(200, 140, 140)};
const QColor kSkins[] = {QColor(241, 204, 170), QColor(198, 150, 110), QColor(141, 98, 66), QColor(224, 180, 140)};
const QColor kHair[] = {QColor(60, 40, 30), QColor(20, 20, 20), QColor(150, 100, 50), QColor(200, 170, 90),
                        QColor(120, 60, 30)};
const QColor kShirts[] = {QColor(40, 70, 140), QColor(160, 40, 40), QColor(50, 110, 60), QColor(90, 90, 90),
                          QColor(200, 120, 30)};

template <typename T, size_t N> const T &pick(const T (&list)[N], int seed, int salt)
{
    return list[size_t(qAbs(seed * 7 + salt * 3)) % N];
}

void paintBackdrop(QPainter &p, const QColor &colour)
{
    QLinearGradient g(0, 0, 0, 240);
    g.setColorAt(0, colour.lighter(130));
    g.setColorAt(1, colour.darker(120));
    p.fillRect(QRect(0, 0, 320, 240), g);
}

void paintFace(QPainter &p, const QColor &skin)
{
    p.setPen(Qt::NoPen);
    p.setBrush(skin.darker(110));
    p.drawRect(QRect(145, 140, 30, 40)); // neck
    p.setBrush(skin);
    p.drawEllipse(QRect(115, 50, 90, 110));
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QRect(137, 95, 10, 8));
    p.drawEllipse(QRect(173, 95, 10, 8));
    p.setPen(QPen(QColor(120, 50, 50), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(140, 112, 40, 24), 200 * 16, 140 * 16); // smile
}

bool save(const QImage &image, const QString &file, QString *error)
{
    cDIBSection dib;
    QString why;
    if (dib.CreateFromPicture(image) && JpegFile::SaveJPG(dib, file, 90, &why))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(file, why);
    return false;
}

} // namespace

QImage Portrait(int seed)
{
    QImage image(CaptureFrame::kPictureSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackdrop(p, pick(kBackdrops, seed, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(pick(kShirts, seed, 1));
    p.drawEllipse(QRect(70, 170, 180, 150)); // shoulders
    const QColor hair = pick(kHair, seed, 2);
    p.setBrush(hair);
    p.drawEllipse(QRect(108, 38, 104, 80));
    if (seed % 2 == 0)
        p.drawRect(QRect(108, 78, 16, 60)); // longer hair at the sides
    if (seed % 2 == 0)
        p.drawRect(QRect(196, 78, 16, 60));
    paintFace(p, pick(kSkins, seed, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    QPainterPath fringe;
    fringe.moveTo(118, 90);
    fringe.cubicTo(125, 45, 195, 45, 202, 90);
    fringe.cubicTo(185, 70, 140, 70, 118, 90);
    p.drawPath(fringe);
    return image;
}

QImage Happy()
{
    QImage image(CaptureFrame::kPictureSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackdrop(p, QColor(200, 200, 200));
    p.setPen(QPen(QColor(120, 90, 0), 4));
    p.setBrush(QColor(255, 215, 40));
    p.drawEllipse(QRect(90, 30, 140, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 0));
    p.drawEllipse(QRect(128, 70, 16, 24));
    p.drawEllipse(QRect(176, 70, 16, 24));
    p.setPen(QPen(QColor(40, 30, 0), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(118, 80, 84, 64), 200 * 16, 140 * 16);
    return image;
}

bool EnsureFiles(QString *error)
{
    const QString happy = AppPaths::findFileIgnoringCase(EmployeePictures::Folder(), QStringLiteral("happy.jpg"));
    if (!QFileInfo::exists(happy) && !save(Happy(), happy, error))
        return false;
    const std::optional<Recordset> employees = EmployeeStore::List();
    if (!employees) {
        if (error)
            *error = QStringLiteral("the employees could not be read");
        return false;
    }
    for (int r = 0; r < employees->rowCount(); ++r) {
        const int id = employees->value(r, QStringLiteral("id")).toInt();
        const QString file = EmployeePictures::EmployeeFile(id);
        if (!QFileInfo::exists(file) && !save(Portrait(id), file, error))
            return false;
    }
    return true;
}

} // namespace DemoPictures
