// A finalize caught by a server crash: the program says so, the ticket is
// wholly open or wholly closed afterwards, and work goes on once the server
// is back. The test runs a PostgreSQL server of its own, since it stops it.
#include "data/Database.h"
#include "sales/TicketStore.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using namespace SeedData;

QString serverScript(const QString &command, const QString &dir, bool *ok)
{
    QProcess p;
    p.start(QStringLiteral(PG_SERVER_SCRIPT), {command, dir});
    *ok = p.waitForFinished(120000) && p.exitCode() == 0;
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

class ServerCrash : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("TESSALY_TEST_PG") && !TestDatabase::PostgresRequired())
            GTEST_SKIP() << "PostgreSQL tests skipped";
        // Beside the private home, not in it: the server's own user must reach it.
        dir = QDir::tempPath() + QStringLiteral("/tessaly-crashing-server-%1").arg(QCoreApplication::applicationPid());
        bool ok = false;
        port = serverScript(QStringLiteral("start"), dir, &ok);
        ASSERT_TRUE(ok) << "the test server did not start";
        started = true;
        Database::ConnectionSettings s;
        s.engine = Engine::PostgreSQL;
        s.serverName = QStringLiteral("127.0.0.1:") + port;
        Database::SetOverride(s);
        ASSERT_TRUE(Database::GetConnection().isValid());
    }
    void TearDown() override
    {
        Database::SetOverride(std::nullopt);
        if (started) {
            bool ok = false;
            serverScript(QStringLiteral("stop"), dir, &ok);
        }
    }

    RecordingPrompts prompts;
    QString dir, port;
    bool started = false;
};

class Finalizer : public QThread
{
public:
    explicit Finalizer(int salesId) : m_salesId(salesId) { }
    TicketChange result = TicketChange::Done;

protected:
    void run() override
    {
        result = TicketStore::CloseTicket(m_salesId);
        Database::CloseConnections();
    }

private:
    int m_salesId;
};

TEST_F(ServerCrash, AFinalizeCutOffByACrashLeavesTheTicketWhole)
{
    const int p = product(QStringLiteral("111"), QStringLiteral("P"), 10, 10);
    const int t = ticket(customer(QStringLiteral("Ann"), QStringLiteral("Lee")));
    equipmentLine(t, QStringLiteral("P"), 10, 2);

    bool ok = false;
    {
        // Another counter holds the product row, so the finalize waits inside
        // its transaction.
        QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("holder"));
        holder.setHostName(QStringLiteral("127.0.0.1"));
        holder.setPort(port.toInt());
        holder.setDatabaseName(QStringLiteral("Tessaly"));
        holder.setUserName(QStringLiteral("kzv"));
        holder.setPassword(QStringLiteral("kzv"));
        ASSERT_TRUE(holder.open());
        QSqlQuery lock(holder);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN")));
        ASSERT_TRUE(lock.exec(QStringLiteral("select * from product where id = %1 for update").arg(p)));

        Finalizer finalizer(t);
        finalizer.start();
        QThread::msleep(800);
        EXPECT_TRUE(finalizer.isRunning()) << "the finalize should be waiting for the row";
        serverScript(QStringLiteral("crash"), dir, &ok);
        ASSERT_TRUE(ok);
        ASSERT_TRUE(finalizer.wait(60000));
        EXPECT_EQ(finalizer.result, TicketChange::Failed);
        holder.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:"))
                || prompts.messages[0].startsWith(QStringLiteral("GetConnection:")))
        << prompts.messages[0].toStdString();

    serverScript(QStringLiteral("revive"), dir, &ok);
    ASSERT_TRUE(ok);
    // The program goes on: the next statement opens a new connection.
    EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {t}).toString(), QStringLiteral("Open"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {p}).toDouble(), 10);
    EXPECT_EQ(TicketStore::CloseTicket(t), TicketChange::Done);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {p}).toDouble(), 8);
}

} // namespace
