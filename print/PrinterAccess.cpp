#include "print/PrinterAccess.h"

#include <QCoreApplication>

namespace {

PrinterAccess g_noPrinter;
PrinterAccess *g_printer = nullptr;

} // namespace

QPageLayout PrinterAccess::pageLayout(int orientation) const
{
    return DefaultPageLayout(orientation);
}

bool PrinterAccess::setOrientation(int orientation)
{
    if (orientation != 1 && orientation != 2)
        return false;
    m_orientation = orientation;
    return true;
}

std::unique_ptr<PageSurface> PrinterAccess::openJob(QString *error)
{
    if (error)
        *error = noPrinterMessage();
    return nullptr;
}

QString PrinterAccess::noPrinterMessage()
{
    return QCoreApplication::translate("PrinterAccess",
                                       "No printer is available. Install a printer, or choose Preview to see "
                                       "the document and save it as a PDF.");
}

PrinterAccess &Printer()
{
    return g_printer ? *g_printer : g_noPrinter;
}

void SetPrinterAccess(PrinterAccess *printer)
{
    g_printer = printer;
}
