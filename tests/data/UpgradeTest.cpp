// Databases this release did not make: one of the first release, one of a
// newer release, and a shop's own catalog with the program's tables.
#include "data/Database.h"
#include "data/Schema.h"
#include "reports/SalesSummary.h"
#include "tests/support/PdfReader.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

const QString kUpgradeFiles = QStringLiteral(TESSALY_UPGRADE_FILES);

// The statements of a file kept with the tests, one per line.
QStringList statementsOf(const QString &name)
{
    QFile file(kUpgradeFiles + QLatin1Char('/') + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    QStringList statements;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString sql = line.trimmed();
        if (!sql.isEmpty())
            statements << (sql.endsWith(QLatin1Char(';')) ? sql.chopped(1) : sql);
    }
    return statements;
}

// Runs statements the way another program would: outside this one's
// connection, which must not have seen the database yet.
void runOutside(const Database::ConnectionSettings &settings, const QStringList &statements)
{
    const QString name = QStringLiteral("upgrade-test-outside");
    {
        QSqlDatabase db = TestDatabase::OpenOutside(settings, name);
        ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
        for (const QString &sql : statements) {
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString() << "\n" << sql.left(200).toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QVariant outsideValue(const Database::ConnectionSettings &settings, const QString &sql)
{
    const QString name = QStringLiteral("upgrade-test-peek");
    QVariant value;
    {
        QSqlDatabase db = TestDatabase::OpenOutside(settings, name);
        QSqlQuery q(db);
        if (q.exec(sql) && q.next())
            value = q.value(0);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

// A database as the first release left it, with the rows of rows.sql.
std::optional<Database::ConnectionSettings> firstReleaseDatabase(Engine engine, QString *why)
{
    if (engine == Engine::PostgreSQL) {
        auto s = TestDatabase::NewPostgresCatalog(QStringLiteral("v1"), why);
        if (s)
            runOutside(
                *s, statementsOf(QStringLiteral("schema-1-postgresql.sql")) + statementsOf(QStringLiteral("rows.sql")));
        return s;
    }
    Database::ConnectionSettings s = TestDatabase::SettingsFor(Engine::SQLite);
    s.sqliteFile = TestDatabase::NewSqliteFile();
    if (!QFile::copy(kUpgradeFiles + QStringLiteral("/tessaly-schema-1.db"), s.sqliteFile)) {
        *why = QStringLiteral("the first release's database file could not be copied");
        return std::nullopt;
    }
    QFile::setPermissions(s.sqliteFile, QFile::ReadOwner | QFile::WriteOwner);
    return s;
}

// A database as the previous release left it (version 4: the audit log
// refuses changes and deletes, but not TRUNCATE), with one entry.
std::optional<Database::ConnectionSettings> version4Database(Engine engine, QString *why)
{
    std::optional<Database::ConnectionSettings> s;
    if (engine == Engine::PostgreSQL) {
        s = TestDatabase::NewPostgresCatalog(QStringLiteral("v4"), why);
    } else {
        s = TestDatabase::SettingsFor(Engine::SQLite);
        s->sqliteFile = TestDatabase::NewSqliteFile();
    }
    if (!s)
        return s;
    QStringList statements;
    for (const QString &sql : Schema::CreateStatements(engine)) {
        // Version 4 had neither the truncate guard nor the customer search's
        // indexes.
        if (!sql.contains(QLatin1String("no_truncate")) && !sql.contains(QLatin1String("ix_customer_firstname"))
            && !sql.contains(QLatin1String("ix_customer_phone1")) && !sql.contains(QLatin1String("ix_customer_search")))
            statements << sql;
    }
    runOutside(*s,
               statements
                   + QStringList{QStringLiteral("UPDATE tessaly_info SET value = '4' WHERE name = 'schema_version'"),
                                 QStringLiteral("INSERT INTO auditlog (at, counter, who, action, subject) VALUES "
                                                "('2026-12-01 10:00:00', 'front', 'master', 're-open', 'ticket 1')")});
    return s;
}

QString monthlySummaryText()
{
    const QString pdf = TestEnvironment::root() + QStringLiteral("/summary.pdf");
    QFile::remove(pdf);
    EXPECT_TRUE(PrintSalesSummary(QDate(2026, 3, 1), SummaryPeriod::Monthly, ReportOutput::pdf(pdf)).done());
    return PdfReader::text(pdf);
}

class OtherReleases : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    void TearDown() override { Database::SetOverride(std::nullopt); }
    RecordingPrompts prompts;
};

// The shop installs this release over the first one: its database gets
// this release's views, once, keeps every row to the cent, and the month's
// summary reads as it would on a database made by this release.
TEST_P(OtherReleases, ADatabaseOfTheFirstReleaseIsUpgradedAndKeepsItsFigures)
{
    QString why;
    const auto old = firstReleaseDatabase(GetParam(), &why);
    ASSERT_TRUE(old) << why.toStdString();
    (void)Database::TakeSchemaNote();
    Database::SetOverride(*old);

    EXPECT_EQ(
        SeedData::value(QStringLiteral("select value from tessaly_info where name = 'schema_version'")).toString(),
        QString::number(Schema::kSchemaVersion));
    const QString note = Database::TakeSchemaNote();
    EXPECT_TRUE(note.startsWith(
        QStringLiteral("The database was upgraded from schema version 1 to %1.").arg(Schema::kSchemaVersion)))
        << note.toStdString();
    if (GetParam() == Engine::SQLite) {
        const QStringList copies =
            QFileInfo(old->sqliteFile)
                .dir()
                .entryList({QStringLiteral("tessaly-before-schema-1-to-%1-*.db").arg(Schema::kSchemaVersion)});
        ASSERT_EQ(copies.size(), 1) << "a copy kept before the upgrade";
        EXPECT_TRUE(note.contains(copies.first()));
    }
    // This release's stock view: the open ticket's fuse kits, which have no
    // part number, are held back from the fuse kit alone, not the harness.
    const auto available = Database::GetRS(
        QStringLiteral("select id, available from vw_product_available order by id"));
    ASSERT_TRUE(available) << Database::LastError().toStdString();
    ASSERT_EQ(available->rowCount(), 4);
    EXPECT_DOUBLE_EQ(available->value(2, QStringLiteral("available")).toDouble(), 40);
    EXPECT_DOUBLE_EQ(available->value(3, QStringLiteral("available")).toDouble(), 13);
    const auto cents = Database::GetRS(
        QStringLiteral("select (select sum(round(price * quantity * 100)) from salesitem), (select sum(round(amount * "
                       "100)) from payment), "
                       "(select count(*) from customer), (select lastname from customer where id = 2)"));
    ASSERT_TRUE(cents);
    EXPECT_EQ(cents->value(0, 0).toLongLong(), 12999 + 2 * 4995 + 3 * 999 + 349 + 2 * 349);
    EXPECT_EQ(cents->value(0, 1).toLongLong(), 30000 + 10752 + 8002 + 378);
    EXPECT_EQ(cents->value(0, 2).toInt(), 3);
    EXPECT_EQ(cents->value(0, 3).toString(), QStringLiteral("O'Neil"));
    const QString upgraded = monthlySummaryText();
    EXPECT_TRUE(upgraded.contains(QStringLiteral("407.52"))) << upgraded.toStdString();

    Database::SetOverride(*old); // the next start finds nothing to do
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select 1")));
    EXPECT_TRUE(Database::TakeSchemaNote().isEmpty()) << "upgraded once";

    TESSALY_USE_FRESH_DATABASE(GetParam());
    for (const QString &sql : statementsOf(QStringLiteral("rows.sql")))
        ASSERT_GE(Database::Execute(sql), 0) << Database::LastError().toStdString();
    EXPECT_EQ(monthlySummaryText(), upgraded);
}

// Two counters of the first release clocked Sam in at once: the upgrade
// keeps both open rows and every other hour as they are, opens the
// database, and says whose rows stand in the way of the guard; once the
// administrator has closed one, the next start puts the guard on.
TEST_P(OtherReleases, ADatabaseWithAnEmployeeClockedInTwiceKeepsItsRowsAndSaysWhom)
{
    QString why;
    const auto old = firstReleaseDatabase(GetParam(), &why);
    ASSERT_TRUE(old) << why.toStdString();
    runOutside(*old,
               {QStringLiteral("INSERT INTO TimeInOut (id, employeeid, timein) VALUES (3, 2, '2026-03-04 08:00:00')"),
                QStringLiteral("INSERT INTO TimeInOut (id, employeeid, timein) VALUES (4, 2, '2026-03-04 08:00:01')")});
    (void)Database::TakeSchemaNote();
    Database::SetOverride(*old);

    ASSERT_TRUE(Database::GetRS(QStringLiteral("select created from customer"))) << Database::LastError().toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty()) << "opened";
    EXPECT_EQ(
        SeedData::value(QStringLiteral("select value from tessaly_info where name = 'schema_version'")).toString(),
        QString::number(Schema::kSchemaVersion));
    const QString note = Database::TakeSchemaNote();
    EXPECT_TRUE(note.startsWith(
        QStringLiteral("The database was upgraded from schema version 1 to %1.").arg(Schema::kSchemaVersion)))
        << note.toStdString();
    EXPECT_TRUE(
        note.contains(QStringLiteral("Sam Ito (2 open time rows) is clocked in more than once. Nothing of those "
                                     "rows was changed")))
        << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("Close or remove the extra rows in Time Admin"))) << note.toStdString();
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from TimeInOut where employeeid = 2 and timeout is null"))
                  .toInt(),
              2);
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 4);
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from customer where created is null")).toInt(), 3)
        << "customers older than the column count as old";

    Database::SetOverride(*old); // still in the way: said again at the next start
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select 1")));
    EXPECT_TRUE(Database::TakeSchemaNote().contains(QStringLiteral("Sam Ito (2 open time rows)")));

    ASSERT_EQ(Database::Execute(QStringLiteral("update TimeInOut set timeout = ? where id = 3"),
                                {QStringLiteral("2026-03-04 12:00:00")}),
              1);
    Database::SetOverride(*old);
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select 1")));
    EXPECT_TRUE(Database::TakeSchemaNote().isEmpty()) << "the guard went on without a word";
    prompts.messages.clear();
    {
        const Database::DuplicatesExpected quiet;
        EXPECT_LT(Database::InsertRow(QStringLiteral("TimeInOut"),
                                      {QStringLiteral("employeeid"), QStringLiteral("timein")},
                                      {2, QStringLiteral("2026-03-05 08:00:00")}),
                  0);
        EXPECT_TRUE(Database::LastFailureWasDuplicate()) << Database::LastError().toStdString();
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// The previous release's audit log could be emptied with TRUNCATE on
// PostgreSQL; the upgrade makes the engine refuse it, and the entries stay.
TEST_P(OtherReleases, ADatabaseOfVersion4GetsTheGuardAgainstEmptyingTheAuditLog)
{
    QString why;
    const auto settings = version4Database(GetParam(), &why);
    ASSERT_TRUE(settings) << why.toStdString();
    if (GetParam() == Engine::PostgreSQL)
        runOutside(*settings,
                   {QStringLiteral("BEGIN"), QStringLiteral("TRUNCATE auditlog"),
                    QStringLiteral("ROLLBACK")}); // what version 4 let through
    Database::SetOverride(settings);
    ASSERT_TRUE(Database::GetConnection().isValid()) << Database::LastError().toStdString();
    EXPECT_TRUE(Database::TakeSchemaNote().contains(
        QStringLiteral("The database was upgraded from schema version 4 to %1.").arg(Schema::kSchemaVersion)));
    EXPECT_EQ(
        SeedData::value(QStringLiteral("select value from tessaly_info where name = 'schema_version'")).toString(),
        QString::number(Schema::kSchemaVersion));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();

    if (GetParam() == Engine::PostgreSQL) {
        const QString name = QStringLiteral("upgrade-test-hand");
        {
            QSqlDatabase hand = TestDatabase::OpenOutside(*settings, name);
            QSqlQuery q(hand);
            EXPECT_FALSE(q.exec(QStringLiteral("TRUNCATE auditlog")));
            EXPECT_TRUE(q.lastError().text().contains(QStringLiteral("the audit log is only ever added to")))
                << q.lastError().text().toStdString();
            hand.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    EXPECT_EQ(SeedData::value(QStringLiteral("select subject from auditlog")).toString(), QStringLiteral("ticket 1"));
}

// A newer release upgraded the database: this one prints from it but
// changes nothing, and says why with both versions.
TEST_P(OtherReleases, ADatabaseOfANewerReleaseIsReadButNeverChanged)
{
    SeedData::customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    ASSERT_GE(Database::Execute(QStringLiteral("drop view vw_employee")), 0);
    ASSERT_EQ(Database::Execute(QStringLiteral("update tessaly_info set value = '9' where name = 'schema_version'")),
              1);
    const Database::ConnectionSettings settings = Database::CurrentSettings();
    Database::SetOverride(settings);

    ASSERT_TRUE(Database::GetRS(QStringLiteral("select * from customer")));
    EXPECT_TRUE(Database::IsReadOnly());
    const QString versions = QStringLiteral("newer release of Tessaly (schema version 9; this program knows %1)")
                                 .arg(Schema::kSchemaVersion);
    EXPECT_TRUE(Database::TakeSchemaNote().contains(versions));
    prompts.messages.clear();
    EXPECT_EQ(Database::Execute(QStringLiteral("update customer set lastname = 'Smith'")), -1);
    EXPECT_LT(Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("lastname")}, {QStringLiteral("Ito")}),
              0);
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages.first().contains(versions)) << prompts.messages.first().toStdString();
    EXPECT_EQ(outsideValue(settings, QStringLiteral("select count(*) from customer where lastname = 'Lee'")).toInt(),
              1);
    EXPECT_EQ(outsideValue(settings, QStringLiteral("select value from tessaly_info where name = 'schema_version'"))
                  .toString(),
              QStringLiteral("9"));
    EXPECT_FALSE(outsideValue(settings, QStringLiteral("select count(*) from vw_employee")).isValid())
        << "left as it is";

    // Put back for the tests after this one on the same server catalog.
    runOutside(settings,
               {QStringLiteral("update tessaly_info set value = '%1' where name = 'schema_version'")
                    .arg(Schema::kSchemaVersion)});
    Database::SetOverride(settings);
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select * from vw_employee")));
    EXPECT_FALSE(Database::IsReadOnly());
}

INSTANTIATE_TEST_SUITE_P(Engines, OtherReleases, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

// The first release's tables, without its marker or views: a catalog a
// shop made itself, or one older than the marker.
QStringList shopTables()
{
    QStringList tables;
    for (const QString &sql : statementsOf(QStringLiteral("schema-1-postgresql.sql"))) {
        if (sql.startsWith(QLatin1String("CREATE TABLE")) && !sql.contains(QLatin1String("tessaly_info"))
            && !sql.contains(QLatin1String("TimeInOut")))
            tables << sql;
    }
    return tables;
}

class ShopCatalog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString why;
        const auto s = TestDatabase::NewPostgresCatalog(QStringLiteral("shop"), &why);
        if (!s) {
            if (TestDatabase::PostgresRequired())
                FAIL() << why.toStdString();
            GTEST_SKIP() << why.toStdString();
        }
        settings = *s;
    }
    void TearDown() override { Database::SetOverride(std::nullopt); }
    RecordingPrompts prompts;
    Database::ConnectionSettings settings;
};

// Nothing of the shop's is dropped or altered: its own view and rows stay,
// and the program adds only what it lacks beside them.
TEST_F(ShopCatalog, IsAdoptedWithItsOwnViewKept)
{
    runOutside(settings,
               shopTables()
                   + QStringList{QStringLiteral("INSERT INTO customer (firstname, lastname) VALUES ('Ann', 'Lee')"),
                                 QStringLiteral("CREATE VIEW shop_callbacks AS SELECT lastname, phone1 FROM customer"),
                                 QStringLiteral("CREATE INDEX shop_customer_city ON customer (city)")});
    Database::SetOverride(settings);

    ASSERT_TRUE(Database::GetRS(QStringLiteral("select * from vw_salesreport_actualcash")))
        << Database::LastError().toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty());
    const QString note = Database::TakeSchemaNote();
    EXPECT_TRUE(note.contains(QStringLiteral("kept as it is"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("the table TimeInOut"))) << note.toStdString();
    EXPECT_EQ(SeedData::value(QStringLiteral("select lastname from shop_callbacks")).toString(), QStringLiteral("Lee"));
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from pg_indexes where indexname in "
                                             "('shop_customer_city', 'ix_sales_status', 'ix_product_barcode')"))
                  .toInt(),
              3);
    EXPECT_EQ(
        SeedData::value(QStringLiteral("select value from tessaly_info where name = 'schema_version'")).toString(),
        QString::number(Schema::kSchemaVersion));
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select * from TimeInOut")));
    SeedData::customer(QStringLiteral("Bob"), QStringLiteral("Ito"));
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 2);

    Database::SetOverride(settings);
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select 1")));
    EXPECT_TRUE(Database::TakeSchemaNote().isEmpty()) << "adopted once";
}

// A table without a column the program reads is said by name, and the
// catalog is left exactly as it was.
TEST_F(ShopCatalog, ATableWithoutAColumnTheProgramNeedsIsNamedAndNothingIsAdded)
{
    QStringList tables = shopTables();
    for (QString &sql : tables)
        sql.replace(QStringLiteral(", email text"), QString());
    runOutside(settings, tables);
    Database::SetOverride(settings);

    EXPECT_FALSE(Database::GetConnection().isValid());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(
        prompts.messages.first().contains(QStringLiteral("lacks the column customer.email, which Tessaly needs")))
        << prompts.messages.first().toStdString();
    EXPECT_EQ(outsideValue(settings,
                           QStringLiteral("select count(*) from information_schema.tables where table_schema = "
                                          "current_schema()"))
                  .toInt(),
              tables.size());
}

} // namespace
