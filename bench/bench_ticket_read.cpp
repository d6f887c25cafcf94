// Reading one ticket back and computing its figures through the data layer,
// against the same statements run bare through QSqlQuery on one connection.
#include "bench/BenchData.h"
#include "bench/BenchSupport.h"
#include "data/Database.h"
#include "sales/TicketFigures.h"
#include "sales/TicketReader.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cstdio>

namespace {

constexpr int kTickets = 100000;

void throughTheLayer(int id)
{
    const auto header = Database::GetRS(QStringLiteral("select * from sales where id = ?"), {id});
    const auto input = ReadTicketInput(id, header->value(0, QStringLiteral("TaxExempt")));
    const TicketFigures f = ComputeTicketFigures(*input);
    if (f.total.isNegative())
        std::abort();
}

void bare(QSqlDatabase &db, int id)
{
    const char *statements[] = {"select * from sales where id = ?",
                                "select * from salesitem where salesid = ? order by id",
                                "select * from saleslabor where salesid = ? order by id",
                                "select * from payment where salesid = ? order by id"};
    double sum = 0;
    for (const char *sql : statements) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QString::fromLatin1(sql));
        q.addBindValue(id);
        q.exec();
        const int columns = q.record().count();
        while (q.next()) {
            for (int c = 0; c < columns; ++c)
                sum += q.value(c).isNull() ? 0 : 1;
        }
    }
    if (sum < 0)
        std::abort();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Bench::printHeader();
    for (Engine engine : Bench::engines()) {
        if (!Bench::useCachedDatabase(engine, QStringLiteral("ticketread"), [] {
                BenchData::customers(1000);
                BenchData::tickets(kTickets, 1000);
            })) {
            Bench::unavailable(engine);
            continue;
        }
        QSqlDatabase db = Database::GetConnection();
        QRandomGenerator rng(42);
        const int runs = 2000;
        const Bench::PairedMedians m = Bench::pairedMedianMs(
            throughTheLayer, [&db](int id) { bare(db, id); }, [&rng] { return 1 + int(rng.bounded(kTickets)); }, runs,
            200);
        Bench::print({QStringLiteral("ticket read + figures (100,000 tickets)"), Bench::engineName(engine), m.first, 0,
                      m.second, 1.5});
    }
    Database::SetOverride(std::nullopt);
    return 0;
}
