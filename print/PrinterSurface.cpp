#include "print/PrinterSurface.h"

#include <QPrinter>

PrinterSurface::PrinterSurface(QPrinter &printer) : PagedDeviceSurface(&printer), m_printer(printer)
{ }

bool PrinterSurface::begin(const QPageLayout &layout, const QString &title)
{
    m_printer.setDocName(title.isEmpty() ? QStringLiteral("Tessaly") : title);
    QPageLayout own = m_printer.pageLayout();
    own.setOrientation(layout.orientation());
    return PagedDeviceSurface::begin(own, title);
}

void PrinterSurface::abort()
{
    if (isActive())
        m_printer.abort();
    PagedDeviceSurface::abort();
}
