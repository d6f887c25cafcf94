#include "print/PrintWindows.h"

#include "print/PreviewFolder.h"
#include "print/PrintHooks.h"
#include "print/SystemPrinter.h"
#include "print/clsMultiPgPreview.h"
#include "print/frmMultiPgPreview.h"
#include "print/frmPrinterSetUp.h"

#include <QApplication>

namespace {

QWidget *ownerWidget(QObject *owner)
{
    if (auto *widget = qobject_cast<QWidget *>(owner))
        return widget;
    return QApplication::activeWindow();
}

class WindowPrintPresenter final : public PrintPresenter
{
public:
    void showPrinterSetup(clsMultiPgPreview &recorder) override
    {
        frmPrinterSetUp setup(&recorder, QApplication::activeWindow());
        setup.exec();
    }

    void showPreview(clsMultiPgPreview &recorder, bool modal, QObject *owner) override
    {
        auto *preview = new frmMultiPgPreview(recorder.sharedDocument(), ownerWidget(owner));
        preview->setAttribute(Qt::WA_DeleteOnClose);
        preview->setWindowState(Qt::WindowMaximized);
        if (modal)
            preview->exec();
        else
            preview->show();
    }
};

} // namespace

void InstallPrintWindows()
{
    PreviewFolder::removeLeftovers();
    static SystemPrinterAccess printer;
    static WindowPrintPresenter presenter;
    SetPrinterAccess(&printer);
    SetPrintPresenter(&presenter);
}
