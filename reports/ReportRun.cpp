#include "reports/ReportRun.h"

#include "data/Database.h"
#include "data/UserPrompts.h"
#include "exchange/SheetFile.h"
#include "print/PrintPresenter.h"
#include "print/clsMultiPgPreview.h"
#include "widgets/WaitPointer.h"

#include <QCoreApplication>

namespace {

// Lets the windows repaint before the document is drawn: the printer setup
// window has just closed, and its place would stay grey under the hourglass.
void repaintWindows()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
    case ReportOutput::Kind::Sheets:
        rec.setSendToPrinter(false);
        break;
    }
    return true;
}

// Draws the whole document once; the reason of a failure, empty when none.
QString build(clsMultiPgPreview &rec, const ReportJob &job)
{
    repaintWindows();
    const WaitPointer wait;
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

ReportResult ReportFailed(const QString &label, const QString &reason)
{
    ReportError(label + reason);
    return ReportResult::failed(reason);
}

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
        return ReportFailed(job.label, reason);
    }
    const bool toPdf = output.kind() == ReportOutput::Kind::Pdf;
    const bool toSheets = output.kind() == ReportOutput::Kind::Sheets;
    if (toPdf || toSheets)
        rec.finishDoc();
    else
        rec.pEndDoc(1, nullptr);
    // The recorder has shown a print job's failure itself.
    if (printing && !rec.lastError().isEmpty())
        return ReportResult::failed(rec.lastError());
    ReportResult result;
    result.status = ReportResult::Status::Done;
    result.pages = rec.pageCount();
    if (toPdf) {
        QString error;
        if (!rec.writePdf(output.path(), &error))
            return ReportFailed(job.label, error);
    }
    if (toSheets) {
        if (rec.document().sheets.isEmpty())
            return ReportFailed(job.label, QStringLiteral("this document has no figures for a spreadsheet."));
        QString error;
        if (!SheetFile::Write(output.path(), rec.document().sheets, &error))
            return ReportFailed(job.label, error);
    }
    return result;
}
