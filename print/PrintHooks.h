#pragma once

#include "print/PageSurface.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <memory>

class clsMultiPgPreview;
class QObject;

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

// The windows around a report: printer setup before it, the preview after.
// This base runs without windows: setup chooses the preview, and the preview
// shows nothing, so the finished document stays on the recorder for
// writePdf.
class PrintPresenter
{
public:
    virtual ~PrintPresenter() = default;

    // Sets SendToPrinter and Orientation on the recorder and
    // PrintSetupCancelled (false unless the user cancelled).
    virtual void showPrinterSetup(clsMultiPgPreview &recorder);
    // The finished document of a recorder in preview mode.
    virtual void showPreview(clsMultiPgPreview &recorder, bool modal, QObject *owner) {}
};

// Writes every previewed document to one PDF file instead of showing it (for
// runs from the command line).
class PdfPreviewPresenter final : public PrintPresenter
{
public:
    explicit PdfPreviewPresenter(QString path);
    void showPreview(clsMultiPgPreview &recorder, bool modal, QObject *owner) override;
    QString lastError() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};

// The printer and presenter in use (never null), and their installers
// (not owned; nullptr restores the windowless defaults).
PrinterAccess &Printer();
void SetPrinterAccess(PrinterAccess *printer);
PrintPresenter &Presenter();
void SetPrintPresenter(PrintPresenter *presenter);

// The start of every report run: PrintSetupCancelled is set, the printer
// setup is shown for the recorder, and the answer is whether to go on.
bool RunPrinterSetup(clsMultiPgPreview &recorder);
