#pragma once

#include "print/PageOps.h"

class QPainter;

// Draws recorded operations with a painter whose device has the given
// resolution; inch (0, 0) is the painter's origin.
class PagePainter
{
public:
    PagePainter(QPainter &painter, double dotsPerInch);

    void draw(const PageOperation &operation);
    void drawPage(const RecordedPage &page);

    // Width in device pixels of a DrawWidth (1/600 inch, at least one pixel).
    double penWidth(int drawWidth) const;

private:
    void drawText(const PageOp::Text &text);
    void drawLine(const PageOp::Line &line);
    void drawBox(const PageOp::Box &box);
    void drawEllipse(const PageOp::Ellipse &ellipse);
    void drawPicture(const PageOp::Picture &picture);
    void hatch(const QRectF &area, int fillStyle, int color);
    void prepareShape(int drawWidth, int lineColor, int fillColor, int fillStyle);

    QPointF toDevice(const QPointF &inches) const { return inches * m_dpi; }
    QRectF toDevice(const QRectF &inches) const;

    QPainter &m_painter;
    double m_dpi;
};
