// Two counters at once on one PostgreSQL server: stock stays exact, and a
// deadlock between two units of work is retried instead of lost.
#include "data/Database.h"
#include "sales/TicketStore.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QProcess>
#include <QSemaphore>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace {

using namespace SeedData;

class TwoCounters : public ::testing::Test
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(Engine::PostgreSQL); }
    RecordingPrompts prompts;
};

TEST_F(TwoCounters, StockEqualsTheStartLessExactlyTheClosedTickets)
{
    const QStringList parts = {QStringLiteral("P-1"), QStringLiteral("P-2"), QStringLiteral("P-3")};
    QList<int> products;
    for (const QString &p : parts)
        products << product(QStringLiteral("BC") + p, p, 10, 1000);
    const int c = customer(QStringLiteral("Two"), QStringLiteral("Counters"));
    QList<int> mine, theirs;
    for (int i = 0; i < 6; ++i) {
        const int a = ticket(c);
        for (int k = 0; k < 3; ++k)
            equipmentLine(a, parts[k], 10, 1 + k); // P-1, P-2, P-3
        mine << a;
        const int b = ticket(c);
        for (int k = 2; k >= 0; --k)
            equipmentLine(b, parts[k], 10, 2); // the other way round
        theirs << b;
    }
    const Database::ConnectionSettings s = Database::CurrentSettings();
    const auto start = [&](const QList<int> &tickets) {
        auto *p = new QProcess;
        QStringList args{s.serverName, s.catalog, QStringLiteral("5")};
        for (int t : tickets)
            args << QString::number(t);
        p->start(QStringLiteral(COUNTER_WORKER), args);
        return p;
    };
    QProcess *first = start(mine);
    QProcess *second = start(theirs);
    for (QProcess *p : {first, second}) {
        ASSERT_TRUE(p->waitForFinished(180000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        delete p;
    }
    // Each of my tickets holds 1 + 2 + 3, each of theirs 2 + 2 + 2: six of each.
    const double expected[] = {1000 - 6 * 1 - 6 * 2, 1000 - 6 * 2 - 6 * 2, 1000 - 6 * 3 - 6 * 2};
    for (int k = 0; k < 3; ++k)
        EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {products[k]}).toDouble(),
                         expected[k])
            << parts[k].toStdString();
    EXPECT_EQ(value(QStringLiteral("select count(*) from sales where upper(trim(status)) = 'CLOSE'")).toInt(), 12);
}

// Takes two rows in the given order, meeting the other thread in between so
// that the two orders cross.
class CrossingUnit : public QThread
{
public:
    CrossingUnit(int first, int second, QSemaphore &mine, QSemaphore &theirs)
        : m_first(first)
        , m_second(second)
        , m_mine(mine)
        , m_theirs(theirs)
    { }
    std::atomic<int> attempts{0};
    bool committed = false;

protected:
    void run() override
    {
        committed = Database::Transaction([this] {
            const bool firstAttempt = ++attempts == 1;
            if (Database::Execute(QStringLiteral("update product set qoh = qoh - 1 where id = ?"), {m_first}) != 1)
                return false;
            if (firstAttempt) {
                m_mine.release();
                m_theirs.acquire();
            }
            return Database::Execute(QStringLiteral("update product set qoh = qoh - 1 where id = ?"), {m_second}) == 1;
        });
        Database::CloseConnections();
    }

private:
    int m_first, m_second;
    QSemaphore &m_mine, &m_theirs;
};

TEST_F(TwoCounters, ADeadlockIsRetriedAndBothUnitsOfWorkLand)
{
    const int a = product(QStringLiteral("A"), QStringLiteral("A"), 1, 100);
    const int b = product(QStringLiteral("B"), QStringLiteral("B"), 1, 100);
    QSemaphore left, right;
    CrossingUnit one(a, b, left, right), two(b, a, right, left);
    one.start();
    two.start();
    ASSERT_TRUE(one.wait(60000));
    ASSERT_TRUE(two.wait(60000));
    EXPECT_TRUE(one.committed);
    EXPECT_TRUE(two.committed);
    EXPECT_EQ(one.attempts + two.attempts, 3)
        << "exactly one of the two was chosen as the deadlock victim and ran again";
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {a}).toDouble(), 98);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {b}).toDouble(), 98);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

} // namespace
