// Moving a shop's data in and out: 100,000 customers and 20,000 products
// imported from comma-separated files into an empty database, and a year of
// closed tickets (20,000, each with its lines and payments) exported.
#include "bench/BenchData.h"
#include "bench/BenchSupport.h"
#include "exchange/TableExport.h"
#include "exchange/CsvFile.h"
#include "exchange/CsvImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCustomers = 100000;
constexpr int kProducts = 20000;
constexpr int kTickets = 60000; // a third of them closed: the year's
constexpr int kTicketCustomers = 5000;

QString customersFile(const QTemporaryDir &dir)
{
    static const char *const last[] = {"Smith", "Garcia", "Miller", "Brown", "Davis", "Müller", "Jones", "Lee"};
    static const char *const states[] = {"TX", "NM", "OK", "LA"};
    QList<QStringList> rows = {{"First Name", "Last Name", "Phone", "Address", "City", "State", "Zip", "Email"}};
    rows.reserve(kCustomers + 1);
    for (int i = 1; i <= kCustomers; ++i) {
        rows.append({QStringLiteral("First%1").arg(i), QString::fromUtf8(last[i % 8]) + QString::number(i % 977),
                     QStringLiteral("(512) 5%1").arg(i, 6, 10, QLatin1Char('0')).insert(9, QLatin1Char('-')),
                     QStringLiteral("%1 Main St, Apt %2").arg(i).arg(i % 40), QStringLiteral("Austin"),
                     QLatin1String(states[i % 4]), QStringLiteral("787%1").arg(i % 100, 2, 10, QLatin1Char('0')),
                     QStringLiteral("first%1@example.com").arg(i)});
    }
    const QString path = dir.filePath(QStringLiteral("customers.csv"));
    QString error;
    if (!CsvFile::Write(path, rows, &error)) {
        std::fprintf(stderr, "bench_exchange: %s\n", qPrintable(error));
        std::exit(1);
    }
    return path;
}

QString productsFile(const QTemporaryDir &dir)
{
    QList<QStringList> rows = {
        {"UPC", "Category", "Description", "Cost", "MSRP", "Price", "Model", "Part Number", "Qty", "GM"}};
    rows.reserve(kProducts + 1);
    for (int i = 1; i <= kProducts; ++i) {
        rows.append({QStringLiteral("BC-%1").arg(i), QStringLiteral("Cat%1").arg(i % 25),
                     QStringLiteral("Product number %1, for a vehicle").arg(i),
                     QStringLiteral("%1.50").arg(10 + i % 50), QStringLiteral("%1.00").arg(30 + i % 90),
                     QStringLiteral("1,%1.99").arg(100 + i % 800), QStringLiteral("M-%1").arg(i),
                     QStringLiteral("P-%1").arg(i), QString::number(i % 40), QStringLiteral("35")});
    }
    const QString path = dir.filePath(QStringLiteral("products.csv"));
    QString error;
    if (!CsvFile::Write(path, rows, &error)) {
        std::fprintf(stderr, "bench_exchange: %s\n", qPrintable(error));
        std::exit(1);
    }
    return path;
}

// The import of a file into an empty database, a fresh one each run.
double importMs(Engine engine, ExchangeTable::Table table, const QString &path, int expected, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (!Bench::useFreshDatabase(engine, QStringLiteral("exchange_import")))
            std::abort();
        QElapsedTimer timer;
        timer.start();
        const CsvImport::Result r = CsvImport::Import(table, path, {});
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!r.done || r.added != expected) {
            std::fprintf(stderr, "bench_exchange: %s\n", qPrintable(CsvImport::Describe(r).join('\n')));
            std::abort();
        }
    }
    return Bench::median(times);
}

// The closed tickets spread over 2025, at scattered moments of the day.
void spreadOverTheYear(Engine engine)
{
    if (engine == Engine::SQLite) {
        Bench::bulk(QStringLiteral("UPDATE sales SET Closedate = datetime('2025-01-01 00:00:00', '+' || "
                                   "((id * 104729) % %1) || ' seconds') WHERE status = 'Close'")
                        .arg(365 * 86400));
        return;
    }
    Bench::bulk(QStringLiteral("UPDATE sales SET Closedate = timestamp '2025-01-01 00:00:00' + "
                               "((CAST(id AS bigint) * 104729) % %1) * interval '1 second' WHERE status = 'Close'")
                    .arg(365 * 86400));
}

void measureExport(Engine engine, const QTemporaryDir &dir)
{
    if (!Bench::useCachedDatabase(engine, QStringLiteral("exchange_year"), [engine] {
            BenchData::customers(kTicketCustomers);
            BenchData::tickets(kTickets, kTicketCustomers);
            spreadOverTheYear(engine);
        })) {
        Bench::unavailable(engine);
        return;
    }
    for (const char *name : {"tickets.csv", "tickets.xlsx"}) {
        const QString path = dir.filePath(QLatin1String(name));
        int rows = 0;
        const double ms = Bench::medianMs(
            [&] {
                QString error;
                if (!TableExport::ExportTickets(QDate(2025, 1, 1), QDate(2025, 12, 31), path, &error, &rows)) {
                    std::fprintf(stderr, "bench_exchange: %s\n", qPrintable(error));
                    std::abort();
                }
            },
            3, 1);
        Bench::print({QStringLiteral("export a year of closed tickets (%1 rows) as %2")
                          .arg(rows)
                          .arg(QFileInfo(path).suffix()),
                      // The target is the comma-separated export's; the workbook's figure stands beside it.
                      Bench::engineName(engine), ms / 1000.0, path.endsWith(QLatin1String(".csv")) ? 5.0 : 0.0, 0,
                      0, QStringLiteral("s")});
    }
}

} // namespace

int main(int argc, char **argv)
{
    const Bench::PrivateHome home;
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString customers = customersFile(dir);
    const QString products = productsFile(dir);
    Bench::printHeader();
    for (const Engine engine : Bench::engines()) {
        // The targets are the embedded database's; the server's figures stand beside them.
        const bool sqlite = engine == Engine::SQLite;
        const int runs = sqlite ? 3 : 1;
        if (!Bench::useFreshDatabase(engine, QStringLiteral("exchange_import"))) {
            Bench::unavailable(engine);
            continue;
        }
        const QString name = Bench::engineName(engine);
        Bench::print({QStringLiteral("import 100,000 customers"), name,
                      importMs(engine, ExchangeTable::Table::Customers, customers, kCustomers, runs) / 1000.0,
                      sqlite ? 10.0 : 0.0, 0, 0, QStringLiteral("s")});
        Bench::print({QStringLiteral("import 20,000 products"), name,
                      importMs(engine, ExchangeTable::Table::Products, products, kProducts, runs) / 1000.0,
                      sqlite ? 10.0 : 0.0, 0, 0, QStringLiteral("s")});
        measureExport(engine, dir);
    }
    return 0;
}
