#include "print/SystemPrinter.h"

#include "print/PrinterSurface.h"

#include <QPrinter>
#include <QPrinterInfo>

QPrinter &CurrentPrinter()
{
    static QPrinter *printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

QStringList SystemPrinterAccess::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString SystemPrinterAccess::currentName() const
{
    return CurrentPrinter().printerName();
}

bool SystemPrinterAccess::selectPrinter(const QString &name)
{
    if (!printerNames().contains(name))
        return false;
    CurrentPrinter().setPrinterName(name);
    return CurrentPrinter().printerName() == name;
}

QString SystemPrinterAccess::driverName() const
{
    return QPrinterInfo::printerInfo(currentName()).makeAndModel();
}

QString SystemPrinterAccess::portName() const
{
    return QPrinterInfo::printerInfo(currentName()).location();
}

QPageLayout SystemPrinterAccess::pageLayout(int orientation) const
{
    if (!printerAvailable())
        return DefaultPageLayout(orientation);
    QPageLayout layout = CurrentPrinter().pageLayout();
    layout.setOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    return layout;
}

int SystemPrinterAccess::orientation() const
{
    return CurrentPrinter().pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

bool SystemPrinterAccess::setOrientation(int orientation)
{
    if (orientation != 1 && orientation != 2)
        return false;
    return CurrentPrinter().setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int SystemPrinterAccess::duplex() const
{
    switch (CurrentPrinter().duplex()) {
    case QPrinter::DuplexShortSide:
        return 3;
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        return 2;
    default:
        return 1;
    }
}

void SystemPrinterAccess::setDuplex(int duplex)
{
    CurrentPrinter().setDuplex(duplex == 3       ? QPrinter::DuplexShortSide
                                   : duplex == 2 ? QPrinter::DuplexLongSide
                                                 : QPrinter::DuplexNone);
}

int SystemPrinterAccess::colorMode() const
{
    return CurrentPrinter().colorMode() == QPrinter::GrayScale ? 1 : 2;
}

void SystemPrinterAccess::setColorMode(int mode)
{
    CurrentPrinter().setColorMode(mode == 1 ? QPrinter::GrayScale : QPrinter::Color);
}

// Print quality is the printer's resolution: draft 150, medium 300, high 600.
int SystemPrinterAccess::quality() const
{
    const int dpi = CurrentPrinter().resolution();
    return dpi <= 150 ? -1 : dpi >= 600 ? -4 : -3;
}

void SystemPrinterAccess::setQuality(int quality)
{
    CurrentPrinter().setResolution(quality == -1 ? 150 : quality == -4 ? 600 : 300);
}

int SystemPrinterAccess::copies() const
{
    return CurrentPrinter().copyCount();
}

void SystemPrinterAccess::setCopies(int copies)
{
    CurrentPrinter().setCopyCount(std::max(1, copies));
}

std::unique_ptr<PageSurface> SystemPrinterAccess::openJob(QString *error)
{
    if (!printerAvailable()) {
        if (error)
            *error = noPrinterMessage();
        return nullptr;
    }
    return std::make_unique<PrinterSurface>(CurrentPrinter());
}
