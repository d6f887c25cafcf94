#pragma once

#include "print/PageSurface.h"

#include <QPainter>

class QPagedPaintDevice;

// A surface over a paged device (a printer, a PDF writer): the operations are
// painted as they come, page ejects are the device's new pages. The device
// is not owned.
class PagedDeviceSurface : public PageSurface
{
public:
    explicit PagedDeviceSurface(QPagedPaintDevice *device = nullptr);
    ~PagedDeviceSurface() override;

    bool begin(const QPageLayout &layout, const QString &title) override;
    void draw(const PageOperation &operation) override;
    bool newPage() override;
    bool end() override;
    void abort() override;
    QString errorString() const override { return m_error; }

protected:
    void setDevice(QPagedPaintDevice *device) { m_device = device; }
    void setError(const QString &error) { m_error = error; }
    bool isActive() const { return m_painter.isActive(); }
    // Called before painting starts, with the layout already set.
    virtual void prepareDevice(const QString &title) { }

    QPainter m_painter;

private:
    QPagedPaintDevice *m_device = nullptr;
    QString m_error;
};
