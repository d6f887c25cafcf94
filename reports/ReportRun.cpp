#include "reports/ReportRun.h"

#include "data/Database.h"
#include "data/UserPrompts.h"
#include "print/PrintPresenter.h"
#include "print/clsMultiPgPreview.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace {

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

ReportResult failed(const ReportJob &job, const QString &reason, bool show = true)
{
    if (show)
        ReportError(job.label + reason);
    ReportResult result;
    result.status = ReportResult::Status::Failed;
    result.error = reason;
    return result;
}

// Sets the output mode, and for an interactive run what the printer setup
// chose; false when the user quit the printer setup.
bool prepareOutput(clsMultiPgPreview &rec, const ReportOutput &output)
{
    switch (output.kind()) {
    case ReportOutput::Kind::Interactive: {
        const PrintSetupChoice choice = Presenter().showPrinterSetup(rec.Orientation());
        if (choice.cancelled())
            return false;
        rec.setSendToPrinter(choice.toPrinter());
        rec.setOrientation(choice.orientation);
        rec.setColorMode(choice.colorMode);
        rec.setPrintCopies(choice.copies);
        break;
    }
    case ReportOutput::Kind::Printer:
        rec.setSendToPrinter(true);
        break;
    case ReportOutput::Kind::Preview:
    case ReportOutput::Kind::Pdf:
        rec.setSendToPrinter(false);
        break;
    }
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
    rec.setOrientation(job.orientation);
    if (!prepareOutput(rec, output)) {
        ReportResult cancelled;
        cancelled.status = ReportResult::Status::Cancelled;
        return cancelled;
    }
    const bool printing = rec.SendToPrinter();
    const QString reason = build(rec, job);
    if (!reason.isEmpty()) {
        rec.abortDoc();
        return failed(job, reason);
    }
    const bool toPdf = output.kind() == ReportOutput::Kind::Pdf;
    if (toPdf)
        rec.finishDoc();
    else
        rec.pEndDoc(1, nullptr);
    // The recorder has shown a print job's failure itself.
    if (printing && !rec.lastError().isEmpty())
        return failed(job, rec.lastError(), false);
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
