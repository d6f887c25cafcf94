#include "bench/BenchData.h"

#include "bench/BenchSupport.h"
#include "data/Database.h"

#include <QString>

namespace BenchData {

namespace {

// A recursive row source 1..n that both engines understand.
QString series(int n)
{
    return QStringLiteral("WITH RECURSIVE seq(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM seq WHERE i < %1) ").arg(n);
}

} // namespace

void customers(int n)
{
    Bench::bulk(series(n)
                + QStringLiteral(
                    "INSERT INTO customer (firstname, lastname, phone1, PreferPhone, address1, city, state, zipcode) "
                    "SELECT 'First' || i, "
                    "CASE i % 8 WHEN 0 THEN 'Smith' WHEN 1 THEN 'Smalley' WHEN 2 THEN 'Jones' WHEN 3 THEN 'Garcia' "
                    "WHEN 4 THEN 'Miller' WHEN 5 THEN 'Brown' WHEN 6 THEN 'Sm' || i ELSE 'Davis' END || (i % 977), "
                    "'512555' || (1000 + i % 9000), 0, i || ' Main St', 'Austin', 'TX', '78701' FROM seq"));
}

void products(int n)
{
    Bench::bulk(series(n)
                + QStringLiteral("INSERT INTO product (barcode, category, description, cost, msrp, price, modelnumber, "
                                 "partnumber, qoh, gm) "
                                 "SELECT 'BC' || i, 'Cat' || (i % 25), 'Product number ' || i || ' for a vehicle', "
                                 "10 + i % 50, 30 + i % 90, 20 + (i % 70) + 0.99, 'M-' || i, 'P-' || i, 100, 35 "
                                 "FROM seq"));
}

void tickets(int n, int customerCount)
{
    Bench::bulk(series(n)
                + QStringLiteral("INSERT INTO sales (customerid, saledate, status, Closedate, TaxExempt, year, make, "
                                 "model, note) "
                                 "SELECT 1 + i % %1, '2026-01-01 09:00:00', CASE WHEN i % 3 = 0 THEN 'Close' ELSE "
                                 "'Open' END, NULL, 0, '2020', 'Ford', 'F-150', 'note ' || i FROM seq")
                      .arg(customerCount));
    Bench::bulk(QStringLiteral("UPDATE sales SET Closedate = '2026-01-02 10:00:00' WHERE status = 'Close'"));
    for (int line = 0; line < 3; ++line) {
        Bench::bulk(QStringLiteral("INSERT INTO salesitem (salesid, partnumber, barcode, modelnumber, description, "
                                   "price, quantity) SELECT id, 'P-' || (id % 1000 + %1), 'BC' || (id % 1000), "
                                   "'M-' || (id % 1000), 'Product line', 19.99 + %1, 1 + id % 3 FROM sales")
                        .arg(line));
    }
    Bench::bulk(QStringLiteral("INSERT INTO saleslabor (salesid, description, charge, quantity) "
                               "SELECT id, 'Install', 75, 1 FROM sales"));
    Bench::bulk(QStringLiteral("INSERT INTO payment (salesid, description, amount) SELECT id, 'Cash', 50 FROM sales"));
    Bench::bulk(
        QStringLiteral("INSERT INTO payment (salesid, description, amount) SELECT id, 'Visa', 25.5 FROM sales"));
}

void labor(int n)
{
    Bench::bulk(
        series(n)
        + QStringLiteral("INSERT INTO labor (category, description, ours, cog) "
                         "SELECT 'Install' || (i % 5), 'Install job ' || i, 50 + i % 60, 30 + i % 40 FROM seq"));
}

void spreadDates(Engine engine, const QDate &from, int days)
{
    const QString start = from.toString(Qt::ISODate);
    const qint64 span = qint64(days) * 86400;
    if (engine == Engine::SQLite) {
        Bench::bulk(QStringLiteral("UPDATE sales SET saledate = datetime('%1 00:00:00', '+' || "
                                   "((id * 104729) % %2) || ' seconds')")
                        .arg(start)
                        .arg(span));
        Bench::bulk(QStringLiteral("UPDATE sales SET Closedate = datetime(saledate, '+1 day') WHERE status = 'Close'"));
        return;
    }
    Bench::bulk(QStringLiteral("UPDATE sales SET saledate = timestamp '%1 00:00:00' + "
                               "((CAST(id AS bigint) * 104729) % %2) * interval '1 second'")
                    .arg(start)
                    .arg(span));
    Bench::bulk(QStringLiteral("UPDATE sales SET Closedate = saledate + interval '1 day' WHERE status = 'Close'"));
}

void employeeShifts(Engine engine, int n, const QDate &end, int days)
{
    Bench::bulk(series(n)
                + QStringLiteral("INSERT INTO employee (firstname, lastname, pin, title, active, paynormal) "
                                 "SELECT 'Shift' || i, 'Worker' || i, '' || (7000 + i), 'Installer', 1, 18.5 "
                                 "FROM seq"));
    const QString first = end.addDays(-days).toString(Qt::ISODate);
    const auto at = [&](const char *time) {
        return engine == Engine::SQLite
            ? QStringLiteral("datetime('%1 %2', '+' || (i - 1) || ' days')").arg(first, QLatin1String(time))
            : QStringLiteral("timestamp '%1 %2' + (i - 1) * interval '1 day'").arg(first, QLatin1String(time));
    };
    Bench::bulk(series(days)
                + QStringLiteral("INSERT INTO TimeInOut (employeeid, timein, timeout) SELECT e.id, %1, %2 "
                                 "FROM employee e CROSS JOIN seq WHERE seq.i % 7 <> 0")
                      .arg(at("08:00:00"), at("16:30:00")));
}

bool useChain(Engine engine)
{
    return Bench::useCachedDatabase(engine, QStringLiteral("chain8y"), [engine] {
        customers(kChainCustomers);
        products(kChainProducts);
        labor(40);
        tickets(kChainTickets, kChainCustomers);
        spreadDates(engine, QDate(2019, 1, 1), QDate(2019, 1, 1).daysTo(QDate(2026, 12, 1)));
        // A fleet's account: one ticket in 2,000 is theirs, and the tickets
        // it had go to the next customer.
        Bench::bulk(QStringLiteral("UPDATE sales SET customerid = CASE WHEN id % %1 = 0 THEN %2 ELSE %3 END "
                                   "WHERE id % %1 = 0 OR customerid = %2")
                        .arg(kChainTickets / kChainFleetTickets)
                        .arg(kChainFleetCustomer)
                        .arg(kChainFleetCustomer + 1));
        employeeShifts(engine, kChainEmployees, kChainToday, 5 * 365 + 1);
    });
}

} // namespace BenchData
