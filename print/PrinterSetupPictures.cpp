#include "print/PrinterSetupPictures.h"

#include <QPainter>

namespace {

constexpr int kSize = 48;

QPixmap canvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A sheet with a few text lines, upright or on its side.
void sheet(QPainter &p, QRectF area, bool landscape)
{
    if (landscape)
        area = QRectF(area.center().x() - area.height() / 2, area.center().y() - area.width() / 2, area.height(),
                      area.width());
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(area);
    p.setPen(QPen(Qt::darkGray, 1));
    for (double y = area.top() + 5; y < area.bottom() - 3; y += 4)
        p.drawLine(QPointF(area.left() + 4, y), QPointF(area.right() - 4, y));
}

} // namespace

namespace PrinterSetupPictures {

QPixmap orientation(bool landscape)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    sheet(p, QRectF(12, 6, 24, 34), landscape);
    return pixmap;
}

QPixmap duplex(int option, bool landscape)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    if (option == 0) {
        sheet(p, QRectF(12, 6, 24, 34), landscape);
        return pixmap;
    }
    sheet(p, QRectF(4, 8, 20, 28), landscape);
    sheet(p, QRectF(24, 8, 20, 28), landscape);
    p.setPen(QPen(Qt::blue, 2));
    const bool sideBinding = (option == 2) != landscape;
    if (sideBinding)
        p.drawLine(QPointF(24, 6), QPointF(24, 42));
    else
        p.drawLine(QPointF(4, 6), QPointF(44, 6));
    return pixmap;
}

QPixmap quality(int option)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const int step = option == 0 ? 8 : option == 1 ? 5 : 3;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int y = 8; y < 40; y += step) {
        for (int x = 8; x < 40; x += step)
            p.drawEllipse(QPointF(x, y), step / 3.0, step / 3.0);
    }
    return pixmap;
}

QPixmap copies()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    sheet(p, QRectF(16, 4, 22, 30), false);
    sheet(p, QRectF(12, 9, 22, 30), false);
    sheet(p, QRectF(8, 14, 22, 30), false);
    return pixmap;
}

} // namespace PrinterSetupPictures
