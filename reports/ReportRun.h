#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

class clsMultiPgPreview;

// Where a report goes.
class ReportOutput
{
public:
    enum class Kind {
        Interactive, // the printer setup window, then the preview or the printer
        Preview,     // straight to the preview, no printer setup
        Printer,     // straight to the current printer, no window at all
        Pdf,         // a PDF file, no window at all
        Sheets,      // the report's figures as a spreadsheet (a workbook for a
                     // name ending in ".xlsx"), no window at all
    };

    static ReportOutput interactive() { return ReportOutput(Kind::Interactive); }
    static ReportOutput preview() { return ReportOutput(Kind::Preview); }
    static ReportOutput printer() { return ReportOutput(Kind::Printer); }
    static ReportOutput pdf(const QString &path) { return ReportOutput(Kind::Pdf, path); }
    static ReportOutput sheets(const QString &path) { return ReportOutput(Kind::Sheets, path); }

    Kind kind() const { return m_kind; }
    // The file of a PDF or spreadsheet output.
    QString path() const { return m_path; }

private:
    explicit ReportOutput(Kind kind, QString path = QString()) : m_kind(kind), m_path(std::move(path)) { }
    Kind m_kind;
    QString m_path;
};

// What became of a report.
struct ReportResult
{
    enum class Status {
        Done,       // shown, printed or written
        Cancelled,  // the user quit the printer setup window
        NoDocument, // nothing to print (no such ticket, id 0): nothing shown
        Failed,     // the reason has been shown with the report's label
    };
    Status status = Status::NoDocument;
    QString error; // the reason, without the label
    int pages = 0;

    bool done() const { return status == Status::Done; }
    static ReportResult nothing() { return {}; }
    // A failure whose reason has already been shown.
    static ReportResult failed(const QString &reason)
    {
        ReportResult result;
        result.status = Status::Failed;
        result.error = reason;
        return result;
    }
};

// Shows the document's label and the reason ("Printbill: the server is
// gone") and gives the failed result.
ReportResult ReportFailed(const QString &label, const QString &reason);

// Thrown by a report's drawing when it can't go on (a query failed, a file
// of the letterhead is missing). The run shows the report's label followed
// by the reason and drops the half-made document.
class ReportFailure : public std::runtime_error
{
public:
    explicit ReportFailure(const QString &reason) : std::runtime_error(reason.toStdString()), m_reason(reason) { }
    QString reason() const { return m_reason; }

private:
    QString m_reason;
};

// One report for the run: its label for messages ("Printbill: "), its
// orientation (1 upright, 2 landscape) and the drawing of the whole
// document between pStartDoc and pEndDoc. A report's drawing also gives the
// recorder its figures as sheets (clsMultiPgPreview::setSheets), tabulated
// from the same read it draws.
struct ReportJob
{
    QString label;
    int orientation = 1;
    std::function<void(clsMultiPgPreview &)> draw;
};

// The run every printed document goes through: a new recorder takes the
// orientation; when the output is interactive the printer setup is asked
// and its choice (preview or print, orientation, colour, copies) goes on the
// recorder (a cancel ends the run quietly). The document is drawn once under
// the wait pointer and ended (preview, print job or PDF file), and the
// recorder goes. A failure shows the label and the reason; the print job is
// dropped, no half document is shown or written, and the pointer is put
// back. A spreadsheet output draws the document as a PDF output would and
// writes its sheets instead, whole or not at all; a document without sheets
// fails there.
ReportResult RunReport(const ReportJob &job, const ReportOutput &output);
