// Finalizing and re-opening a 100-line ticket (status, close date and the
// stock of 100 part numbers in one transaction, its ratio to the same
// statements run bare at most 2), and the full redisplay of
// the ticket area after one line edit, on a shop of 20,000 tickets.
#include "bench/BenchData.h"
#include "bench/BenchSupport.h"
#include "data/Database.h"
#include "sales/StockMoves.h"
#include "sales/TicketArea.h"
#include "sales/TicketLines.h"
#include "sales/TicketRows.h"
#include "sales/TicketStore.h"

#include <QApplication>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kLines = 100;

// A ticket of 100 equipment lines, each of another part, plus labor and a
// payment. Returns its id.
int bigTicket()
{
    const qint64 id = Database::InsertRow(
        QStringLiteral("sales"), {QStringLiteral("customerid"), QStringLiteral("saledate"), QStringLiteral("status")},
        {1, QStringLiteral("2026-03-01 10:00:00"), QStringLiteral("Open")});
    Bench::bulk(QStringLiteral("WITH RECURSIVE seq(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM seq WHERE i < %1) "
                               "INSERT INTO salesitem (salesid, partnumber, barcode, modelnumber, description, price, "
                               "quantity) SELECT %2, 'P-' || (i * 37), 'BC' || (i * 37), 'M-' || (i * 37), "
                               "'Product line ' || i, 19.99 + i, 1 + i % 3 FROM seq")
                    .arg(kLines)
                    .arg(id));
    Bench::bulk(
        QStringLiteral("INSERT INTO saleslabor (salesid, description, charge, quantity) VALUES (%1, 'Install', 75, 2)")
            .arg(id));
    Bench::bulk(QStringLiteral("INSERT INTO payment (salesid, description, amount) VALUES (%1, 'Visa', 40)").arg(id));
    return int(id);
}

// The same statements bare, each prepared once on one connection: the
// transaction, the data layer's check that the database was not restored
// meanwhile, the status, the stock of all the ticket's products in one
// update, and the audit log's question who last re-opened the ticket.
class BareFinalize
{
public:
    explicit BareFinalize(const QSqlDatabase &db)
        : m_db(db)
        , m_generation(db)
        , m_status(db)
        , m_stock(db)
        , m_reopener(db)
    {
        m_generation.setForwardOnly(true);
        m_generation.prepare(QStringLiteral("select value from tessaly_info where name = 'restore_generation'"));
        m_status.prepare(QStringLiteral("update sales set status = ?, Closedate = ? where id = ? and %1 = ?")
                             .arg(Database::CurrentDialect().trimUpper(QStringLiteral("status"))));
        m_stock.prepare(StockMoves::MoveStatement());
        m_reopener.setForwardOnly(true);
        m_reopener.prepare(
            QStringLiteral("select who from auditlog where action = ? and subject = ? order by id desc"));
    }

    void run(int id, int sign)
    {
        m_db.transaction();
        m_generation.exec();
        m_generation.next();
        m_generation.finish();
        m_status.addBindValue(sign < 0 ? QStringLiteral("Close") : QStringLiteral("Open"));
        m_status.addBindValue(QStringLiteral("2026-03-01 11:00:00"));
        m_status.addBindValue(id);
        m_status.addBindValue(sign < 0 ? QStringLiteral("OPEN") : QStringLiteral("CLOSE"));
        m_status.exec();
        m_stock.addBindValue(sign);
        m_stock.addBindValue(id);
        m_stock.addBindValue(id);
        m_stock.exec();
        m_reopener.addBindValue(QStringLiteral("re-open"));
        m_reopener.addBindValue(QStringLiteral("ticket %1").arg(id));
        m_reopener.exec();
        m_reopener.next();
        m_reopener.finish();
        m_db.commit();
    }

private:
    QSqlDatabase m_db;
    QSqlQuery m_generation, m_status, m_stock, m_reopener;
};

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "bench: %s failed: %s\n", what, qPrintable(Database::LastError()));
        std::exit(1);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::printHeader();
    for (Engine engine : Bench::engines()) {
        if (!Bench::useCachedDatabase(engine, QStringLiteral("lifecycle"), [] {
                BenchData::customers(1000);
                BenchData::products(5000);
                BenchData::tickets(20000, 1000);
            })) {
            Bench::unavailable(engine);
            continue;
        }
        const QString name = Bench::engineName(engine);
        const int id = bigTicket();

        // Finalize and re-open alternate, so each run finds the state it needs.
        const int runs = 40;
        const double close = Bench::medianMs(
            [&] {
                require(TicketStore::CloseTicket(id) == TicketChange::Done, "finalize");
                require(TicketStore::ReopenTicket(id) == TicketChange::Done, "re-open");
            },
            runs, 3);
        std::vector<double> finalize, reopen;
        for (int i = 0; i < runs; ++i) {
            finalize.push_back(Bench::medianMs(
                [&] { require(TicketStore::CloseTicket(id) == TicketChange::Done, "finalize"); }, 1, 0));
            reopen.push_back(Bench::medianMs(
                [&] { require(TicketStore::ReopenTicket(id) == TicketChange::Done, "re-open"); }, 1, 0));
        }
        BareFinalize bareFinalize(Database::GetConnection());
        int sign = -1;
        const double bare = Bench::medianMs(
            [&] {
                bareFinalize.run(id, sign);
                sign = -sign;
            },
            runs, 2);
        Bench::print({QStringLiteral("finalize, 100-line ticket"), name, Bench::median(finalize),
                      engine == Engine::SQLite ? 20.0 : 0.0, bare, 2.0});
        Bench::print({QStringLiteral("re-open, 100-line ticket"), name, Bench::median(reopen)});
        Bench::print({QStringLiteral("finalize + re-open"), name, close});

        // The ticket area as the window shows it, after one quantity edit.
        TicketArea area;
        area.resize(1300, 900);
        area.ShowTicket(id);
        area.show();
        QCoreApplication::processEvents();
        const int lineId = TicketRows::read(id)->equipment.value(50, QStringLiteral("id")).toInt();
        int quantity = 1;
        // Read, computed, filled and painted.
        const auto show = [&] {
            area.ShowTicket(id);
            area.repaint();
        };
        const double redisplay = Bench::medianMs(show, 200, 10);
        const double editAndShow = Bench::medianMs(
            [&] {
                quantity = quantity % 5 + 1;
                require(TicketLines::EditEquipmentLine(id, lineId, TicketLines::EquipmentColumn::Quantity,
                                                       QString::number(quantity))
                            == TicketLines::Result::Done,
                        "edit");
                show();
            },
            200, 10);
        Bench::print({QStringLiteral("redisplay of a 100-line ticket"), name, redisplay, 10.0});
        Bench::print({QStringLiteral("one line edit + redisplay"), name, editAndShow});
    }
    Database::SetOverride(std::nullopt);
    return 0;
}
