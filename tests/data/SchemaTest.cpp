// A new database gets the whole schema on first start; the views mean what
// the windows and reports rely on.
#include "data/Schema.h"
#include "data/AuditLog.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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
        EXPECT_EQ(
            Database::GetRS(QStringLiteral("select count(*) from %1").arg(QLatin1String(empty)))->value(0, 0).toInt(),
            0);
    EXPECT_TRUE(prompts.messages.isEmpty());
    // The views hold the columns a shop's own views of those names are held to.
    const QStringList views{"vw_product_available", "vw_sales_product", "vw_salesreport_actualcash", "vw_EmployeeTime",
                            "vw_employee"};
    for (int v = 0; v < views.size(); ++v) {
        QSqlQuery q(Database::GetConnection());
        ASSERT_TRUE(q.exec(QStringLiteral("select * from %1 where 1 = 0").arg(views[v])));
        QStringList columns;
        for (int i = 0; i < q.record().count(); ++i)
            columns << q.record().fieldName(i).toLower();
        QStringList wanted;
        const QStringList named = Schema::ViewColumns().value(v);
        for (const QString &c : named)
            wanted << c.toLower();
        EXPECT_EQ(columns, wanted) << views[v].toStdString();
    }
}

TEST_P(SchemaTest, ProductAvailableSubtractsWhatOpenTicketsHold)
{
    const qint64 p = Database::InsertRow(
        QStringLiteral("product"), {QStringLiteral("partnumber"), QStringLiteral("qoh")}, {QStringLiteral("P-1"), 10});
    Database::InsertRow(QStringLiteral("product"), {QStringLiteral("partnumber"), QStringLiteral("qoh")},
                        {QStringLiteral("OTHER"), 4});
    const qint64 open = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")},
                                            {QStringLiteral(" open ")});
    const qint64 closed = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")},
                                              {QStringLiteral("Close")});
    Database::InsertRow(QStringLiteral("salesitem"),
                        {QStringLiteral("salesid"), QStringLiteral("partnumber"), QStringLiteral("quantity")},
                        {open, QStringLiteral("p-1 "), 3});
    Database::InsertRow(QStringLiteral("salesitem"),
                        {QStringLiteral("salesid"), QStringLiteral("partnumber"), QStringLiteral("quantity")},
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
    const qint64 open = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")},
                                            {QStringLiteral("Open")});
    const qint64 closed = Database::InsertRow(QStringLiteral("sales"),
                                              {QStringLiteral("status"), QStringLiteral("Closedate")},
                                              {QStringLiteral("Close"), QStringLiteral("2026-12-01 10:00:00")});
    Database::InsertRow(
        QStringLiteral("salesitem"),
        {QStringLiteral("salesid"), QStringLiteral("modelnumber"), QStringLiteral("price"), QStringLiteral("quantity")},
        {open, QStringLiteral("A"), 10, 1});
    Database::InsertRow(
        QStringLiteral("salesitem"),
        {QStringLiteral("salesid"), QStringLiteral("modelnumber"), QStringLiteral("price"), QStringLiteral("quantity")},
        {closed, QStringLiteral("B"), 12.5, 3});
    const auto rs = Database::GetRS(QStringLiteral("select * from vw_sales_product"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 1);
    EXPECT_EQ(rs->value(0, QStringLiteral("modelnumber")).toString(), QStringLiteral("B"));
    EXPECT_DOUBLE_EQ(rs->value(0, QStringLiteral("totalsales")).toDouble(), 37.5);
    EXPECT_EQ(DateText::fromDb(rs->value(0, QStringLiteral("saledate"))), QDateTime(QDate(2026, 12, 1), QTime(10, 0)));
}

TEST_P(SchemaTest, EmployeeViewsJoinTimeRowsAndListActiveEmployees)
{
    const qint64 ann = Database::InsertRow(QStringLiteral("employee"),
                                           {QStringLiteral("firstname"), QStringLiteral("lastname")},
                                           {QStringLiteral("Ann"), QStringLiteral("Lee")});
    Database::InsertRow(QStringLiteral("employee"),
                        {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("active")},
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

// A database of the program's that lost a table is not made whole with an
// empty one behind the shop's back.
TEST_P(SchemaTest, ADatabaseThatLostATableIsNotOpened)
{
    ASSERT_GE(Database::Execute(QStringLiteral("alter table labor rename to labor_aside")), 0);
    const Database::ConnectionSettings settings = Database::CurrentSettings();
    Database::SetOverride(settings);
    EXPECT_FALSE(Database::GetConnection().isValid());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().contains(QStringLiteral("has lost its table labor")))
        << prompts.messages.first().toStdString();
    {
        QSqlDatabase outside = TestDatabase::OpenOutside(settings, QStringLiteral("schema-test-outside"));
        EXPECT_TRUE(QSqlQuery(outside).exec(QStringLiteral("alter table labor_aside rename to labor")));
        outside.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("schema-test-outside"));
    Database::SetOverride(settings);
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select * from labor")));
}

// Nor can a hand at the engine's shell empty the audit log at one stroke:
// TRUNCATE on PostgreSQL, a DELETE of every row on SQLite, which has no
// TRUNCATE.
TEST_P(SchemaTest, TheAuditLogCannotBeEmptiedAtOneStroke)
{
    ASSERT_TRUE(AuditLog::RecordAs(AuditLog::kMaster, AuditLog::kReopen, QStringLiteral("ticket 1")));
    const bool server = GetParam() == Engine::PostgreSQL;
    {
        QSqlDatabase hand = TestDatabase::OpenOutside(QStringLiteral("schema-test-hand"));
        ASSERT_TRUE(hand.isOpen());
        QSqlQuery q(hand);
        EXPECT_FALSE(q.exec(server ? QStringLiteral("TRUNCATE auditlog") : QStringLiteral("DELETE FROM auditlog")));
        EXPECT_TRUE(q.lastError().text().contains(QStringLiteral("the audit log is only ever added to")))
            << q.lastError().text().toStdString();
        if (server) {
            EXPECT_FALSE(q.exec(QStringLiteral("TRUNCATE sales, auditlog"))) << "nor among other tables";
        }
        hand.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("schema-test-hand"));
    EXPECT_EQ(SeedData::count(QStringLiteral("auditlog")), 1);
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
