#include "reports/ReportRun.h"

#include "data/Database.h"
#include "data/UserPrompts.h"
#include "print/PrintHooks.h"
#include "print/PrintState.h"
#include "print/clsMultiPgPreview.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace {

// A preview that normally ends the loop at once; a presenter that keeps
// asking for the printer can't make the run go on for ever.
constexpr int kMaxBuilds = 4;

// The recorder is the current report recorder while the run lasts; the one
// before it comes back afterwards, however the run ends.
class CurrentRecorderScope
{
public:
    explicit CurrentRecorderScope(clsMultiPgPreview *recorder)
        : m_previous(CurrentReportRecorder())
    {
        SetCurrentReportRecorder(recorder);
    }
    ~CurrentRecorderScope() { SetCurrentReportRecorder(m_previous); }

private:
    clsMultiPgPreview *m_previous;
};

// The hourglass while the document is drawn, after the windows have had a
// chance to repaint (the printer setup window has just closed).
class WaitPointer
{
public:
    WaitPointer()
    {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_shown = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
        if (m_shown)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitPointer()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool m_shown = false;
};

// For a PDF destination the document ends without any preview window: the
// presenter is swapped for one that shows nothing while pEndDoc runs.
class QuietPresenter final : public PrintPresenter
{
public:
    QuietPresenter()
        : m_previous(&Presenter())
    {
        SetPrintPresenter(this);
    }
    ~QuietPresenter() override { SetPrintPresenter(m_previous); }

private:
    PrintPresenter *m_previous;
};

ReportResult failed(const ReportJob &job, const QString &reason, bool show = true)
{
    if (show)
        ReportError(job.label + reason);
    ReportResult result;
    result.status = ReportResult::Status::Failed;
    result.error = reason;
    return result;
}

// Sets the output mode; false when the user quit the printer setup.
bool prepareOutput(clsMultiPgPreview &rec, const ReportOutput &output)
{
    switch (output.kind()) {
    case ReportOutput::Kind::Interactive:
        return RunPrinterSetup(rec);
    case ReportOutput::Kind::Printer:
        rec.setSendToPrinter(true);
        break;
    case ReportOutput::Kind::Preview:
    case ReportOutput::Kind::Pdf:
        rec.setSendToPrinter(false);
        break;
    }
    SetPrintSetupCancelled(false);
    return true;
}

// Draws the whole document once; the reason of a failure, empty when none.
QString build(clsMultiPgPreview &rec, const ReportJob &job)
{
    WaitPointer wait;
    // A query that fails is told once, under the report's label.
    Database::HeldErrors held;
    try {
        rec.pStartDoc();
        job.draw(rec);
        return QString();
    } catch (const ReportFailure &failure) {
        return failure.reason().isEmpty() ? QStringLiteral("the report could not be made") : failure.reason();
    } catch (const std::exception &error) {
        return QString::fromLocal8Bit(error.what());
    }
}

} // namespace

ReportResult RunReport(const ReportJob &job, const ReportOutput &output)
{
    clsMultiPgPreview rec;
    CurrentRecorderScope current(&rec);
    rec.setOrientation(job.orientation);
    if (!prepareOutput(rec, output)) {
        ReportResult cancelled;
        cancelled.status = ReportResult::Status::Cancelled;
        return cancelled;
    }
    const bool toPdf = output.kind() == ReportOutput::Kind::Pdf;
    for (int builds = 0; builds < kMaxBuilds; ++builds) {
        const bool printing = rec.SendToPrinter();
        const QString reason = build(rec, job);
        if (!reason.isEmpty()) {
            rec.abortDoc();
            return failed(job, reason);
        }
        if (toPdf) {
            QuietPresenter quiet;
            rec.pEndDoc(1, nullptr);
        } else {
            rec.pEndDoc(1, nullptr);
        }
        // The recorder has shown a print job's failure itself.
        if (printing && !rec.lastError().isEmpty())
            return failed(job, rec.lastError(), false);
        if (!rec.SendToPrinter())
            break;
    }
    ReportResult result;
    result.status = ReportResult::Status::Done;
    result.pages = rec.pageCount();
    if (toPdf) {
        QString error;
        if (!rec.writePdf(output.pdfPath(), &error))
            return failed(job, error);
    }
    return result;
}
