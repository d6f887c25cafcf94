#pragma once

#include "print/PageSurface.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <memory>

// The printer as the recorder, the preview and the printer setup reach it.
// This base is a machine without a printer: no names, Letter pages with
// quarter-inch margins, settings kept for the program run, and no print job.
// The window library installs the system's printer (InstallPrintWindows);
// tests install their own.
class PrinterAccess
{
public:
    virtual ~PrinterAccess() = default;

    virtual QStringList printerNames() const { return {}; }
    bool printerAvailable() const { return !printerNames().isEmpty(); }
    virtual QString currentName() const { return QString(); }
    // Makes the named printer the current one; false when it isn't there.
    virtual bool selectPrinter(const QString &name) { return false; }
    virtual QString driverName() const { return QString(); }
    virtual QString portName() const { return QString(); }

    // The current printer's page in an orientation (1 upright, 2 landscape).
    virtual QPageLayout pageLayout(int orientation) const;

    // 1 upright, 2 landscape; false when the printer refuses.
    virtual int orientation() const { return m_orientation; }
    virtual bool setOrientation(int orientation);
    // 1 one-sided, 2 two-sided bound on the long edge, 3 on the short edge.
    virtual int duplex() const { return m_duplex; }
    virtual void setDuplex(int duplex) { m_duplex = duplex; }
    // 1 monochrome, 2 colour.
    virtual int colorMode() const { return m_colorMode; }
    virtual void setColorMode(int mode) { m_colorMode = mode; }
    // -1 draft, -3 medium, -4 high.
    virtual int quality() const { return m_quality; }
    virtual void setQuality(int quality) { m_quality = quality; }
    virtual int copies() const { return m_copies; }
    virtual void setCopies(int copies) { m_copies = copies; }

    // A new print job on the current printer, not begun yet; nullptr with
    // the reason in *error when there is no printer.
    virtual std::unique_ptr<PageSurface> openJob(QString *error);

    static QString noPrinterMessage();

private:
    int m_orientation = 1;
    int m_duplex = 1;
    int m_colorMode = 2;
    int m_quality = -3;
    int m_copies = 1;
};

// The printer in use (never null). There is one for the whole program run,
// because what the printer setup chooses on it (the printer, duplex,
// quality) stays for the next document. The installer does not take
// ownership; nullptr puts back the machine without a printer.
PrinterAccess &Printer();
void SetPrinterAccess(PrinterAccess *printer);
