// The bar code printed as a label through the page recorder.
#include "catalog/modBarCode.h"

#include "data/UserPrompts.h"
#include "print/PrintColor.h"
#include "print/PrintState.h"
#include "print/clsMultiPgPreview.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace modBarCode {

namespace {

constexpr double kLeft = 0.5;
constexpr double kBarTop = 1.0;
constexpr double kBarHeight = 0.5;

// The hourglass while the label is drawn (only where there is a screen).
class WaitPointer
{
public:
    WaitPointer()
        : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        QCoreApplication::processEvents();
    }
    ~WaitPointer() { restore(); }
    void restore()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
        m_shown = false;
    }

private:
    bool m_shown;
};

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
    WaitPointer wait;
    clsMultiPgPreview recorder;
    SetCurrentReportRecorder(&recorder);
    recorder.setSendToPrinter(false);
    recorder.setOrientation(1);
    recorder.setReportTitle(QStringLiteral("Barcode Label"));
    recorder.pStartDoc();
    const int modulesThatFit = int((recorder.GetPaperWidth() - kLeft) / ModuleInches + 1e-9);
    if (const std::optional<Refusal> refusal = CheckCode(code, modulesThatFit)) {
        recorder.abortDoc();
        SetCurrentReportRecorder(nullptr);
        wait.restore();
        Prompts().message(refusal->text, refusal->title);
        return false;
    }
    DrawBarcodeLabel(recorder, code, caption);
    // The preview is modal: the ordinary pointer comes back before it shows.
    wait.restore();
    recorder.pEndDoc();
    // The recorder stops being the current one as it goes.
    return true;
}

} // namespace modBarCode
