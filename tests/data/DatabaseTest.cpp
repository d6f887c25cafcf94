// The data access layer against real engines: statements, results, failures,
// transactions and the text rules the old server had.
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Settings.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class DatabaseTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
};

qint64 addCustomer(const QString &first, const QString &last)
{
    return Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("firstname"), QStringLiteral("lastname")},
                               {first, last});
}

TEST_P(DatabaseTest, ApostrophesRoundTripInEveryTextValue)
{
    const QString last = QStringLiteral("O'Brien");
    const QString note = QStringLiteral("it's 'quoted' -- ; drop table sales; '");
    const qint64 id = addCustomer(QStringLiteral("D'Arcy"), last);
    ASSERT_GT(id, 0);
    ASSERT_EQ(Database::Execute(QStringLiteral("update customer set address1 = ? where id = ?"), {note, id}), 1);
    const auto rs = Database::GetRS(QStringLiteral("select * from customer where lastname = ?"), {last});
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 1);
    EXPECT_EQ(rs->value(0, QStringLiteral("FirstName")).toString(), QStringLiteral("D'Arcy"));
    EXPECT_EQ(rs->value(0, QStringLiteral("ADDRESS1")).toString(), note);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(DatabaseTest, ExecuteOfABadStatementSaysExecuteAndReturnsFailure)
{
    EXPECT_EQ(Database::Execute(QStringLiteral("update nosuchtable set x = 1")), -1);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:"))) << prompts.messages[0].toStdString();
    EXPECT_FALSE(Database::GetRS(QStringLiteral("select * from nosuchtable")));
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].startsWith(QStringLiteral("GetRS:")));
    // The connection is still good afterwards.
    EXPECT_GT(addCustomer(QStringLiteral("A"), QStringLiteral("B")), 0);
}

TEST_P(DatabaseTest, ExecuteCountsTheRowsItChanged)
{
    addCustomer(QStringLiteral("A"), QStringLiteral("Smith"));
    addCustomer(QStringLiteral("B"), QStringLiteral("Smith"));
    addCustomer(QStringLiteral("C"), QStringLiteral("Jones"));
    EXPECT_EQ(Database::Execute(QStringLiteral("update customer set city = ? where lastname = ?"),
                                {QStringLiteral("Austin"), QStringLiteral("Smith")}),
              2);
    EXPECT_EQ(Database::Execute(QStringLiteral("delete from customer where id = ?"), {987654}), 0);
}

TEST_P(DatabaseTest, NewIdsComeFromTheEngineAndAreDistinct)
{
    const qint64 a = addCustomer(QStringLiteral("Cash Sale"), QString());
    const qint64 b = addCustomer(QStringLiteral("Cash Sale"), QString());
    EXPECT_GT(a, 0);
    EXPECT_GT(b, a);
    // Ids beyond the old 16-bit limit work.
    ASSERT_EQ(Database::Execute(QStringLiteral("insert into customer (id, firstname) values (?, ?)"),
                                {70000, QStringLiteral("Big")}),
              1);
    const auto rs = Database::GetRS(QStringLiteral("select firstname from customer where id = ?"), {70000});
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->value(0, 0).toString(), QStringLiteral("Big"));
}

TEST_P(DatabaseTest, ATransactionThatFailsHalfWayChangesNothing)
{
    const qint64 id = addCustomer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const bool committed = Database::Transaction([&] {
        if (Database::Execute(QStringLiteral("update customer set city = ? where id = ?"), {QStringLiteral("X"), id})
            != 1)
            return false;
        Database::Execute(QStringLiteral("insert into payment (salesid, amount) values (?, ?)"),
                          {1, QStringLiteral("abc")});
        return true;
    });
    EXPECT_FALSE(committed);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:")));
    const auto rs = Database::GetRS(QStringLiteral("select city from customer where id = ?"), {id});
    ASSERT_TRUE(rs);
    EXPECT_TRUE(rs->value(0, 0).isNull() || rs->value(0, 0).toString().isEmpty());
    const auto pay = Database::GetRS(QStringLiteral("select count(*) from payment"));
    EXPECT_EQ(pay->value(0, 0).toInt(), 0);
}

// A counter whose transactions fail again and again (an import of many
// rows already there) leaves nothing behind on the server: the statements
// it keeps prepared stay as many as it runs.
TEST(DatabaseReconnect, FailedTransactionsLeaveNoStatementsOnTheServer)
{
    TESSALY_USE_FRESH_DATABASE(Engine::PostgreSQL);
    RecordingPrompts prompts;
    const auto prepared = [] {
        return Database::GetRS(QStringLiteral("select count(*) from pg_prepared_statements"))->value(0, 0).toInt();
    };
    const auto failOnce = [] {
        return Database::Transaction([] {
            Database::Execute(QStringLiteral("insert into payment (salesid, amount) values (?, ?)"),
                              {1, QStringLiteral("abc")});
            Database::Execute(QStringLiteral("update customer set city = ? where id = ?"), {QStringLiteral("X"), 1});
            return true;
        });
    };
    EXPECT_FALSE(failOnce());
    const int before = prepared();
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(failOnce());
    EXPECT_EQ(prepared(), before);
    EXPECT_EQ(prompts.messages.size(), 21);
    Database::SetOverride(std::nullopt);
}

TEST_P(DatabaseTest, ATransactionTheBodyDeclinesIsRolledBackSilently)
{
    const bool committed = Database::Transaction([&] {
        addCustomer(QStringLiteral("Gone"), QStringLiteral("Soon"));
        return false;
    });
    EXPECT_FALSE(committed);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(Database::GetRS(QStringLiteral("select count(*) from customer"))->value(0, 0).toInt(), 0);

    EXPECT_TRUE(Database::Transaction([&] {
        return addCustomer(QStringLiteral("Kept"), QString()) > 0
            && Database::Transaction([] { return addCustomer(QStringLiteral("Nested"), QString()) > 0; });
    }));
    EXPECT_EQ(Database::GetRS(QStringLiteral("select count(*) from customer"))->value(0, 0).toInt(), 2);
}

TEST_P(DatabaseTest, NumericColumnsRefuseTextThatIsNotANumber)
{
    EXPECT_EQ(Database::Execute(QStringLiteral("insert into payment (salesid, description, amount) values (?, ?, ?)"),
                                {1, QStringLiteral("Cash"), QStringLiteral("12.50")}),
              1);
    EXPECT_EQ(Database::Execute(QStringLiteral("insert into payment (salesid, description, amount) values (?, ?, ?)"),
                                {1, QStringLiteral("Cash"), QStringLiteral("abc")}),
              -1);
    Database::InsertRow(QStringLiteral("product"), {QStringLiteral("qoh")}, {4});
    EXPECT_EQ(Database::Execute(QStringLiteral("update product set qoh = ?"), {QStringLiteral("ten")}), -1);
    const auto rs = Database::GetRS(QStringLiteral("select amount from payment"));
    ASSERT_EQ(rs->rowCount(), 1);
    EXPECT_DOUBLE_EQ(rs->value(0, 0).toDouble(), 12.5);
}

TEST_P(DatabaseTest, TextComparesWithoutCaseAndTrailingBlanks)
{
    Database::InsertRow(QStringLiteral("employee"),
                        {QStringLiteral("firstname"), QStringLiteral("pin"), QStringLiteral("role")},
                        {QStringLiteral("Ann"), QStringLiteral("1111"), QStringLiteral("admin")});
    Database::InsertRow(QStringLiteral("employee"),
                        {QStringLiteral("firstname"), QStringLiteral("pin"), QStringLiteral("role")},
                        {QStringLiteral("Bob"), QStringLiteral("2222"), QStringLiteral("clerk")});
    const Dialect d = Database::CurrentDialect();
    const auto admins = Database::GetRS(
        QStringLiteral("select firstname from employee where %1").arg(d.textEquals(QStringLiteral("role"))),
        {QStringLiteral("Admin ")});
    ASSERT_TRUE(admins);
    ASSERT_EQ(admins->rowCount(), 1);
    EXPECT_EQ(admins->value(0, 0).toString(), QStringLiteral("Ann"));

    addCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    addCustomer(QStringLiteral("Beth"), QStringLiteral("smalley"));
    addCustomer(QStringLiteral("Cy"), QStringLiteral("Jones"));
    addCustomer(QStringLiteral("Dee"), QStringLiteral("S%mart"));
    const auto sm = Database::GetRS(
        QStringLiteral("select lastname from customer where %1 order by %2")
            .arg(d.textStartsWith(QStringLiteral("lastname")), d.orderText(QStringLiteral("lastname"))),
        {Dialect::likePrefix(QStringLiteral("sm"))});
    ASSERT_TRUE(sm);
    ASSERT_EQ(sm->rowCount(), 2);
    EXPECT_EQ(sm->value(0, 0).toString(), QStringLiteral("smalley"));
    EXPECT_EQ(sm->value(1, 0).toString(), QStringLiteral("Smith"));
    // A typed "%" is a character, not a wildcard.
    const auto pct = Database::GetRS(
        QStringLiteral("select lastname from customer where %1").arg(d.textStartsWith(QStringLiteral("lastname"))),
        {Dialect::likePrefix(QStringLiteral("S%"))});
    ASSERT_EQ(pct->rowCount(), 1);
    EXPECT_EQ(pct->value(0, 0).toString(), QStringLiteral("S%mart"));
}

TEST_P(DatabaseTest, DatesAreStoredInOneFormAndOrderAndRangeCorrectly)
{
    const QDateTime a(QDate(2026, 3, 9), QTime(23, 59, 30));
    const QDateTime b(QDate(2026, 3, 10), QTime(0, 0, 0));
    const QDateTime c(QDate(2026, 10, 1), QTime(8, 5, 0));
    for (const QDateTime &t : {c, a, b}) {
        ASSERT_GT(Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("saledate"), QStringLiteral("status")},
                                      {DateText::toDb(t), QStringLiteral("Open")}),
                  0);
    }
    const auto rs = Database::GetRS(QStringLiteral("select saledate from sales where saledate >= ? and saledate < ? "
                                                   "order by saledate"),
                                    {DateText::toDb(QDate(2026, 3, 10)), DateText::toDb(QDate(2026, 12, 1))});
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 2);
    EXPECT_EQ(DateText::fromDb(rs->value(0, 0)), b);
    EXPECT_EQ(DateText::fromDb(rs->value(1, 0)), c);
    // Text in another form is not a date.
    EXPECT_EQ(
        Database::Execute(QStringLiteral("insert into sales (saledate) values (?)"), {QStringLiteral("next tuesday")}),
        -1);
}

// A newer release's upgrade at another counter can change a table's
// columns while this counter runs, with statements kept prepared on a
// server and the embedded engine's idea of the tables read before: what is
// read next has the new columns, with nothing said, in a transaction too.
TEST_P(DatabaseTest, ATableChangedAtAnotherCounterIsReadWithItsNewColumns)
{
    const qint64 id = Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("lastname")}, {QStringLiteral("Kept")});
    ASSERT_GT(id, 0);
    const QString read = QStringLiteral("select * from customer where id = ?");
    const int columns = Database::GetRS(read, {id})->columnCount();
    const auto alter = [](const QString &sql) {
        QSqlDatabase other = TestDatabase::OpenOutside(QStringLiteral("upgrader"));
        ASSERT_TRUE(other.isOpen());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    };
    alter(QStringLiteral("alter table customer add column loyalty text default 'gold'"));
    QSqlDatabase::removeDatabase(QStringLiteral("upgrader"));
    const auto after = Database::GetRS(read, {id});
    ASSERT_TRUE(after) << Database::LastError().toStdString();
    EXPECT_EQ(after->columnCount(), columns + 1);
    EXPECT_EQ(after->value(0, QStringLiteral("loyalty")).toString(), QStringLiteral("gold"));

    alter(QStringLiteral("alter table customer drop column loyalty"));
    QSqlDatabase::removeDatabase(QStringLiteral("upgrader"));
    int seen = 0;
    EXPECT_TRUE(Database::Transaction([&] {
        const auto rs = Database::GetRS(read, {id});
        seen = rs ? rs->columnCount() : -1;
        return rs && Database::Execute(QStringLiteral("update customer set firstname = ? where id = ?"),
                                       {QStringLiteral("Ann"), id}) == 1;
    })) << Database::LastError().toStdString();
    EXPECT_EQ(seen, columns);
    EXPECT_EQ(Database::GetRS(read, {id})->value(0, QStringLiteral("firstname")).toString(), QStringLiteral("Ann"));
    if (GetParam() == Engine::PostgreSQL) {
        // The stale statement was freed on the server after the rollback.
        EXPECT_EQ(Database::GetRS(QStringLiteral("select count(*) from pg_prepared_statements where statement like ?"),
                                  {QStringLiteral("%select * from customer where id = $1")})
                      ->value(0, 0)
                      .toInt(),
                  1);
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, DatabaseTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

// One step of the clerk's (a write, then the read that shows it) meets an
// unreachable server once: one message, not one per statement.
TEST(DatabaseConnection, AnUnreachableServerSaysGetConnectionOnceForWhatFollows)
{
    RecordingPrompts prompts;
    Database::ConnectionSettings s;
    s.engine = Engine::PostgreSQL;
    s.serverName = QStringLiteral("127.0.0.1:1");
    Database::SetOverride(s);
    EXPECT_FALSE(Database::GetConnection().isValid());
    EXPECT_EQ(Database::Execute(QStringLiteral("delete from sales")), -1);
    EXPECT_FALSE(Database::GetRS(QStringLiteral("select * from sales")));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("GetConnection:")));
    EXPECT_TRUE(Database::LastError().startsWith(QStringLiteral("GetConnection:"))) << "kept for the caller";
    Database::SetOverride(std::nullopt);
}

TEST(DatabaseConnection, AMissingFileIsAnErrorWhenItMustExist)
{
    RecordingPrompts prompts;
    Database::ConnectionSettings s;
    s.sqliteFile = TestDatabase::NewSqliteFile();
    s.createIfMissing = false;
    Database::SetOverride(s);
    EXPECT_FALSE(Database::GetConnection().isValid());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(QFile::exists(s.sqliteFile));
    Database::SetOverride(std::nullopt);
}

TEST(DatabaseConnection, NoSettingsMeansTheEmbeddedDatabaseInTheDataFolder)
{
    Database::SetOverride(std::nullopt);
    const Database::ConnectionSettings s = Database::SettingsFromStore();
    EXPECT_EQ(s.engine, Engine::SQLite);
    EXPECT_EQ(s.serverName, QStringLiteral("localhost"));
    EXPECT_EQ(s.catalog, QStringLiteral("Tessaly"));
    EXPECT_TRUE(Database::Describe(s).contains(QStringLiteral("tessaly.db")));
    EXPECT_EQ(s.user, QStringLiteral("kzv"));
    EXPECT_EQ(s.password, QStringLiteral("kzv"));
}

// A shop's own server login, and a database changed in the settings while
// the program runs: the next statement goes to the new one.
TEST(DatabaseConnection, TheLoginAndADatabaseChangedInTheSettingsTakeEffectAtTheNextStatement)
{
    Database::SetOverride(std::nullopt);
    Settings::save(QStringLiteral("Database"), QStringLiteral("User"), QStringLiteral("counter1"));
    Settings::save(QStringLiteral("Database"), QStringLiteral("Password"), QStringLiteral("s;e}cret"));
    const Database::ConnectionSettings login = Database::SettingsFromStore();
    EXPECT_EQ(login.user, QStringLiteral("counter1"));
    EXPECT_EQ(login.password, QStringLiteral("s;e}cret"));

    const QString first = TestDatabase::NewSqliteFile();
    const QString second = TestDatabase::NewSqliteFile();
    Settings::save(QStringLiteral("Database"), QStringLiteral("File"), first);
    ASSERT_GT(Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("lastname")}, {QStringLiteral("First")}),
              0);
    Settings::save(QStringLiteral("Database"), QStringLiteral("File"), second);
    const auto rs = Database::GetRS(QStringLiteral("select count(*) from customer"));
    ASSERT_TRUE(rs) << Database::LastError().toStdString();
    EXPECT_EQ(rs->value(0, 0).toInt(), 0) << "the statement went to the second file";
    // What the screens show was read from the first: their first write is
    // refused and said, so no row of the second is written from it.
    RecordingPrompts prompts;
    EXPECT_LT(Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("lastname")}, {QStringLiteral("Stale")}),
              0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("the database in use is now SQLite")))
        << prompts.messages[0].toStdString();
    EXPECT_GT(Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("lastname")}, {QStringLiteral("Afresh")}),
              0);
    Settings::save(QStringLiteral("Database"), QStringLiteral("File"), first);
    EXPECT_EQ(Database::GetRS(QStringLiteral("select count(*) from customer"))->value(0, 0).toInt(), 1);
    { // the file edited by hand while the program runs
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly"),
                        QStringLiteral("Tessaly"));
        QFile file(store.fileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("[Database]\nFile=%1\n").arg(second).toUtf8());
    }
    EXPECT_EQ(Database::GetRS(QStringLiteral("select count(*) from customer"))->value(0, 0).toInt(), 1)
        << "the hand-edited file is read at the next statement";
    for (const char *key : {"User", "Password", "File"})
        Settings::remove(QStringLiteral("Database"), QLatin1String(key));
    Database::CloseConnections();
}

// The server named in the settings is the one the next statement reaches:
// a counter pointed at another server needs no restart.
TEST(DatabaseConnection, AServerNameChangedInTheSettingsIsUsedAtTheNextStatement)
{
    TESSALY_USE_FRESH_DATABASE(Engine::PostgreSQL);
    RecordingPrompts prompts;
    const Database::ConnectionSettings server = Database::CurrentSettings();
    Database::SetOverride(std::nullopt);
    Settings::save(QStringLiteral("Database"), QStringLiteral("Engine"), QStringLiteral("PostgreSQL"));
    Settings::save(QStringLiteral("Database"), QStringLiteral("Catalog"), server.catalog);
    Settings::save(QStringLiteral("Database"), QStringLiteral("Servername"), server.serverName);
    ASSERT_TRUE(Database::GetRS(QStringLiteral("select 1"))) << Database::LastError().toStdString();
    Settings::save(QStringLiteral("Database"), QStringLiteral("Servername"), QStringLiteral("127.0.0.1:1"));
    EXPECT_FALSE(Database::GetRS(QStringLiteral("select 1")));
    EXPECT_TRUE(Database::LastError().startsWith(QStringLiteral("GetConnection:")))
        << Database::LastError().toStdString();
    Settings::save(QStringLiteral("Database"), QStringLiteral("Servername"), server.serverName);
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select 1"))) << Database::LastError().toStdString();
    for (const char *key : {"Engine", "Catalog", "Servername"})
        Settings::remove(QStringLiteral("Database"), QLatin1String(key));
    Database::CloseConnections();
}

} // namespace

namespace {

TEST(DatabaseReconnect, ALostServerConnectionIsOpenedAgainBeforeTheNextWrite)
{
    TESSALY_USE_FRESH_DATABASE(Engine::PostgreSQL);
    RecordingPrompts prompts;
    const auto pid = Database::GetRS(QStringLiteral("select pg_backend_pid()"));
    ASSERT_TRUE(pid);
    const QString kept = QStringLiteral("select count(*) from customer where lastname = ?");
    ASSERT_TRUE(Database::GetRS(kept, {QStringLiteral("Back")}));
    // Another session ends ours, as a server restart would.
    const auto endSession = [](int backend) {
        {
            QSqlDatabase other = TestDatabase::OpenOutside(QStringLiteral("killer"));
            ASSERT_TRUE(other.isOpen());
            QSqlQuery q(other);
            ASSERT_TRUE(q.exec(QStringLiteral("select pg_terminate_backend(%1)").arg(backend)));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("killer"));
    };
    endSession(pid->value(0, 0).toInt());
    // The check that comes before every write finds the connection gone
    // before the write was sent: the write goes to a new one, said nowhere.
    EXPECT_EQ(Database::Execute(QStringLiteral("insert into customer (lastname) values (?)"), {QStringLiteral("Back")}),
              1);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    const auto rs = Database::GetRS(QStringLiteral("select lastname, pg_backend_pid() from customer"));
    ASSERT_EQ(rs->rowCount(), 1);
    EXPECT_EQ(rs->value(0, 0).toString(), QStringLiteral("Back"));
    EXPECT_NE(rs->value(0, 1).toInt(), pid->value(0, 0).toInt());
    // A read kept prepared on a lost connection is asked again on a new one.
    endSession(rs->value(0, 1).toInt());
    const auto counted = Database::GetRS(kept, {QStringLiteral("Back")});
    ASSERT_TRUE(counted) << Database::LastError().toStdString();
    EXPECT_EQ(counted->value(0, 0).toInt(), 1);
    // A transaction started on a lost connection starts on a new one.
    endSession(Database::GetRS(QStringLiteral("select pg_backend_pid()"))->value(0, 0).toInt());
    EXPECT_TRUE(Database::Transaction([] {
        return Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("lastname")}, {QStringLiteral("Again")})
            > 0;
    })) << Database::LastError().toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    Database::SetOverride(std::nullopt);
}

} // namespace
