// One customer invoice from the click to the preview shown, and to a PDF
// file, on the demo shop; the payroll reports to PDF for comparison.
//   bench_invoice [--keep FOLDER]   also leaves the demo invoice and payroll
//                                   PDFs in FOLDER for looking at
#include "bench/BenchReport.h"
#include "bench/BenchSupport.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/DemoShop.h"
#include "print/PrintPresenter.h"
#include "print/clsMultiPgPreview.h"
#include "print/frmMultiPgPreview.h"
#include "reports/PrintPayroll.h"
#include "reports/Printbill.h"
#include "timeclock/EmployeeStore.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The preview window as the program shows it, shown and painted, then
// closed instead of waiting for the user.
class ShownPreview final : public PrintPresenter
{
public:
    void showPreview(std::shared_ptr<const RecordedDocument> document, bool, QObject *) override
    {
        frmMultiPgPreview window(std::move(document));
        window.show();
        QCoreApplication::processEvents();
        window.close();
    }
};

// A working year for the demo employees: weekdays, eight hours and a bit.
void clockDemoYear(int year)
{
    const auto staff = EmployeeStore::List();
    Database::Transaction([&] {
        for (int r = 0; r < staff->rowCount(); ++r) {
            const int id = staff->value(r, QStringLiteral("id")).toInt();
            for (QDate d(year, 1, 1); d.year() == year && d <= Clock::today(); d = d.addDays(1)) {
                if (d.dayOfWeek() > 5 || (d.day() + id) % 9 == 0)
                    continue;
                const QDateTime in(d, QTime(8, (id * 7) % 30, 12));
                Database::InsertRow(
                    QStringLiteral("TimeInOut"),
                    {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout")},
                    {id, DateText::toDb(in), DateText::toDb(in.addSecs(8 * 3600 + (d.day() % 5) * 900))});
            }
        }
        return true;
    });
}

// A ticket of 60 equipment lines, some with notes, to see its pages.
int addLongTicket()
{
    const int id = int(Database::InsertRow(
        QStringLiteral("sales"),
        {QStringLiteral("customerid"), QStringLiteral("status"), QStringLiteral("year"), QStringLiteral("make"),
         QStringLiteral("model")},
        {2, QStringLiteral("Open"), QStringLiteral("2021"), QStringLiteral("Ford"), QStringLiteral("Transit fleet")}));
    for (int i = 1; i <= 60; ++i) {
        Database::InsertRow(QStringLiteral("salesitem"),
                            {QStringLiteral("salesid"), QStringLiteral("modelnumber"), QStringLiteral("description"),
                             QStringLiteral("price"), QStringLiteral("quantity"), QStringLiteral("note")},
                            {id, QStringLiteral("GPS-1"),
                             QStringLiteral("GPS tracker with 1 year service, van %1").arg(i), 159.99, 1,
                             i % 7 == 0 ? QVariant(QStringLiteral("Mounted under the dash, left side")) : QVariant()});
    }
    Database::InsertRow(QStringLiteral("payment"),
                        {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("amount")},
                        {id, QStringLiteral("Check"), 5000});
    return id;
}

void measure(Engine engine, const QString &keep)
{
    const QString name = Bench::engineName(engine);
    if (!Bench::useFreshDatabase(engine, QStringLiteral("invoice"))) {
        Bench::unavailable(engine);
        return;
    }
    if (!DemoShop::Fill()) {
        Bench::unavailable(engine, QStringLiteral("the demo shop could not be made"));
        return;
    }
    const int year = Clock::today().year();
    clockDemoYear(year);
    const int ticket = 1;

    ShownPreview shown;
    SetPrintPresenter(&shown);
    const double preview = Bench::medianMs([&] { Printbill(ticket, ReportOutput::preview()); }, 15, 3);
    SetPrintPresenter(nullptr);
    Bench::print({QStringLiteral("invoice: click to preview shown"), name, preview, 300, 0, 0});

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("invoice.pdf"));
    const double toPdf = Bench::medianMs([&] { Printbill(ticket, ReportOutput::pdf(pdf)); }, 15, 3);
    Bench::print({QStringLiteral("invoice: to a PDF file"), name, toPdf, 300, 0, 0});

    const QString payroll = dir.filePath(QStringLiteral("payroll.pdf"));
    const double weekly = Bench::medianMs([&] { PrintPayroll(2, year, false, ReportOutput::pdf(payroll)); }, 7, 1);
    Bench::print({QStringLiteral("payroll: 53 weeks of one employee to PDF"), name, weekly, 0, 0, 0});
    const double hours = Bench::medianMs([&] { PrintAllEmployeeHours(year, 1, ReportOutput::pdf(payroll)); }, 7, 1);
    Bench::print({QStringLiteral("payroll: all employees, seven weeks, to PDF"), name, hours, 0, 0, 0});

    if (keep.isEmpty() || engine != Engine::SQLite)
        return;
    QDir().mkpath(keep);
    const int longTicket = addLongTicket();
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, longTicket})
        Printbill(id, ReportOutput::pdf(QDir(keep).filePath(QStringLiteral("invoice%1.pdf").arg(id))));
    PrintPayroll(2, year, true, ReportOutput::pdf(QDir(keep).filePath(QStringLiteral("semimonthly.pdf"))));
    PrintPayroll(2, year, false, ReportOutput::pdf(QDir(keep).filePath(QStringLiteral("weekly.pdf"))));
    PrintAllEmployeeHours(year, 1, ReportOutput::pdf(QDir(keep).filePath(QStringLiteral("hours.pdf"))));
}

// The offscreen platform's note on every window shown is no figure.
void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietOffscreen);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The demo's logo and notice go into a folder of the run, not the user's.
    QTemporaryDir programFolder;
    qputenv("TESSALY_DATA_DIR", programFolder.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int keepAt = int(args.indexOf(QStringLiteral("--keep")));
    const QString keep = keepAt > 0 && keepAt + 1 < args.size() ? args[keepAt + 1] : QString();
    if (!Bench::letterheadReady())
        return 1;
    Bench::printHeader();
    for (Engine engine : Bench::engines())
        measure(engine, keep);
    return 0;
}
