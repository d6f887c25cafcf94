#include "print/PagePainter.h"

#include "print/PrintColor.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

// Hatched fills are drawn as lines this far apart, so they look the same on
// paper, in the PDF and on the preview page.
constexpr double kHatchSpacingInches = 0.05;

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};

} // namespace

PagePainter::PagePainter(QPainter &painter, double dotsPerInch) : m_painter(painter), m_dpi(dotsPerInch)
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

double PagePainter::penWidth(int drawWidth) const
{
    return std::max(1.0, std::max(1, drawWidth) / 600.0 * m_dpi);
}

QRectF PagePainter::toDevice(const QRectF &inches) const
{
    return QRectF(inches.topLeft() * m_dpi, inches.size() * m_dpi);
}

void PagePainter::drawPage(const RecordedPage &page)
{
    for (const PageOperation &operation : page.operations)
        draw(operation);
}

void PagePainter::draw(const PageOperation &operation)
{
    m_painter.save();
    std::visit(Overloaded{[this](const PageOp::Text &o) { drawText(o); },
                          [this](const PageOp::Line &o) { drawLine(o); }, [this](const PageOp::Box &o) { drawBox(o); },
                          [this](const PageOp::Ellipse &o) { drawEllipse(o); },
                          [this](const PageOp::Picture &o) { drawPicture(o); }},
               operation);
    m_painter.restore();
}

void PagePainter::drawText(const PageOp::Text &text)
{
    m_painter.translate(toDevice(text.position));
    if (text.degrees != 0)
        m_painter.rotate(-text.degrees);
    if (text.opaque) {
        m_painter.fillRect(QRectF(0, 0, text.width * m_dpi, text.height * m_dpi), PrintColor::toQColor(text.backColor));
    }
    m_painter.setFont(PrintFonts::toQFont(text.font));
    m_painter.setPen(PrintColor::toQColor(text.color));
    m_painter.drawText(QPointF(0, text.ascent * m_dpi), text.text);
}

void PagePainter::drawLine(const PageOp::Line &line)
{
    m_painter.setPen(
        QPen(PrintColor::toQColor(line.color), penWidth(line.drawWidth), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    m_painter.drawLine(toDevice(line.from), toDevice(line.to));
}

void PagePainter::prepareShape(int drawWidth, int lineColor, int fillColor, int fillStyle)
{
    m_painter.setPen(
        QPen(PrintColor::toQColor(lineColor), penWidth(drawWidth), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    if (fillStyle == 0)
        m_painter.setBrush(PrintColor::toQColor(fillColor));
    else
        m_painter.setBrush(Qt::NoBrush);
}

void PagePainter::drawBox(const PageOp::Box &box)
{
    const QRectF area = toDevice(box.rect.normalized());
    if (box.fillStyle >= 2 && box.fillStyle <= 7)
        hatch(area, box.fillStyle, box.fillColor);
    prepareShape(box.drawWidth, box.lineColor, box.fillColor, box.fillStyle);
    if (box.drawWidth <= 0)
        m_painter.setPen(Qt::NoPen);
    m_painter.drawRect(area);
}

void PagePainter::drawEllipse(const PageOp::Ellipse &ellipse)
{
    const QPointF center = toDevice(ellipse.center);
    const double rx = ellipse.radiusX * m_dpi;
    const double ry = ellipse.radiusY * m_dpi;
    if (ellipse.fillStyle >= 2 && ellipse.fillStyle <= 7) {
        QPainterPath clip;
        clip.addEllipse(center, rx, ry);
        m_painter.save();
        m_painter.setClipPath(clip);
        hatch(clip.boundingRect(), ellipse.fillStyle, ellipse.fillColor);
        m_painter.restore();
    }
    prepareShape(ellipse.drawWidth, ellipse.lineColor, ellipse.fillColor, ellipse.fillStyle);
    m_painter.drawEllipse(center, rx, ry);
}

// Fill styles 2 to 7: horizontal, vertical, upward diagonal, downward
// diagonal, cross, diagonal cross.
void PagePainter::hatch(const QRectF &area, int fillStyle, int color)
{
    m_painter.save();
    m_painter.setClipRect(area, Qt::IntersectClip);
    m_painter.setPen(QPen(PrintColor::toQColor(color), penWidth(1)));
    const double step = kHatchSpacingInches * m_dpi;
    const bool horizontal = fillStyle == 2 || fillStyle == 6;
    const bool vertical = fillStyle == 3 || fillStyle == 6;
    const bool upward = fillStyle == 4 || fillStyle == 7;
    const bool downward = fillStyle == 5 || fillStyle == 7;
    const double span = area.width() + area.height();
    for (double d = 0; d <= span; d += step) {
        if (horizontal && d <= area.height())
            m_painter.drawLine(QPointF(area.left(), area.top() + d), QPointF(area.right(), area.top() + d));
        if (vertical && d <= area.width())
            m_painter.drawLine(QPointF(area.left() + d, area.top()), QPointF(area.left() + d, area.bottom()));
        if (upward)
            m_painter.drawLine(QPointF(area.left() + d, area.top()),
                               QPointF(area.left() + d - span, area.top() + span));
        if (downward) {
            m_painter.drawLine(QPointF(area.right() - d, area.top()),
                               QPointF(area.right() - d + span, area.top() + span));
        }
    }
    m_painter.restore();
}

void PagePainter::drawPicture(const PageOp::Picture &picture)
{
    if (picture.image.isNull())
        return;
    m_painter.drawImage(toDevice(picture.rect), picture.image);
}
