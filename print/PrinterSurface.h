#pragma once

#include "print/PagedDeviceSurface.h"

class QPrinter;

// A print job on a QPrinter. The job keeps the printer's own paper and
// margins and takes the document's orientation; abort cancels the job.
class PrinterSurface final : public PagedDeviceSurface
{
public:
    explicit PrinterSurface(QPrinter &printer);

    bool begin(const QPageLayout &layout, const QString &title) override;
    void abort() override;

private:
    QPrinter &m_printer;
};
