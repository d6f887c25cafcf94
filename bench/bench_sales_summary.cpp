// The monthly sales summary of a busy month (about 3,000 closed tickets) in
// a database of 100,000 tickets, written as a PDF; the weekly summary of the
// same month and the month's rows read alone for comparison.
//   bench_sales_summary [--keep FOLDER]   also leaves the demo shop's weekly
//                                         and monthly summaries and the busy
//                                         month's PDF in FOLDER for looking at
#include "bench/BenchData.h"
#include "bench/BenchReport.h"
#include "bench/BenchSupport.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DemoShop.h"
#include "reports/SalesSummary.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kTickets = 100000;
constexpr int kCustomers = 5000;
const QDate kBusyMonth(2026, 3, 1);

// The closed tickets (a third of them) spread over the eleven months up to
// the end of the busy month, at scattered moments of the day.
void spreadClosingTimes(Engine engine)
{
    constexpr int kDays = 335; // 2025-05-01 up to 2026-04-01
    if (engine == Engine::SQLite) {
        Bench::bulk(QStringLiteral("UPDATE sales SET Closedate = datetime('2025-05-01 00:00:00', '+' || "
                                   "((id * 104729) % %1) || ' seconds') WHERE status = 'Close'")
                        .arg(kDays * 86400));
        return;
    }
    Bench::bulk(QStringLiteral("UPDATE sales SET Closedate = timestamp '2025-05-01 00:00:00' + "
                               "((CAST(id AS bigint) * 104729) % %1) * interval '1 second' WHERE status = 'Close'")
                    .arg(kDays * 86400));
}

int closedInMonth()
{
    const std::optional<QList<SummaryRow>> rows = ReadSummaryRows(SummaryRangeOf(kBusyMonth, SummaryPeriod::Monthly));
    return rows ? int(rows->size()) : -1;
}

void measure(Engine engine, const QString &keep)
{
    const QString name = Bench::engineName(engine);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("month.pdf"));
    const int rows = closedInMonth();
    int pages = 0;
    const double month = Bench::medianPdfMs(
        [](const ReportOutput &out) { return PrintSalesSummary(kBusyMonth, SummaryPeriod::Monthly, out); }, dir, 5, 1,
        &pages);
    const double read = Bench::medianMs(
        [] {
            if (closedInMonth() < 0)
                std::abort();
        },
        5, 1);
    Bench::print({QStringLiteral("monthly summary to PDF (%1 tickets, %2 pages)").arg(rows).arg(pages), name, month,
                  2000, read, 0});
    const double week = Bench::medianMs(
        [&] {
            if (!PrintSalesSummary(QDate(2026, 3, 8), SummaryPeriod::Weekly, ReportOutput::pdf(path)).done())
                std::abort();
        },
        5, 1);
    Bench::print({QStringLiteral("weekly summary to PDF"), name, week, 2000, 0, 0});
    if (!keep.isEmpty() && engine == Engine::SQLite)
        PrintSalesSummary(kBusyMonth, SummaryPeriod::Monthly,
                          ReportOutput::pdf(keep + QStringLiteral("/busy-month.pdf")));
}

// The demo shop's week and month, for looking at.
void keepDemoSummaries(const QString &keep)
{
    const QDate today(2026, 3, 14); // a Saturday: the demo week ends today
    Clock::setFixed(QDateTime(today, QTime(17, 30)));
    if (!Bench::useFreshDatabase(Engine::SQLite, QStringLiteral("summary_demo")) || !DemoShop::Fill()) {
        std::fprintf(stderr, "bench_sales_summary: no demo shop\n");
        return;
    }
    PrintSalesSummary(QDate(2026, 3, 8), SummaryPeriod::Weekly,
                      ReportOutput::pdf(keep + QStringLiteral("/demo-week.pdf")));
    PrintSalesSummary(QDate(2026, 3, 1), SummaryPeriod::Monthly,
                      ReportOutput::pdf(keep + QStringLiteral("/demo-month.pdf")));
    PrintSalesSummary(QDate(2026, 3, 13), SummaryPeriod::Daily,
                      ReportOutput::pdf(keep + QStringLiteral("/demo-day.pdf")));
    Clock::setFixed(std::nullopt);
}

} // namespace

int main(int argc, char **argv)
{
    const Bench::PrivateHome home;
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int keepAt = int(args.indexOf(QStringLiteral("--keep")));
    const QString keep = keepAt > 0 && keepAt + 1 < args.size() ? QDir(args[keepAt + 1]).absolutePath() : QString();
    if (!keep.isEmpty())
        QDir().mkpath(keep);
    if (!Bench::letterheadReady())
        return 1;
    Bench::printHeader();
    for (const Engine engine : Bench::engines()) {
        if (!Bench::useCachedDatabase(engine, QStringLiteral("summary"), [engine] {
                BenchData::customers(kCustomers);
                BenchData::tickets(kTickets, kCustomers);
                spreadClosingTimes(engine);
            })) {
            Bench::unavailable(engine);
            continue;
        }
        measure(engine, keep);
    }
    if (!keep.isEmpty())
        keepDemoSummaries(keep);
    return 0;
}
