#pragma once

#include "print/PrinterAccess.h"

class QPrinter;

// The one printer of the program run: its settings (printer, orientation,
// duplex, colour, quality, copies) last until the program ends.
QPrinter &CurrentPrinter();

// The system's printers (CUPS, through Qt) as the recorder, the preview and
// the printer setup reach them. With no printer installed the pages are
// Letter with quarter-inch margins and there is no print job.
class SystemPrinterAccess final : public PrinterAccess
{
public:
    QStringList printerNames() const override;
    QString currentName() const override;
    bool selectPrinter(const QString &name) override;
    QString driverName() const override;
    QString portName() const override;

    QPageLayout pageLayout(int orientation) const override;

    int orientation() const override;
    bool setOrientation(int orientation) override;
    int duplex() const override;
    void setDuplex(int duplex) override;
    int colorMode() const override;
    void setColorMode(int mode) override;
    int quality() const override;
    void setQuality(int quality) override;
    int copies() const override;
    void setCopies(int copies) override;

    std::unique_ptr<PageSurface> openJob(QString *error) override;
};
