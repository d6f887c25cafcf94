// A new database gets the whole schema on first start; the views mean what
// the windows and reports rely on.
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Schema.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class SchemaTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
};

TEST_P(SchemaTest, FirstStartCreatesTablesViewsAndStateCodes)
{
    for (const char *table : {"sales", "salesitem", "saleslabor", "payment", "customer", "State", "product", "labor",
                              "employee", "TimeInOut", "vw_product_available", "vw_sales_product",
                              "vw_salesreport_actualcash", "vw_EmployeeTime", "vw_employee"}) {
        const auto rs = Database::GetRS(QStringLiteral("select * from %1").arg(QLatin1String(table)));
        EXPECT_TRUE(rs) << table;
    }
    const auto states = Database::GetRS(QStringLiteral("select * from State order by code"));
    ASSERT_TRUE(states);
    EXPECT_EQ(states->rowCount(), Schema::StateCodes().size());
    EXPECT_EQ(states->value(0, QStringLiteral("code")).toString(), QStringLiteral("AK"));
    for (const char *empty : {"sales", "customer", "product", "employee"})
        EXPECT_EQ(Database::GetRS(QStringLiteral("select count(*) from %1").arg(QLatin1String(empty)))->value(0, 0).toInt(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(SchemaTest, ProductAvailableSubtractsWhatOpenTicketsHold)
{
    const qint64 p = Database::InsertRow(QStringLiteral("product"), {QStringLiteral("partnumber"), QStringLiteral("qoh")},
                                         {QStringLiteral("P-1"), 10});
    Database::InsertRow(QStringLiteral("product"), {QStringLiteral("partnumber"), QStringLiteral("qoh")},
                        {QStringLiteral("OTHER"), 4});
    const qint64 open = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")}, {QStringLiteral(" open ")});
    const qint64 closed = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")}, {QStringLiteral("Close")});
    Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid"), QStringLiteral("partnumber"), QStringLiteral("quantity")},
                        {open, QStringLiteral("p-1 "), 3});
    Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid"), QStringLiteral("partnumber"), QStringLiteral("quantity")},
                        {closed, QStringLiteral("P-1"), 5});
    const auto rs = Database::GetRS(QStringLiteral("select * from vw_product_available order by id"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 2);
    EXPECT_EQ(rs->value(0, QStringLiteral("id")).toLongLong(), p);
    EXPECT_DOUBLE_EQ(rs->value(0, QStringLiteral("reserve")).toDouble(), 3);
    EXPECT_DOUBLE_EQ(rs->value(0, QStringLiteral("available")).toDouble(), 7);
    EXPECT_DOUBLE_EQ(rs->value(1, QStringLiteral("reserve")).toDouble(), 0);
    EXPECT_DOUBLE_EQ(rs->value(1, QStringLiteral("available")).toDouble(), 4);
}

TEST_P(SchemaTest, SalesProductListsLinesOfClosedTicketsOnly)
{
    const qint64 open = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")}, {QStringLiteral("Open")});
    const qint64 closed = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status"), QStringLiteral("Closedate")},
                                              {QStringLiteral("Close"), QStringLiteral("2026-12-01 10:00:00")});
    Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid"), QStringLiteral("modelnumber"),
                                                      QStringLiteral("price"), QStringLiteral("quantity")},
                        {open, QStringLiteral("A"), 10, 1});
    Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid"), QStringLiteral("modelnumber"),
                                                      QStringLiteral("price"), QStringLiteral("quantity")},
                        {closed, QStringLiteral("B"), 12.5, 3});
    const auto rs = Database::GetRS(QStringLiteral("select * from vw_sales_product"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 1);
    EXPECT_EQ(rs->value(0, QStringLiteral("modelnumber")).toString(), QStringLiteral("B"));
    EXPECT_DOUBLE_EQ(rs->value(0, QStringLiteral("totalsales")).toDouble(), 37.5);
    EXPECT_EQ(DateText::fromDb(rs->value(0, QStringLiteral("saledate"))),
              QDateTime(QDate(2026, 12, 1), QTime(10, 0)));
}

TEST_P(SchemaTest, EmployeeViewsJoinTimeRowsAndListActiveEmployees)
{
    const qint64 ann = Database::InsertRow(QStringLiteral("employee"), {QStringLiteral("firstname"), QStringLiteral("lastname")},
                                           {QStringLiteral("Ann"), QStringLiteral("Lee")});
    Database::InsertRow(QStringLiteral("employee"), {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("active")},
                        {QStringLiteral("Old"), QStringLiteral("Hand"), 0});
    Database::InsertRow(QStringLiteral("TimeInOut"), {QStringLiteral("employeeid"), QStringLiteral("timein")},
                        {ann, QStringLiteral("2026-12-03 08:00:00")});
    const auto listed = Database::GetRS(QStringLiteral("select * from vw_employee order by lastname"));
    ASSERT_EQ(listed->rowCount(), 1);
    EXPECT_EQ(listed->value(0, QStringLiteral("firstname")).toString(), QStringLiteral("Ann"));
    const auto time = Database::GetRS(QStringLiteral("select * from vw_EmployeeTime"));
    ASSERT_EQ(time->rowCount(), 1);
    EXPECT_EQ(time->value(0, QStringLiteral("id")).toLongLong(), ann);
    EXPECT_TRUE(time->value(0, QStringLiteral("timeout")).isNull());
}

// A database made by the first release: its views are the old ones and its
// marker says version 1. Opened by this release it gets this release's
// views, once, and keeps every row.
TEST_P(SchemaTest, ADatabaseOfTheFirstReleaseGetsThisReleasesViewsAndKeepsItsRows)
{
    const int p = SeedData::product(QStringLiteral("111"), QStringLiteral("P"), 19.99, 10);
    const int c = SeedData::customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    SeedData::equipmentLine(SeedData::ticket(c), QStringLiteral("P"), 19.99, 3);
    ASSERT_GE(Database::Execute(QStringLiteral("drop view vw_product_available")), 0);
    ASSERT_GE(Database::Execute(QStringLiteral("create view vw_product_available as select id, qoh from product")), 0);
    ASSERT_EQ(Database::Execute(QStringLiteral("update tessaly_info set value = '1' where name = 'schema_version'")), 1);
    const QString folder = GetParam() == Engine::SQLite
        ? QFileInfo(Database::CurrentSettings().sqliteFile).absolutePath() : QString();
    (void)Database::TakeSchemaNote();

    Database::SetOverride(Database::CurrentSettings()); // the new release starts
    const auto available = Database::GetRS(QStringLiteral("select available from vw_product_available where id = ?"), {p});
    ASSERT_TRUE(available) << Database::LastError().toStdString();
    EXPECT_DOUBLE_EQ(available->value(0, 0).toDouble(), 7);
    EXPECT_EQ(SeedData::value(QStringLiteral("select value from tessaly_info where name = 'schema_version'")).toString(),
              QString::number(Schema::kSchemaVersion));
    EXPECT_DOUBLE_EQ(SeedData::value(QStringLiteral("select price from salesitem")).toDouble(), 19.99);
    const QString note = Database::TakeSchemaNote();
    EXPECT_TRUE(note.startsWith(QStringLiteral("The database was upgraded from schema version 1 to 2."))) << note.toStdString();
    if (GetParam() == Engine::SQLite) {
        const QStringList copies = QDir(folder).entryList({QStringLiteral("tessaly-before-schema-1-to-2-*.db")});
        ASSERT_EQ(copies.size(), 1) << "a copy kept before the upgrade";
        EXPECT_TRUE(note.contains(copies.first()));
    }

    Database::SetOverride(Database::CurrentSettings());
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select 1")));
    EXPECT_TRUE(Database::TakeSchemaNote().isEmpty()) << "upgraded once";
}

// A database a newer release has upgraded is never changed back.
TEST_P(SchemaTest, ADatabaseOfANewerReleaseIsLeftAsItIs)
{
    ASSERT_GE(Database::Execute(QStringLiteral("drop view vw_employee")), 0);
    ASSERT_EQ(Database::Execute(QStringLiteral("update tessaly_info set value = '9' where name = 'schema_version'")), 1);
    Database::SetOverride(Database::CurrentSettings());
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select 1")));
    EXPECT_EQ(SeedData::value(QStringLiteral("select value from tessaly_info where name = 'schema_version'")).toString(),
              QStringLiteral("9"));
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 0);
    EXPECT_TRUE(Database::TakeSchemaNote().contains(QStringLiteral("newer release (schema version 9; this program knows 2)")));
    // Put back for the tests after this one on the same server catalog.
    ASSERT_EQ(Database::Execute(QStringLiteral("update tessaly_info set value = '2' where name = 'schema_version'")), 1);
    Database::SetOverride(Database::CurrentSettings());
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select * from vw_employee")));
}

INSTANTIATE_TEST_SUITE_P(Engines, SchemaTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

TEST(SqliteFile, CarriesTheApplicationIdAndRunsInWalMode)
{
    QString why;
    ASSERT_TRUE(TestDatabase::UseFresh(Engine::SQLite, &why)) << why.toStdString();
    const auto id = Database::GetRS(QStringLiteral("PRAGMA application_id"));
    ASSERT_TRUE(id);
    EXPECT_EQ(id->value(0, 0).toInt(), Schema::kSqliteApplicationId);
    const auto mode = Database::GetRS(QStringLiteral("PRAGMA journal_mode"));
    EXPECT_EQ(mode->value(0, 0).toString().toLower(), QStringLiteral("wal"));
    const auto marker = Database::GetRS(QStringLiteral("select value from tessaly_info where name = 'application'"));
    EXPECT_EQ(marker->value(0, 0).toString(), QStringLiteral("Tessaly"));
}

TEST(SqliteFile, AnExistingDatabaseIsLeftAsItIsButGetsMissingViews)
{
    QString why;
    ASSERT_TRUE(TestDatabase::UseFresh(Engine::SQLite, &why));
    Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("lastname")}, {QStringLiteral("Kept")});
    ASSERT_GE(Database::Execute(QStringLiteral("drop view vw_employee")), 0);
    const Database::ConnectionSettings s = Database::CurrentSettings();
    Database::SetOverride(s); // reopen
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select * from vw_employee")));
    EXPECT_EQ(Database::GetRS(QStringLiteral("select lastname from customer"))->value(0, 0).toString(),
              QStringLiteral("Kept"));
}

} // namespace
