// The bar code printed as a label through the page recorder.
#include "catalog/modBarCode.h"

#include "data/UserPrompts.h"
#include "print/PrintColor.h"
#include "print/PrinterAccess.h"
#include "print/clsMultiPgPreview.h"
#include "reports/ReportRun.h"

namespace modBarCode {

namespace {

constexpr double kLeft = 0.5;
constexpr double kBarTop = 1.0;
constexpr double kBarHeight = 0.5;

} // namespace

void DrawBarcodeLabel(clsMultiPgPreview &recorder, const QString &completedCode, const QString &caption)
{
    // Each bar is one solid rectangle without an outline: an outline of one
    // device pixel would widen every bar by a pixel, and at 203 or 300 dpi
    // that is a third of a module, enough for a reader to misjudge the
    // wide and narrow elements.
    recorder.setCurrentX(0);
    recorder.setCurrentY(kBarTop);
    const std::vector<bool> modules = Modules(completedCode);
    for (size_t i = 0; i < modules.size();) {
        size_t end = i;
        while (end < modules.size() && modules[end])
            ++end;
        if (end > i)
            recorder.pFillBox(kLeft + double(i) * ModuleInches, kBarTop, double(end - i) * ModuleInches, kBarHeight,
                              PrintColor::Black);
        i = std::max(end, i + 1);
    }
    recorder.setCurrentY(kBarTop + kBarHeight + 0.05);
    recorder.setCurrentX(kLeft);
    recorder.setFontSize(8);
    recorder.pPrint(CodeText(completedCode) + QStringLiteral(" - ") + caption, kLeft, false);
}

bool PrintBarcodeLabel(QString &code, const QString &caption)
{
    code = CompleteCode(code);
    // The page the label's document gets, upright, decides what fits.
    const double paperWidth = Printer().pageLayout(1).paintRect(QPageLayout::Inch).width();
    const int modulesThatFit = int((paperWidth - kLeft) / ModuleInches + 1e-9);
    if (const std::optional<Refusal> refusal = CheckCode(code, modulesThatFit)) {
        Prompts().message(refusal->text, refusal->title);
        return false;
    }
    ReportJob job;
    job.label = QStringLiteral("PrintBarcodeLabel: ");
    job.orientation = 1;
    job.draw = [&code, &caption](clsMultiPgPreview &recorder) {
        recorder.setReportTitle(QStringLiteral("Barcode Label"));
        DrawBarcodeLabel(recorder, code, caption);
    };
    return RunReport(job, ReportOutput::preview()).done();
}

} // namespace modBarCode
