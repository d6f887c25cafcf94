#include "print/clsPrintDialog.h"

#include "data/Settings.h"
#include "print/SystemPrinter.h"

#include <QPrintDialog>
#include <QPrinter>

std::function<int(QPrintDialog &)> clsPrintDialog::execDialog = [](QPrintDialog &dialog) { return dialog.exec(); };

namespace {

int pageValue(int page)
{
    return page < 1 ? 0 : page;
}

} // namespace

clsPrintDialog::clsPrintDialog() = default;

clsPrintDialog::~clsPrintDialog()
{
    const QString name = CurrentPrinter().printerName();
    if (!name.isEmpty())
        Settings::save(QStringLiteral("Options"), QStringLiteral("Printer"), name);
}

void clsPrintDialog::setMinPage(int page)
{
    m_minPage = pageValue(page);
    m_fromPage = std::max(m_fromPage, m_minPage);
    m_toPage = std::max(m_toPage, m_minPage);
    m_maxPage = std::max(m_maxPage, m_minPage);
}

void clsPrintDialog::setFromPage(int page)
{
    m_fromPage = pageValue(page);
    m_toPage = std::max(m_toPage, m_fromPage);
    m_maxPage = std::max(m_maxPage, m_fromPage);
    m_minPage = std::min(m_minPage, m_fromPage);
}

void clsPrintDialog::setToPage(int page)
{
    m_toPage = pageValue(page);
    m_maxPage = std::max(m_maxPage, m_toPage);
    m_fromPage = std::min(m_fromPage, m_toPage);
    m_minPage = std::min(m_minPage, m_toPage);
}

void clsPrintDialog::setMaxPage(int page)
{
    m_maxPage = pageValue(page);
    m_toPage = std::min(m_toPage, m_maxPage);
    m_fromPage = std::min(m_fromPage, m_maxPage);
    m_minPage = std::min(m_minPage, m_maxPage);
}

bool clsPrintDialog::ShowPrinter(int flags)
{
    if (!m_allowPrintToFile)
        flags |= HidePrintToFileFlag;
    QPrinter &printer = CurrentPrinter();
    QPrintDialog dialog(&printer, m_owner);
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintToFile, !(flags & HidePrintToFileFlag));
    options.setFlag(QAbstractPrintDialog::PrintPageRange, !(flags & PrintSetupFlag));
    dialog.setOptions(options);
    if (m_maxPage > 0) {
        dialog.setMinMax(std::max(1, m_minPage), m_maxPage);
        if (m_fromPage > 0)
            dialog.setFromTo(m_fromPage, std::max(m_fromPage, m_toPage));
    }
    const int oldCopies = printer.copyCount();
    const QPageLayout::Orientation oldOrientation = printer.pageLayout().orientation();
    printer.setCopyCount(std::max(1, m_copies));
    if (execDialog(dialog) != QDialog::Accepted) {
        printer.setCopyCount(oldCopies);
        return true;
    }
    m_fromPage = dialog.fromPage();
    m_toPage = dialog.toPage();
    printer.setCopyCount(std::min(printer.copyCount(), std::max(1, m_maxCopies)));
    if (!m_allowOrientation)
        printer.setPageOrientation(oldOrientation);
    return false;
}
