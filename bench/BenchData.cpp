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

bool useChain(Engine engine)
{
    return Bench::useCachedDatabase(engine, QStringLiteral("chain"), [] {
        customers(kChainCustomers);
        products(kChainProducts);
        labor(40);
        tickets(kChainTickets, kChainCustomers);
    });
}

} // namespace BenchData
