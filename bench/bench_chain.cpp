// A chain's server: what a clerk and the owner open every day, on a
// database of 1,000,000 tickets over eight years and 250,000 customers. A
// fleet customer's 500 tickets listed in the sales window; the monthly
// summary and a month's product sales written as PDF; the time clock and a
// year's payroll of an employee with five years of shifts.
#include "bench/BenchData.h"
#include "bench/BenchReport.h"
#include "bench/BenchSupport.h"
#include "bench/BenchTimeClock.h"
#include "customers/CustomerInfo.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "reports/PrintPayroll.h"
#include "reports/ProductReports.h"
#include "reports/SalesSummary.h"
#include "sales/TicketListPane.h"
#include "sales/frmSales.h"
#include "timeclock/EmployeeButtonColumn.h"
#include "timeclock/frmTimeInOut.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QDate kBusyMonth(2026, 3, 1);

// Times `fn` after `prepare` each run, `prepare` not measured.
double medianAfter(const std::function<void()> &prepare, const std::function<void()> &fn, int runs, int warmup)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < warmup + runs; ++i) {
        prepare();
        timer.start();
        fn();
        if (i >= warmup)
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Bench::median(std::move(times));
}

void fleetTickets(const QString &engine)
{
    frmSales window;
    window.show();
    QCoreApplication::processEvents();
    const double ms = medianAfter(
        [&] {
            window.customerInfo()->LoadCustomerInfo(0);
            QCoreApplication::processEvents();
        },
        [&] {
            window.customerInfo()->LoadCustomerInfo(BenchData::kChainFleetCustomer);
            QCoreApplication::processEvents();
            if (window.ticketList()->grid()->RowCount() != BenchData::kChainFleetTickets)
                std::abort();
        },
        9, 2);
    Bench::print({QStringLiteral("customer's %1 tickets listed").arg(BenchData::kChainFleetTickets), engine, ms, 100});
}

void reportToPdf(const QString &name, const QString &engine, const std::function<ReportResult(const ReportOutput &)> &run)
{
    QTemporaryDir dir;
    int pages = 0;
    const double ms = Bench::medianPdfMs(run, dir, 5, 1, &pages);
    Bench::print({QStringLiteral("%1 to PDF (%2 pages)").arg(name).arg(pages), engine, ms, 2000});
}

void reports(const QString &engine)
{
    reportToPdf(QStringLiteral("monthly summary"), engine, [](const ReportOutput &out) {
        return PrintSalesSummary(kBusyMonth, SummaryPeriod::Monthly, out);
    });
    reportToPdf(QStringLiteral("a month's product sales"), engine,
                [](const ReportOutput &out) { return PrintProductSales(kBusyMonth, true, out); });
}

void timeClock(const QString &engine)
{
    const double open = Bench::medianMs(
        [] {
            frmTimeInOut w;
            w.setAdmin(true);
            w.show();
            QCoreApplication::processEvents();
            if (w.employeeButtons()->TotalEmployee() != BenchData::kChainEmployees)
                std::abort();
        },
        9, 2);
    Bench::print({QStringLiteral("time clock opened (%1 employees, 5 years each)").arg(BenchData::kChainEmployees),
                  engine, open, 300});
    frmTimeInOut w;
    w.setAdmin(true);
    w.show();
    QCoreApplication::processEvents();
    const double sw = Bench::medianEmployeeSwitchMs(w, BenchData::kChainEmployees, 19, 3);
    Bench::print({QStringLiteral("employee with 5 years of rows chosen (admin)"), engine, sw, 300});
    const int employee = w.employeeButtons()->employeeIdAt(0);
    for (const bool semiMonthly : {false, true}) {
        QTemporaryDir dir;
        int pages = 0;
        const double ms = Bench::medianPdfMs(
            [&](const ReportOutput &out) {
                return PrintPayroll(employee, BenchData::kChainToday.year(), semiMonthly, out);
            },
            dir, 7, 1, &pages);
        Bench::print({QStringLiteral("payroll of the year to PDF (%1)").arg(semiMonthly ? "half months" : "weeks"),
                      engine, ms, 300});
    }
}

} // namespace

int main(int argc, char **argv)
{
    const Bench::PrivateHome home;
    QApplication app(argc, argv);
    if (!Bench::letterheadReady())
        return 1;
    Clock::setFixed(QDateTime(BenchData::kChainToday, QTime(14, 0)));
    Bench::printHeader();
    for (const Engine engine : Bench::engines()) {
        if (!BenchData::useChain(engine)) {
            Bench::unavailable(engine);
            continue;
        }
        const QString name = Bench::engineName(engine);
        fleetTickets(name);
        reports(name);
        timeClock(name);
    }
    Database::SetOverride(std::nullopt);
    return 0;
}
