// A ticket's stored rows read back: each kind of its own ticket, in the
// order entered.
#include "sales/TicketRows.h"
#include "data/Database.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class TicketRowsTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
};

TEST_P(TicketRowsTest, LinesAndPaymentsAreReadInOrder)
{
    for (int i = 1; i <= 3; ++i) {
        Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid"), QStringLiteral("description")},
                            {7, QStringLiteral("item %1").arg(i)});
    }
    Database::InsertRow(QStringLiteral("saleslabor"), {QStringLiteral("salesid"), QStringLiteral("description")},
                        {7, QStringLiteral("labor")});
    Database::InsertRow(QStringLiteral("payment"), {QStringLiteral("salesid"), QStringLiteral("amount")}, {7, 5});
    Database::InsertRow(QStringLiteral("salesitem"), {QStringLiteral("salesid")}, {8});
    const auto rows = TicketRows::read(7);
    ASSERT_TRUE(rows);
    const Recordset &items = rows->equipment;
    ASSERT_EQ(items.rowCount(), 3);
    EXPECT_EQ(items.value(2, QStringLiteral("description")).toString(), QStringLiteral("item 3"));
    // A new line counts once: quantity defaults to 1.
    EXPECT_DOUBLE_EQ(items.value(0, QStringLiteral("quantity")).toDouble(), 1.0);
    EXPECT_EQ(rows->labor.rowCount(), 1);
    EXPECT_EQ(rows->payments.rowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, TicketRowsTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
