// "Remove Blank Records" deletes exactly the customers no ticket refers to.
#include "maintenance/DatabaseCleanup.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace SeedData;

class DatabaseCleanupTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
};

TEST_P(DatabaseCleanupTest, RemovesCustomersWithoutTicketsOnly)
{
    const int withTicket = customer(QStringLiteral("Has"), QStringLiteral("Ticket"));
    customer(QStringLiteral("No"), QStringLiteral("Ticket"));
    customer(QStringLiteral("Cash Sale"), QString());
    ticket(withTicket, QStringLiteral("Close"));
    EXPECT_EQ(DatabaseCleanup::CountCustomersWithoutTickets(), 2);
    EXPECT_EQ(DatabaseCleanup::RemoveCustomersWithoutTickets(), 2);
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_EQ(value(QStringLiteral("select id from customer")).toInt(), withTicket);
    EXPECT_EQ(DatabaseCleanup::RemoveCustomersWithoutTickets(), 0);
}

TEST_P(DatabaseCleanupTest, ATicketWithoutACustomerDoesNotStopTheCleanUp)
{
    const int withTicket = customer(QStringLiteral("Has"), QStringLiteral("Ticket"));
    customer(QStringLiteral("No"), QStringLiteral("Ticket"));
    ticket(withTicket);
    ASSERT_EQ(Database::Execute(QStringLiteral("insert into sales (status) values ('Open')")), 1);
    EXPECT_EQ(DatabaseCleanup::CountCustomersWithoutTickets(), 1);
    EXPECT_EQ(DatabaseCleanup::RemoveCustomersWithoutTickets(), 1);
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_EQ(count(QStringLiteral("sales")), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, DatabaseCleanupTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
