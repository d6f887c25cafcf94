#include "reports/DemoLetterhead.h"

#include "data/AppPaths.h"
#include "data/ReceiptNotice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

namespace DemoLetterhead {

namespace {

const QColor kNavy(24, 54, 102);
const QColor kRed(200, 32, 40);

void drawEmblem(QPainter &p, const QRectF &box)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawEllipse(box);
    // A lightning bolt: sound, sparks and power.
    const double x = box.left(), y = box.top(), w = box.width(), h = box.height();
    QPainterPath bolt;
    bolt.moveTo(x + 0.58 * w, y + 0.12 * h);
    bolt.lineTo(x + 0.30 * w, y + 0.56 * h);
    bolt.lineTo(x + 0.49 * w, y + 0.56 * h);
    bolt.lineTo(x + 0.40 * w, y + 0.88 * h);
    bolt.lineTo(x + 0.72 * w, y + 0.42 * h);
    bolt.lineTo(x + 0.53 * w, y + 0.42 * h);
    bolt.closeSubpath();
    p.setBrush(QColor(255, 204, 0));
    p.drawPath(bolt);
}

bool writeLogo(const QString &path, QString *error)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (error)
            *error = QStringLiteral("the logo can only be drawn by the program with its windows");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !drawLogo().save(&file, "JPG", 92) || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QImage drawLogo()
{
    QImage image(1200, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawEmblem(p, QRectF(12, 22, 256, 256));

    QFont name(QStringLiteral("Arial"));
    name.setPixelSize(150);
    name.setBold(true);
    name.setItalic(true);
    p.setFont(name);
    p.setPen(kNavy);
    p.drawText(QRectF(300, 0, 900, 190), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("TESSALY"));

    p.fillRect(QRectF(306, 200, 860, 10), kRed);
    QFont line(QStringLiteral("Arial"));
    line.setPixelSize(52);
    line.setBold(true);
    p.setFont(line);
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRectF(306, 214, 894, 80), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("MOBILE AUDIO \u2022 REMOTE START"));
    p.end();
    return image;
}

QStringList lines()
{
    return {QStringLiteral("4410 Burnet Road"), QStringLiteral("Austin, TX 78756"), QStringLiteral("(512) 555-0140")};
}

QString noticeText()
{
    return QStringLiteral(
        "Thank you for your business!\n"
        "Equipment carries the maker's warranty; our installation labor is warranted for one year.\n"
        "Unopened equipment may be returned within 30 days with this invoice. Special orders are not returnable.");
}

bool ensureFiles(QString *error)
{
    const QString logo = AppPaths::programFile(QStringLiteral("logo.jpg"));
    if (!QFileInfo::exists(logo) && !writeLogo(logo, error))
        return false;
    if (!QFileInfo::exists(ReceiptNotice::filePath()))
        return ReceiptNotice::save(noticeText(), error);
    return true;
}

} // namespace DemoLetterhead
