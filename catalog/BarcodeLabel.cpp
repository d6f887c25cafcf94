// The bar code printed as a label through the page recorder.
#include "catalog/modBarCode.h"

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
    // Each dark module is a solid rectangle of its own width with only a
    // hairline edge in the same black, so wide bars print solid and the
    // narrow spaces between bars stay open on paper and on screen.
    recorder.setDrawWidth(1);
    recorder.setCurrentX(0);
    recorder.setCurrentY(kBarTop);
    double x = kLeft;
    for (const bool dark : Modules(completedCode)) {
        if (dark)
            recorder.pBox(x, kBarTop, ModuleInches, kBarHeight, PrintColor::Black, PrintColor::Black, 0);
        x += ModuleInches;
    }
    recorder.setCurrentY(kBarTop + kBarHeight + 0.05);
    recorder.setCurrentX(kLeft);
    recorder.setFontSize(8);
    recorder.pPrint(CodeText(completedCode) + QStringLiteral(" - ") + caption, kLeft, false);
}

void PrintBarcodeLabel(QString &code, const QString &caption)
{
    code = CompleteCode(code);
    WaitPointer wait;
    clsMultiPgPreview recorder;
    SetCurrentReportRecorder(&recorder);
    recorder.setSendToPrinter(false);
    recorder.setOrientation(1);
    recorder.setReportTitle(QStringLiteral("Barcode Label"));
    recorder.pStartDoc();
    DrawBarcodeLabel(recorder, code, caption);
    // The preview is modal: the ordinary pointer comes back before it shows.
    wait.restore();
    recorder.pEndDoc();
    // The recorder stops being the current one as it goes.
}

} // namespace modBarCode
