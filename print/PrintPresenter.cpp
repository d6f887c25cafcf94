#include "print/PrintPresenter.h"

namespace {

PrintPresenter g_windowless;
PrintPresenter *g_presenter = nullptr;

} // namespace

PrintSetupChoice PrintPresenter::showPrinterSetup(int orientation)
{
    return PrintSetupChoice::preview(orientation);
}

PrintPresenter &Presenter()
{
    return g_presenter ? *g_presenter : g_windowless;
}

void SetPrintPresenter(PrintPresenter *presenter)
{
    g_presenter = presenter;
}
