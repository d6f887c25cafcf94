// Several counters selling at once on one shop of 1,000,000 tickets: each
// counter is a process of its own that runs a fixed number of whole sales
// (find the customer, a new ticket, five equipment lines from a few products
// every counter sells, one labor line, a payment, finalize; every tenth
// ticket re-opened and finalized again). The figures are the finalize times
// of all counters, the sales that failed, and whether every product's stock
// is its start less what the closed tickets took.
//   bench_counters                       the benchmark (eight counters on PostgreSQL, two on SQLite)
//   bench_counters --counter ENGINE WHERE CATALOG SALES SEED OUT
//                                        one counter (started by the benchmark itself)
#include "bench/BenchData.h"
#include "bench/BenchSupport.h"
#include "customers/CustomerList.h"
#include "customers/CustomerStore.h"
#include "data/AuditLog.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "sales/StockMoves.h"
#include "sales/TicketLines.h"
#include "sales/TicketRows.h"
#include "sales/TicketStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kSalesPerCounter = 150;
constexpr int kHotProducts = 12; // the products every counter sells, ids 1..12
constexpr int kLaborPrices = 40;

// One counter's sales: their finalize times and how many failed.
class Counter
{
public:
    Counter(quint32 seed, QTextStream &out) : m_random(seed), m_out(out) { }

    bool open()
    {
        // The search list's first page, as the customer lookup reads it.
        const std::optional<Recordset> rs = CustomerStore::ReadListPage(CustomerFilter(), CustomerListOrder(), 0, 200);
        return rs && rs->rowCount() > 0;
    }

    void sell(int n)
    {
        const bool reopen = n % 10 == 9;
        const bool ok = sale(reopen);
        m_out << (ok ? "sale ok\n" : "sale failed\n");
    }

private:
    bool sale(bool reopen)
    {
        const int customerId = findCustomer();
        if (customerId <= 0)
            return false;
        int id = 0;
        if (TicketStore::NewTicket(customerId, &id) != TicketStore::NewTicketResult::Created)
            return false;
        for (int i = 0; i < 5; ++i) {
            const int product = 1 + int(m_random.bounded(kHotProducts));
            if (TicketLines::AddTicketLine(id, QString::number(product), TicketLines::Source::ProductId)
                != TicketLines::Result::Done)
                return false;
        }
        // One quantity typed over, as the clerk does when a customer takes two.
        const std::optional<TicketRows> rows = TicketRows::read(id);
        if (!rows || rows->equipment.rowCount() != 5)
            return false;
        const int line = rows->equipment.value(int(m_random.bounded(5)), QStringLiteral("id")).toInt();
        if (TicketLines::EditEquipmentLine(id, line, TicketLines::EquipmentColumn::Quantity,
                                           QString::number(1 + m_random.bounded(3)))
            != TicketLines::Result::Done)
            return false;
        const int labor = 1 + int(m_random.bounded(kLaborPrices));
        if (TicketLines::AddTicketLine(id, QString::number(labor), TicketLines::Source::LaborId,
                                       TicketLines::PriceColumn::Ours)
                != TicketLines::Result::Done
            || TicketLines::AddPayment(id, QStringLiteral("Cash"), QStringLiteral("250.00"))
                != TicketLines::Result::Done)
            return false;
        if (!finalize(id))
            return false;
        if (!reopen)
            return true;
        {
            const AuditLog::Acting acting(QStringLiteral("Bench Admin"));
            if (TicketStore::ReopenTicket(id) != TicketChange::Done)
                return false;
        }
        return finalize(id);
    }

    // A customer found by the first letters of a last name, then loaded.
    int findCustomer()
    {
        static const char *const names[] = {"Smith", "Jones", "Garcia", "Miller", "Brown", "Davis"};
        CustomerFilter filter;
        filter.lastName =
            QStringLiteral("%1%2").arg(QLatin1String(names[m_random.bounded(6)])).arg(m_random.bounded(977));
        const std::optional<Recordset> rs = CustomerStore::ReadListPage(filter, CustomerListOrder(), 0, 200);
        if (!rs)
            return 0;
        const CustomerList hits = CustomerList::fromRecordset(*rs);
        if (hits.size() == 0)
            return 0;
        const int id = hits.at(int(m_random.bounded(quint32(hits.size())))).id;
        CustomerRecord record;
        return CustomerStore::Load(id, &record) == CustomerStore::LoadResult::Loaded ? id : 0;
    }

    // What the Finalize button does once its questions are answered: the
    // lines no product has, then the close with its stock.
    bool finalize(int id)
    {
        QElapsedTimer timer;
        timer.start();
        const bool ok = StockMoves::UnmatchedLines(id).has_value()
            && TicketStore::CloseTicket(id) == TicketChange::Done;
        if (ok)
            m_out << "finalize " << double(timer.nsecsElapsed()) / 1e6 << '\n';
        return ok;
    }

    QRandomGenerator m_random;
    QTextStream &m_out;
};

int runCounter(const QStringList &args)
{
    // ENGINE WHERE CATALOG SALES SEED OUT
    Database::ConnectionSettings s;
    s.engine = args[0] == QLatin1String("PostgreSQL") ? Engine::PostgreSQL : Engine::SQLite;
    if (s.engine == Engine::SQLite)
        s.sqliteFile = args[1];
    else
        s.serverName = args[1];
    s.catalog = args[2];
    s.createIfMissing = false;
    Database::SetOverride(s);
    QFile file(args[5]);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return 2;
    QTextStream out(&file);
    Counter counter(args[4].toUInt(), out);
    if (!counter.open())
        return 1;
    const int sales = args[3].toInt();
    for (int n = 0; n < sales; ++n)
        counter.sell(n);
    Database::CloseConnections();
    return 0;
}

// Every product's stock by id.
QMap<int, double> stockNow()
{
    QMap<int, double> stock;
    const std::optional<Recordset> rs = Database::GetRS(QStringLiteral("select id, qoh from product"));
    for (int r = 0; rs && r < rs->rowCount(); ++r)
        stock.insert(rs->value(r, 0).toInt(), rs->value(r, 1).toDouble());
    return stock;
}

// The products whose stock is not their start less what the tickets closed
// since (those above `lastTicket`) took: each line's part number is its
// product's alone in this shop.
int stockMismatches(const QMap<int, double> &start, int lastTicket)
{
    const std::optional<Recordset> parts = Database::GetRS(QStringLiteral("select id, partnumber from product"));
    const std::optional<Recordset> sold = Database::GetRS(
        QStringLiteral("select si.partnumber, sum(si.quantity) from salesitem si join sales s on s.id = si.salesid "
                       "where s.id > ? and upper(trim(s.status)) = 'CLOSE' group by si.partnumber"),
        {lastTicket});
    if (!parts || !sold)
        return -1;
    QMap<QString, double> taken;
    for (int r = 0; r < sold->rowCount(); ++r)
        taken.insert(sold->value(r, 0).toString().trimmed(), sold->value(r, 1).toDouble());
    const QMap<int, double> now = stockNow();
    int wrong = 0;
    for (int r = 0; r < parts->rowCount(); ++r) {
        const int id = parts->value(r, 0).toInt();
        const double expected = start.value(id) - taken.value(parts->value(r, 1).toString().trimmed());
        if (!now.contains(id) || qAbs(now.value(id) - expected) > 1e-6) {
            if (wrong < 5)
                std::fprintf(stderr, "bench_counters: product %d has %g in stock, %g expected\n", id, now.value(id),
                             expected);
            ++wrong;
        }
    }
    return wrong;
}

// The deadlocks the server has broken up in this database so far (the data
// layer runs such a unit of work again); 0 on SQLite, which has none.
qint64 deadlocks(Engine engine)
{
    if (engine != Engine::PostgreSQL)
        return 0;
    const std::optional<Recordset> rs = Database::GetRS(
        QStringLiteral("select deadlocks from pg_stat_database where datname = current_database()"));
    return rs && !rs->isEmpty() ? rs->value(0, 0).toLongLong() : 0;
}

double percentile95(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[size_t(double(values.size() - 1) * 0.95 + 0.5)];
}

void runCounters(Engine engine)
{
    if (!BenchData::useChain(engine)) {
        Bench::unavailable(engine);
        return;
    }
    const QString name = Bench::engineName(engine);
    const int counters = engine == Engine::PostgreSQL ? 8 : 2;
    const Database::ConnectionSettings s = Database::CurrentSettings();
    const QMap<int, double> start = stockNow();
    const std::optional<Recordset> last = Database::GetRS(QStringLiteral("select max(id) from sales"));
    if (!last || start.isEmpty()) {
        Bench::unavailable(engine, QStringLiteral("the shop could not be read"));
        return;
    }
    const int lastTicket = last->value(0, 0).toInt();
    const qint64 deadlocksBefore = deadlocks(engine);
    Database::CloseConnections();

    QTemporaryDir outDir;
    std::vector<std::unique_ptr<QProcess>> processes;
    QElapsedTimer wall;
    wall.start();
    for (int c = 0; c < counters; ++c) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--counter"), name, engine == Engine::SQLite ? s.sqliteFile : s.serverName, s.catalog,
                  QString::number(kSalesPerCounter), QString::number(1000 + c),
                  outDir.filePath(QStringLiteral("counter%1.txt").arg(c))});
        processes.push_back(std::move(p));
    }
    int failed = 0;
    std::vector<double> finalizeTimes;
    for (int c = 0; c < counters; ++c) {
        QProcess &p = *processes[size_t(c)];
        const bool ran = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        QFile file(outDir.filePath(QStringLiteral("counter%1.txt").arg(c)));
        int done = 0;
        if (ran && file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&file);
            for (QString line = in.readLine(); !line.isNull(); line = in.readLine()) {
                if (line.startsWith(QLatin1String("finalize ")))
                    finalizeTimes.push_back(line.mid(9).toDouble());
                else if (line == QLatin1String("sale failed"))
                    ++failed, ++done;
                else if (line == QLatin1String("sale ok"))
                    ++done;
            }
        }
        failed += kSalesPerCounter - done; // a counter that stopped early failed the rest
    }
    const double seconds = double(wall.elapsed()) / 1000.0;
    std::fprintf(stderr, "bench_counters: %s, %d counters × %d sales in %.1f s, %zu finalizes\n", qPrintable(name),
                 counters, kSalesPerCounter, seconds, finalizeTimes.size());

    Database::SetOverride(s);
    const int mismatches = stockMismatches(start, lastTicket);
    const qint64 broken = deadlocks(engine) - deadlocksBefore;
    const QString who = QStringLiteral("%1 counters, 1M tickets").arg(counters);
    Bench::Figure p95{QStringLiteral("finalize p95, %1").arg(who), name, percentile95(finalizeTimes), 50.0};
    Bench::print(p95);
    Bench::print({QStringLiteral("finalize median, %1").arg(who), name, Bench::median(finalizeTimes)});
    Bench::Figure failures{QStringLiteral("failed sales of %1").arg(counters * kSalesPerCounter), name, double(failed)};
    failures.unit = QStringLiteral("sales");
    failures.zeroTarget = true;
    Bench::print(failures);
    Bench::Figure stock{QStringLiteral("products whose stock is off"), name, double(mismatches < 0 ? 1 : mismatches)};
    stock.unit = QStringLiteral("products");
    stock.zeroTarget = true;
    Bench::print(stock);
    Bench::Figure waits{QStringLiteral("deadlocks broken up (units run again)"), name, double(broken)};
    waits.unit = QStringLiteral("times");
    Bench::print(waits);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 8 && args[1] == QLatin1String("--counter"))
        return runCounter(args.mid(2));
    Bench::printHeader();
    for (Engine engine : Bench::engines())
        runCounters(engine);
    Database::SetOverride(std::nullopt);
    return 0;
}
