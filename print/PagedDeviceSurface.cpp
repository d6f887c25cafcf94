#include "print/PagedDeviceSurface.h"

#include "print/PagePainter.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>

PagedDeviceSurface::PagedDeviceSurface(QPagedPaintDevice *device) : m_device(device)
{ }

PagedDeviceSurface::~PagedDeviceSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PagedDeviceSurface::begin(const QPageLayout &layout, const QString &title)
{
    m_error.clear();
    if (!m_device) {
        m_error = QCoreApplication::translate("PagedDeviceSurface", "No output device.");
        return false;
    }
    m_device->setPageLayout(layout);
    prepareDevice(title);
    if (!m_painter.begin(m_device)) {
        if (m_error.isEmpty())
            m_error = QCoreApplication::translate("PagedDeviceSurface", "The output could not be started.");
        return false;
    }
    return true;
}

void PagedDeviceSurface::draw(const PageOperation &operation)
{
    if (!m_painter.isActive())
        return;
    PagePainter(m_painter, m_device->logicalDpiX()).draw(operation);
}

bool PagedDeviceSurface::newPage()
{
    if (!m_painter.isActive())
        return false;
    if (!m_device->newPage()) {
        m_error = QCoreApplication::translate("PagedDeviceSurface", "The next page could not be started.");
        return false;
    }
    return true;
}

bool PagedDeviceSurface::end()
{
    if (!m_painter.isActive())
        return false;
    if (!m_painter.end()) {
        m_error = QCoreApplication::translate("PagedDeviceSurface", "The output could not be finished.");
        return false;
    }
    return true;
}

void PagedDeviceSurface::abort()
{
    if (m_painter.isActive())
        m_painter.end();
}
