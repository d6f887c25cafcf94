// Backups of the whole database and getting them back, on real engines.
#include "data/Backup.h"
#include "data/AuditLog.h"
#include "data/Database.h"
#include "gate/MasterCode.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

using namespace SeedData;

class BackupTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        folder = TestEnvironment::root() + QStringLiteral("/backups");
        QDir().mkpath(folder);
    }
    QString file(const QString &name) const { return folder + QLatin1Char('/') + name; }
    RecordingPrompts prompts;
    QString folder;
};

// Writes tickets of three lines each, one transaction per ticket, until told
// to stop, on a connection of its own.
class TicketWriter : public QThread
{
public:
    std::atomic<bool> stop{false};
    std::atomic<int> committed{0};

protected:
    void run() override
    {
        while (!stop) {
            const bool ok = Database::Transaction([] {
                const qint64 id = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")},
                                                      {QStringLiteral("Open")});
                for (int i = 0; i < 3 && id > 0; ++i)
                    Database::InsertRow(QStringLiteral("salesitem"),
                                        {QStringLiteral("salesid"), QStringLiteral("price")}, {id, 1.5});
                return id > 0;
            });
            if (ok)
                ++committed;
        }
        Database::CloseConnections();
    }
};

TEST_P(BackupTest, ABackupTakenWhileTicketsAreWrittenIsConsistent)
{
    if (GetParam() != Engine::SQLite)
        GTEST_SKIP() << "the server's own snapshot makes pg_dump consistent";
    TicketWriter writer;
    writer.start();
    while (writer.committed < 50)
        QThread::msleep(5);
    const int before = writer.committed;
    const Backup::Result r = Backup::Create(file(QStringLiteral("busy.db")));
    writer.stop = true;
    writer.wait();
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_GT(r.bytes, 0);
    EXPECT_TRUE(r.message.contains(QStringLiteral("busy.db")));

    const Backup::Info info = Backup::Inspect(r.file);
    ASSERT_TRUE(info.valid) << info.reason.toStdString();
    EXPECT_TRUE(info.taken.isValid());
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy"));
        copy.setDatabaseName(r.file);
        ASSERT_TRUE(copy.open());
        QSqlQuery q(copy);
        ASSERT_TRUE(q.exec(QStringLiteral("select count(*) from sales")) && q.next());
        EXPECT_GE(q.value(0).toInt(), before);
        ASSERT_TRUE(q.exec(QStringLiteral("select count(*) from sales where (select count(*) from salesitem where "
                                          "salesid = sales.id) <> 3"))
                    && q.next());
        EXPECT_EQ(q.value(0).toInt(), 0) << "no ticket without all its lines";
        copy.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy"));
}

TEST_P(BackupTest, RestoreBringsBackTheTicketsAndKeepsTheOldDatabaseAside)
{
    const int c = customer(QStringLiteral("Ann"), QStringLiteral("O'Neil"));
    const int t = ticket(c, QStringLiteral("Close"));
    equipmentLine(t, QStringLiteral("P"), 10, 2);
    const Backup::Result made = Backup::Create(file(QStringLiteral("good.backup")));
    ASSERT_TRUE(made.ok) << made.message.toStdString();

    ASSERT_EQ(Database::Execute(QStringLiteral("delete from salesitem")), 1);
    ASSERT_EQ(Database::Execute(QStringLiteral("delete from sales")), 1);
    customer(QStringLiteral("Added"), QStringLiteral("Later"));

    const Backup::Result restored = Backup::Restore(made.file);
    ASSERT_TRUE(restored.ok) << restored.message.toStdString();
    EXPECT_TRUE(restored.message.contains(QStringLiteral("tessaly-before-restore")));
    EXPECT_EQ(count(QStringLiteral("sales")), 1);
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_EQ(value(QStringLiteral("select lastname from customer")).toString(), QStringLiteral("O'Neil"));
    // New rows do not take the ids of rows that were restored.
    EXPECT_GT(customer(QStringLiteral("New"), QStringLiteral("One")), c);
}

// A restore brings back the shop's rows, never an older audit log: what was
// recorded after the backup stays, and the restore itself is recorded.
TEST_P(BackupTest, ARestoreKeepsTheAuditLogWrittenSinceTheBackupAndRecordsItself)
{
    ASSERT_TRUE(AuditLog::RecordAs(AuditLog::kMaster, AuditLog::kReopen, QStringLiteral("ticket 1")));
    const Backup::Result made = Backup::Create(file(QStringLiteral("audit.backup")));
    ASSERT_TRUE(made.ok) << made.message.toStdString();
    ASSERT_TRUE(AuditLog::RecordAs(AuditLog::kMaster, AuditLog::kTicketDelete, QStringLiteral("ticket 2")));

    const AuditLog::Acting acting(QStringLiteral("Ann Admin (#3)"));
    const Backup::Result restored = Backup::Restore(made.file);
    ASSERT_TRUE(restored.ok) << restored.message.toStdString();
    const auto rows = Database::GetRS(QStringLiteral("select who, action, subject from auditlog order by id"));
    ASSERT_TRUE(rows);
    QStringList log;
    for (int r = 0; r < rows->rowCount(); ++r)
        log << rows->text(r, QStringLiteral("who")) + QLatin1Char('/') + rows->text(r, QStringLiteral("action"))
                + QLatin1Char('/') + rows->text(r, QStringLiteral("subject"));
    EXPECT_EQ(log,
              (QStringList{QStringLiteral("master/re-open/ticket 1"), QStringLiteral("master/ticket delete/ticket 2"),
                           QStringLiteral("Ann Admin (#3)/restore/")}));
    EXPECT_TRUE(AuditLog::RecordAs(AuditLog::kMaster, AuditLog::kReopen, QStringLiteral("ticket 3")))
        << "the log goes on above the entries kept";
}

// The shop changed its master code after the backup was taken: a restore
// brings back the rows, not the code it gave up.
TEST_P(BackupTest, ARestoreOfAnOlderBackupKeepsTheShopsCurrentMasterCode)
{
    ASSERT_TRUE(MasterCode::Change(QStringLiteral("4711")));
    const Backup::Result made = Backup::Create(file(QStringLiteral("old-code.backup")));
    ASSERT_TRUE(made.ok) << made.message.toStdString();
    ASSERT_TRUE(MasterCode::Change(QStringLiteral("52525")));

    const Backup::Result restored = Backup::Restore(made.file);
    ASSERT_TRUE(restored.ok) << restored.message.toStdString();
    EXPECT_TRUE(MasterCode::Matches(QStringLiteral("52525")));
    EXPECT_FALSE(MasterCode::Matches(QStringLiteral("4711")));
    EXPECT_FALSE(MasterCode::IsDefault());
}

// The second restore of one backup finds the first one's mark replaced by
// the backup's older one: it is still this counter's own restore.
TEST_P(BackupTest, TheSameBackupRestoredTwiceRecordsBothRestores)
{
    const Backup::Result made = Backup::Create(file(QStringLiteral("twice.backup")));
    ASSERT_TRUE(made.ok) << made.message.toStdString();
    const Backup::Result first = Backup::Restore(made.file);
    ASSERT_TRUE(first.ok) << first.message.toStdString();
    const Backup::Result second = Backup::Restore(made.file);
    ASSERT_TRUE(second.ok) << second.message.toStdString();
    EXPECT_EQ(value(QStringLiteral("select count(*) from auditlog where action = ?"), {AuditLog::kRestore}).toInt(), 2);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

// When the entries written since the backup can't go back into the restored
// log, the restore says so, writes none of them (nor its own entry) and
// keeps the log as it was in a file beside the copy it kept aside.
TEST_P(BackupTest, AnAuditLogThatCannotBeBroughtUpToDateIsKeptInAFile)
{
    if (GetParam() != Engine::PostgreSQL)
        GTEST_SKIP() << "the embedded restore copies the shop's tables and leaves the log as it is";
    const auto dropCheck = qScopeGuard(
        [] { Database::Execute(QStringLiteral("ALTER TABLE auditlog DROP CONSTRAINT IF EXISTS refuses_ticket_2")); });
    ASSERT_TRUE(AuditLog::RecordAs(AuditLog::kMaster, AuditLog::kReopen, QStringLiteral("ticket 1")));
    // A backup whose log will not take the entry written after it.
    ASSERT_GE(Database::Execute(
                  QStringLiteral("ALTER TABLE auditlog ADD CONSTRAINT refuses_ticket_2 CHECK (subject <> 'ticket 2')")),
              0);
    const Backup::Result made = Backup::Create(file(QStringLiteral("stubborn.backup")));
    ASSERT_TRUE(made.ok) << made.message.toStdString();
    ASSERT_GE(Database::Execute(QStringLiteral("ALTER TABLE auditlog DROP CONSTRAINT refuses_ticket_2")), 0);
    ASSERT_TRUE(AuditLog::RecordAs(AuditLog::kMaster, AuditLog::kTicketDelete, QStringLiteral("ticket 2")));
    customer(QStringLiteral("Added"), QStringLiteral("Later"));

    const Backup::Result r = Backup::Restore(made.file);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("the audit log could not be brought up to date")))
        << r.message.toStdString();
    EXPECT_EQ(count(QStringLiteral("customer")), 0) << "the backup's rows are back";
    EXPECT_EQ(value(QStringLiteral("select count(*) from auditlog where action = ?"), {AuditLog::kRestore}).toInt(), 0)
        << "nothing of the unit was written";

    const QRegularExpressionMatch kept =
        QRegularExpression(QStringLiteral("is kept in (\\S+-auditlog\\.csv)\\.")).match(r.message);
    ASSERT_TRUE(kept.hasMatch()) << r.message.toStdString();
    const QRegularExpressionMatch aside =
        QRegularExpression(QStringLiteral("The database as it was is kept in (\\S+)\\.$")).match(r.message);
    ASSERT_TRUE(aside.hasMatch()) << r.message.toStdString();
    EXPECT_EQ(QFileInfo(kept.captured(1)).absolutePath(), QFileInfo(aside.captured(1)).absolutePath());
    QFile entries(kept.captured(1));
    ASSERT_TRUE(entries.open(QIODevice::ReadOnly)) << kept.captured(1).toStdString();
    const QStringList lines = QString::fromUtf8(entries.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("id,at,counter,who,action,subject,details"));
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",master,re-open,ticket 1,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral(",master,ticket delete,ticket 2,"))) << lines[2].toStdString();
}

// Another counter: its own thread, so its own connection and its own idea
// of what the database was when it read it. Each step runs there and is
// waited for.
class OtherCounterThread
{
public:
    OtherCounterThread() : m_thread([this] { loop(); }) { }
    ~OtherCounterThread()
    {
        run([] { Database::CloseConnections(); });
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    void run(std::function<void()> step)
    {
        std::unique_lock lock(m_mutex);
        m_step = std::move(step);
        m_wake.notify_all();
        m_wake.wait(lock, [this] { return !m_step; });
    }

private:
    void loop()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_quit || bool(m_step); });
            if (m_quit)
                return;
            m_step();
            m_step = nullptr;
            m_wake.notify_all();
        }
    }
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::function<void()> m_step;
    bool m_quit = false;
    std::thread m_thread;
};

// Counter B shows ticket 1 while counter A restores yesterday's backup: B's
// next write is refused and said once, nothing of it reaches the restored
// ticket, and B goes on once its screen started afresh. The ticket number A
// handed out after the backup never comes back.
TEST_P(BackupTest, ARestoreAtOneCounterStopsTheOthersWritesAndNeverReusesATicketNumber)
{
    const int c = customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const int shown = ticket(c);
    const Backup::Result made = Backup::Create(file(QStringLiteral("yesterday.backup")));
    ASSERT_TRUE(made.ok) << made.message.toStdString();
    std::atomic<int> startedAfresh{0};
    Database::SetRestoredElsewhereHandler([&startedAfresh] { ++startedAfresh; });
    OtherCounterThread b;
    qint64 written = -2;
    // B has only read the ticket it shows.
    b.run([&] { written = Database::GetRS(QStringLiteral("select * from sales where id = ?"), {shown})->rowCount(); });
    ASSERT_EQ(written, 1);
    const int printed = ticket(c); // handed out after the backup, on paper now

    if (GetParam() == Engine::PostgreSQL) {
        EXPECT_EQ(Backup::OtherCounters(), 1);
    }
    const Backup::Result restored = Backup::Restore(made.file);
    ASSERT_TRUE(restored.ok) << restored.message.toStdString();
    prompts.messages.clear();

    b.run([&] {
        written = Database::Execute(QStringLiteral("update sales set note = ? where id = ?"),
                                    {QStringLiteral("B typed"), shown});
    });
    EXPECT_EQ(written, -1);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().contains(QStringLiteral("restored at another counter")))
        << prompts.messages.first().toStdString();
    EXPECT_EQ(startedAfresh, 1);
    b.run([&] { written = Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid")}, {shown}); });
    EXPECT_LT(written, 0) << "refused until the screen started afresh";
    EXPECT_EQ(prompts.messages.size(), 1) << "said once";
    EXPECT_TRUE(value(QStringLiteral("select note from sales where id = ?"), {shown}).isNull());
    EXPECT_EQ(count(QStringLiteral("salesitem")), 0);

    b.run([&] {
        Database::StartAfreshAfterRestore();
        written = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("customerid"), QStringLiteral("status")},
                                      {c, QStringLiteral("Open")});
    });
    EXPECT_GT(written, printed);
    EXPECT_GT(ticket(c), printed);
    EXPECT_EQ(startedAfresh, 1);
    Database::SetRestoredElsewhereHandler(nullptr);
}

TEST_P(BackupTest, AFileThatIsNoBackupIsRefusedAndNothingChanges)
{
    customer(QStringLiteral("Stays"), QStringLiteral("Put"));
    QFile text(file(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just some notes\n");
    text.close();
    const Backup::Result r = Backup::Restore(text.fileName());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("not a Tessaly backup"))) << r.message.toStdString();
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_FALSE(Backup::Restore(file(QStringLiteral("absent.db"))).ok);
}

TEST_P(BackupTest, ATruncatedBackupIsRefused)
{
    for (int i = 0; i < 300; ++i)
        customer(QStringLiteral("Many"), QStringLiteral("Customer %1").arg(i));
    const Backup::Result made = Backup::Create(file(QStringLiteral("cut.backup")));
    ASSERT_TRUE(made.ok);
    QFile f(made.file);
    ASSERT_TRUE(f.resize(f.size() / 2));
    ASSERT_EQ(
        Database::Execute(QStringLiteral("delete from customer where lastname = ?"), {QStringLiteral("Customer 7")}),
        1);
    const Backup::Result r = Backup::Restore(made.file);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(count(QStringLiteral("customer")), 299);
}

TEST_P(BackupTest, TheLiveDatabaseIsNeverItsOwnBackupTarget)
{
    if (GetParam() != Engine::SQLite)
        GTEST_SKIP() << "only the embedded database is a file";
    const QString live = Database::CurrentSettings().sqliteFile;
    customer(QStringLiteral("Keep"), QStringLiteral("Me"));
    const Backup::Result r = Backup::Create(live);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("in use")));
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, BackupTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
