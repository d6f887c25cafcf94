#include "print/PrintWindows.h"

#include "print/PreviewFolder.h"
#include "print/PrintPresenter.h"
#include "print/SystemPrinter.h"
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
    PrintSetupChoice showPrinterSetup(int orientation) override
    {
        frmPrinterSetUp setup(orientation, QApplication::activeWindow());
        setup.exec();
        return setup.choice();
    }

    void showPreview(std::shared_ptr<const RecordedDocument> document, bool modal, QObject *owner) override
    {
        auto *preview = new frmMultiPgPreview(std::move(document), ownerWidget(owner));
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
