#include "reports/AuditReport.h"

#include "data/AuditLog.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/UserPrompts.h"
#include "print/clsMultiPgPreview.h"
#include "reports/ReportLetterhead.h"
#include "reports/ReportPager.h"

#include <algorithm>

// Named, so the helpers of the report files never meet in one batch.
namespace AuditReport {
namespace {

const QString kAuditLabel = QStringLiteral("Audit Log: ");

constexpr double kLeft = 0.5;
constexpr double kPageFromRight = 0.5; // "Page n" of a continuation
constexpr double kTextRight = 8.0;     // where the details wrap
constexpr double kCounterLeft = 2.0;
constexpr double kWhoLeft = 3.2;
constexpr double kActionLeft = 4.9;
constexpr double kSubjectLeft = 6.85;
constexpr double kDetailsLeft = 0.8;

QString titleOf(const QDate &from, const QDate &to)
{
    return QStringLiteral("Audit Log %1 to %2").arg(DateText::mmddyyyy(from), DateText::mmddyyyy(to));
}

// A filtered log says so above its entries, so a page of it is never taken
// for the whole log of those days; "" for the whole log.
QString filterLine(const QString &action, const QString &who)
{
    QStringList only;
    if (!action.isEmpty())
        only << QStringLiteral("the action \"%1\"").arg(action);
    if (!who.isEmpty())
        only << QStringLiteral("entries by %1").arg(who);
    return only.isEmpty() ? QString()
                          : QStringLiteral("Only ") + only.join(QStringLiteral(", and only ")) + QLatin1Char('.');
}

void printColumnHeadings(clsMultiPgPreview &rec, const QRectF &band)
{
    PrintBand(rec, band);
    rec.setCurrentY(band.top() + 0.05);
    rec.setFontBold(true);
    rec.pPrint(QStringLiteral("Time"), kLeft + 0.05, true);
    rec.pPrint(QStringLiteral("Counter"), kCounterLeft, true);
    rec.pPrint(QStringLiteral("Who"), kWhoLeft, true);
    rec.pPrint(QStringLiteral("Action"), kActionLeft, true);
    rec.pPrint(QStringLiteral("Concerning"), kSubjectLeft, false);
    rec.setFontBold(false);
    rec.pPrint(QString(), -1, false);
}

void printContinuation(clsMultiPgPreview &rec, const QString &title, int page)
{
    PrintContinuationTitle(rec, title, page, kLeft, kPageFromRight);
    printColumnHeadings(rec, QRectF(kLeft, 0.6, 7.5, 0.25));
}

void printEntry(clsMultiPgPreview &rec, ReportPager &pager, const AuditLog::Entry &e)
{
    const QString details = e.details.trimmed();
    const double height = pager.lines(1)
        + (details.isEmpty() ? 0 : pager.wrappedHeight(details, kDetailsLeft, kTextRight));
    pager.ensureRoom(std::min(height, pager.lines(3)));
    rec.pPrint(DateText::generalDate(e.at), kLeft, true);
    rec.pPrint(e.counter, kCounterLeft, true);
    rec.pPrint(e.who.isEmpty() ? QStringLiteral("-") : e.who, kWhoLeft, true);
    rec.pPrint(e.action, kActionLeft, true);
    rec.pPrint(e.subject, kSubjectLeft, false);
    if (!details.isEmpty()) {
        rec.setFontItalic(true);
        pager.printWrapped(details, kDetailsLeft, kTextRight);
        rec.setFontItalic(false);
    }
}

// The entries as a table, newest first, the details in a column of their own.
Sheet sheetOf(const QList<AuditLog::Entry> &entries)
{
    Sheet sheet;
    sheet.name = QStringLiteral("Audit Log");
    sheet.addColumn(QStringLiteral("Time"), Sheet::Kind::DateTime)
        .addColumn(QStringLiteral("Counter"))
        .addColumn(QStringLiteral("Who"))
        .addColumn(QStringLiteral("Action"))
        .addColumn(QStringLiteral("Concerning"))
        .addColumn(QStringLiteral("Details"));
    for (const AuditLog::Entry &e : entries)
        sheet.addRow({e.at, e.counter, e.who, e.action, e.subject, e.details.trimmed()});
    return sheet;
}

void drawAuditLog(clsMultiPgPreview &rec, const QList<AuditLog::Entry> &entries, const QString &title,
                  const QString &filter)
{
    Letterhead head;
    head.title = title;
    head.logoAt = QPointF(0.5, 0.28);
    PrintLetterhead(rec, head);
    double headingsTop = 1.75;
    if (!filter.isEmpty()) {
        rec.setCurrentY(1.75);
        rec.setFontBold(true);
        rec.pPrint(filter, kLeft, false);
        headingsTop += 0.3;
    }
    rec.setCurrentY(headingsTop + 0.05);
    printColumnHeadings(rec, QRectF(kLeft, headingsTop, 7.5, 0.25));
    rec.setFontItalic(false);
    rec.setFontBold(false);
    ReportPager pager(rec, [&rec, title](int page) { printContinuation(rec, title, page); });
    for (const AuditLog::Entry &e : entries)
        printEntry(rec, pager, e);
}

} // namespace
} // namespace AuditReport

ReportResult PrintAuditLog(const QDate &from, const QDate &to, const QString &action, const QString &who,
                           const ReportOutput &output)
{
    if (!from.isValid() || !to.isValid() || to < from)
        return ReportFailed(AuditReport::kAuditLabel,
                            QStringLiteral("the range of days is not a range (from %1 to %2).")
                                .arg(DateText::mmddyyyy(from), DateText::mmddyyyy(to)));
    std::optional<QList<AuditLog::Entry>> entries;
    {
        Database::HeldErrors held; // told once, under the report's label
        entries = AuditLog::Entries(from, to, action, who);
    }
    if (!entries)
        return ReportFailed(AuditReport::kAuditLabel, Database::LastReason());
    if (entries->isEmpty()) {
        Prompts().message(
            QStringLiteral("No audit entries from %1 to %2").arg(DateText::shortDate(from), DateText::shortDate(to)));
        return ReportResult::nothing();
    }
    const QString title = AuditReport::titleOf(from, to);
    const QString filter = AuditReport::filterLine(action, who);
    ReportJob job;
    job.label = AuditReport::kAuditLabel;
    job.orientation = 1;
    job.draw = [entries, title, filter](clsMultiPgPreview &rec) {
        AuditReport::drawAuditLog(rec, *entries, title, filter);
        rec.setSheets({AuditReport::sheetOf(*entries)});
    };
    return RunReport(job, output);
}
