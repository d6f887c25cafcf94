#include "timeclock/ClockButtonIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ClockButtonIcons {

namespace {

constexpr int kIconSide = 64;

void paintFace(QPainter &p)
{
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4, 4, 44, 44));
    p.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(26, 26), QPointF(26, 12)); // minute hand
    p.drawLine(QPointF(26, 26), QPointF(35, 30)); // hour hand
}

void paintArrow(QPainter &p, const QColor &colour, bool pointingIn)
{
    // An arrow along the bottom right, into the clock or out of it.
    QPainterPath arrow;
    if (pointingIn) {
        arrow.moveTo(62, 46);
        arrow.lineTo(46, 46);
        arrow.lineTo(46, 38);
        arrow.lineTo(34, 52);
        arrow.lineTo(46, 64 - 2);
        arrow.lineTo(46, 56);
        arrow.lineTo(62, 56);
    } else {
        arrow.moveTo(34, 46);
        arrow.lineTo(50, 46);
        arrow.lineTo(50, 38);
        arrow.lineTo(62, 52);
        arrow.lineTo(50, 64 - 2);
        arrow.lineTo(50, 56);
        arrow.lineTo(34, 56);
    }
    arrow.closeSubpath();
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(colour);
    p.drawPath(arrow);
}

QIcon clockIcon(const QColor &colour, bool pointingIn)
{
    QPixmap pixmap(kIconSide, kIconSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paintFace(p);
    paintArrow(p, colour, pointingIn);
    p.end();
    return QIcon(pixmap);
}

} // namespace

QIcon ClockIn()
{
    return clockIcon(QColor(30, 160, 60), true);
}

QIcon ClockOut()
{
    return clockIcon(QColor(210, 40, 40), false);
}

} // namespace ClockButtonIcons
