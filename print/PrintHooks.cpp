#include "print/PrintHooks.h"

#include "data/UserPrompts.h"
#include "print/PrintState.h"
#include "print/clsMultiPgPreview.h"

#include <QCoreApplication>

namespace {

PrinterAccess g_noPrinter;
PrintPresenter g_windowless;
PrinterAccess *g_printer = nullptr;
PrintPresenter *g_presenter = nullptr;

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

void PrintPresenter::showPrinterSetup(clsMultiPgPreview &recorder)
{
    recorder.setSendToPrinter(false);
    SetPrintSetupCancelled(false);
}

PdfPreviewPresenter::PdfPreviewPresenter(QString path)
    : m_path(std::move(path))
{
}

void PdfPreviewPresenter::showPreview(clsMultiPgPreview &recorder, bool, QObject *)
{
    m_error.clear();
    if (!recorder.writePdf(m_path, &m_error))
        ReportError(m_error);
}

PrinterAccess &Printer()
{
    return g_printer ? *g_printer : g_noPrinter;
}

void SetPrinterAccess(PrinterAccess *printer)
{
    g_printer = printer;
}

PrintPresenter &Presenter()
{
    return g_presenter ? *g_presenter : g_windowless;
}

void SetPrintPresenter(PrintPresenter *presenter)
{
    g_presenter = presenter;
}

bool RunPrinterSetup(clsMultiPgPreview &recorder)
{
    SetPrintSetupCancelled(true);
    Presenter().showPrinterSetup(recorder);
    return !PrintSetupCancelled();
}
