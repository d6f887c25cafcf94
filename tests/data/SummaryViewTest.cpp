// The sales summary view agrees to the cent with the ticket figures the
// screen and the invoice show, on the demo shop and on ties.
#include "data/Database.h"
#include "data/DemoShop.h"
#include "sales/TicketFigures.h"
#include "sales/TicketReader.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class SummaryViewTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
};

qint64 cents(const QVariant &v)
{
    return Money::fromVariant(v).cents();
}

TEST_P(SummaryViewTest, EveryClosedDemoTicketMatchesItsFigures)
{
    ASSERT_TRUE(DemoShop::Fill());
    const auto closed = Database::GetRS(QStringLiteral("select * from sales where upper(trim(status)) = 'CLOSE'"));
    ASSERT_TRUE(closed);
    ASSERT_GE(closed->rowCount(), 4);
    const auto view = Database::GetRS(QStringLiteral("select * from vw_salesreport_actualcash order by salesid"));
    ASSERT_TRUE(view);
    ASSERT_EQ(view->rowCount(), closed->rowCount());
    bool sawTie = false;
    for (int r = 0; r < view->rowCount(); ++r) {
        const int id = view->value(r, QStringLiteral("salesid")).toInt();
        const auto ticket = Database::GetRS(QStringLiteral("select TaxExempt from sales where id = ?"), {id});
        const auto input = ReadTicketInput(id, ticket->value(0, 0));
        ASSERT_TRUE(input);
        const TicketFigures f = ComputeTicketFigures(*input);
        SCOPED_TRACE(id);
        EXPECT_EQ(cents(view->value(r, QStringLiteral("totalsales"))), f.parts.cents());
        EXPECT_EQ(cents(view->value(r, QStringLiteral("totallabor"))), f.labor.cents());
        EXPECT_EQ(cents(view->value(r, QStringLiteral("shopfee"))), f.shopFee.cents());
        EXPECT_EQ(cents(view->value(r, QStringLiteral("totaltax"))), f.tax.cents());
        EXPECT_EQ(cents(view->value(r, QStringLiteral("tickettotal"))), f.total.cents());
        EXPECT_EQ(cents(view->value(r, QStringLiteral("payments"))), f.payments.cents());
        if (f.total.cents() == 11908)
            sawTie = true;
    }
    EXPECT_TRUE(sawTie) << "the demo shop keeps the 119.075 ticket";
}

TEST_P(SummaryViewTest, PaymentsAreSplitIntoCashChecksAndCharge)
{
    const qint64 t = Database::InsertRow(QStringLiteral("sales"),
                                         {QStringLiteral("status"), QStringLiteral("Closedate")},
                                         {QStringLiteral("Close"), QStringLiteral("2026-12-01 10:00:00")});
    const QList<QPair<QString, double>> pays = {{QStringLiteral("Cash"), 10},
                                                {QStringLiteral(" cash "), 5},
                                                {QStringLiteral("Check"), 20},
                                                {QStringLiteral("Visa"), 1},
                                                {QStringLiteral("Mastercard"), 2},
                                                {QStringLiteral("Discover"), 3},
                                                {QStringLiteral("American Express"), 4},
                                                {QStringLiteral("Coupon"), -7}};
    for (const auto &p : pays) {
        Database::InsertRow(QStringLiteral("payment"),
                            {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("amount")},
                            {t, p.first, p.second});
    }
    const auto view = Database::GetRS(QStringLiteral("select * from vw_salesreport_actualcash"));
    ASSERT_EQ(view->rowCount(), 1);
    EXPECT_EQ(cents(view->value(0, QStringLiteral("cash"))), 1500);
    EXPECT_EQ(cents(view->value(0, QStringLiteral("checks"))), 2000);
    EXPECT_EQ(cents(view->value(0, QStringLiteral("charge"))), 1000);
    EXPECT_EQ(cents(view->value(0, QStringLiteral("payments"))), 3800);
}

TEST_P(SummaryViewTest, HalfCentTiesRoundAwayFromZeroLikeTheScreen)
{
    // 110 × 1.0825 = 119.075 and 0.06 × 0.0825 = 0.00495: the first rounds up,
    // the second must not be rounded twice into a cent.
    const qint64 a = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")},
                                         {QStringLiteral("Close")});
    Database::InsertRow(QStringLiteral("saleslabor"), {QStringLiteral("salesid"), QStringLiteral("charge")}, {a, 100});
    const qint64 b = Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("status")},
                                         {QStringLiteral("Close")});
    Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid"), QStringLiteral("price")}, {b, 0.06});
    const auto view = Database::GetRS(QStringLiteral("select * from vw_salesreport_actualcash order by salesid"));
    ASSERT_EQ(view->rowCount(), 2);
    EXPECT_EQ(cents(view->value(0, QStringLiteral("totaltax"))), 908);
    EXPECT_EQ(cents(view->value(0, QStringLiteral("tickettotal"))), 11908);
    EXPECT_EQ(cents(view->value(1, QStringLiteral("totaltax"))), 0);
    EXPECT_EQ(cents(view->value(1, QStringLiteral("tickettotal"))), 6);
}

TEST_P(SummaryViewTest, AClosedTicketWithNothingOnItShowsZeros)
{
    const qint64 empty = Database::InsertRow(QStringLiteral("sales"),
                                             {QStringLiteral("status"), QStringLiteral("Closedate")},
                                             {QStringLiteral("Close"), QStringLiteral("2026-05-02 09:00:00")});
    const qint64 other = Database::InsertRow(QStringLiteral("sales"),
                                             {QStringLiteral("status"), QStringLiteral("Closedate")},
                                             {QStringLiteral("Close"), QStringLiteral("2026-05-02 10:00:00")});
    Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid"), QStringLiteral("price")}, {other, 10});
    Database::InsertRow(QStringLiteral("saleslabor"), {QStringLiteral("salesid"), QStringLiteral("charge")},
                        {other, 20});
    Database::InsertRow(QStringLiteral("payment"),
                        {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("amount")},
                        {other, QStringLiteral("Cash"), 5});
    const auto view = Database::GetRS(QStringLiteral("select * from vw_salesreport_actualcash where closedate >= ? and "
                                                     "closedate < ? order by salesid"),
                                      {QStringLiteral("2026-05-02 00:00:00"), QStringLiteral("2026-05-03 00:00:00")});
    ASSERT_TRUE(view);
    ASSERT_EQ(view->rowCount(), 2);
    EXPECT_EQ(view->value(0, QStringLiteral("salesid")).toLongLong(), empty);
    for (const char *column :
         {"totalsales", "totallabor", "shopfee", "totaltax", "tickettotal", "cash", "checks", "charge", "payments"}) {
        SCOPED_TRACE(column);
        EXPECT_EQ(cents(view->value(0, QString::fromLatin1(column))), 0);
    }
    EXPECT_EQ(cents(view->value(1, QStringLiteral("totalsales"))), 1000);
    EXPECT_EQ(cents(view->value(1, QStringLiteral("totallabor"))), 2000);
    EXPECT_EQ(cents(view->value(1, QStringLiteral("cash"))), 500);
}

INSTANTIATE_TEST_SUITE_P(Engines, SummaryViewTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
