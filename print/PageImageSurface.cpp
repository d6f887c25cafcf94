#include "print/PageImageSurface.h"

#include "print/PagePainter.h"

#include <cmath>

PageImageSurface::PageImageSurface(int dotsPerInch, PageDone pageDone)
    : m_dpi(dotsPerInch)
    , m_pageDone(std::move(pageDone))
{ }

PageImageSurface::~PageImageSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

QImage PageImageSurface::blankPage(const QPageLayout &layout, int dotsPerInch)
{
    const QRectF area = layout.paintRect(QPageLayout::Inch);
    QImage image(std::max(1, int(std::lround(area.width() * dotsPerInch))),
                 std::max(1, int(std::lround(area.height() * dotsPerInch))), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

bool PageImageSurface::begin(const QPageLayout &layout, const QString &)
{
    m_layout = layout;
    m_index = 0;
    m_error.clear();
    startPage();
    return true;
}

void PageImageSurface::startPage()
{
    m_image = blankPage(m_layout, m_dpi);
    m_painter.begin(&m_image);
}

bool PageImageSurface::finishPage()
{
    m_painter.end();
    const bool ok = !m_pageDone || m_pageDone(m_index, m_image, &m_error);
    m_image = QImage();
    ++m_index;
    return ok;
}

void PageImageSurface::draw(const PageOperation &operation)
{
    if (m_painter.isActive())
        PagePainter(m_painter, m_dpi).draw(operation);
}

bool PageImageSurface::newPage()
{
    if (!finishPage())
        return false;
    startPage();
    return true;
}

bool PageImageSurface::end()
{
    return m_painter.isActive() && finishPage();
}

void PageImageSurface::abort()
{
    if (m_painter.isActive())
        m_painter.end();
    m_image = QImage();
}

QImage RenderPageImage(const RecordedDocument &document, int index, int dotsPerInch)
{
    if (index < 0 || index >= document.pages.size())
        return QImage();
    QImage result;
    PageImageSurface surface(dotsPerInch, [&result](int, const QImage &image, QString *) {
        result = image;
        return true;
    });
    ReplayPages(document, {index}, surface);
    return result;
}
