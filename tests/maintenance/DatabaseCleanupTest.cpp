// "Remove Blank Records" deletes exactly the customers no ticket refers to,
// of those it counted, and none entered in the last day.
#include "maintenance/DatabaseCleanup.h"
#include "customers/CustomerStore.h"
#include "data/Clock.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace SeedData;

class DatabaseCleanupTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }
    std::optional<int> removeWithoutTickets()
    {
        const auto counted = DatabaseCleanup::CustomersWithoutTickets();
        return counted ? DatabaseCleanup::RemoveCustomers(*counted) : std::nullopt;
    }
    RecordingPrompts prompts;
};

TEST_P(DatabaseCleanupTest, ATicketWithoutACustomerDoesNotStopTheCleanUp)
{
    const int withTicket = customer(QStringLiteral("Has"), QStringLiteral("Ticket"));
    customer(QStringLiteral("No"), QStringLiteral("Ticket"));
    ticket(withTicket);
    ASSERT_EQ(Database::Execute(QStringLiteral("insert into sales (status) values ('Open')")), 1);
    EXPECT_EQ(DatabaseCleanup::CustomersWithoutTickets()->size(), 1);
    EXPECT_EQ(removeWithoutTickets(), 1);
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_EQ(count(QStringLiteral("sales")), 2);
}

// Counter A counts the customers without a ticket and asks; before the Yes,
// counter B enters a customer (without a ticket yet), opens a ticket for
// one of those counted, and a program that writes no moment of entry adds
// one more. A removes only the counted customers that still have no ticket;
// customers entered in the last day are never counted; one without a
// moment of entry is old.
TEST_P(DatabaseCleanupTest, OnlyTheCountedCustomersThatStillHaveNoTicketAreRemoved)
{
    const int withTicket = customer(QStringLiteral("Has"), QStringLiteral("Ticket"));
    ticket(withTicket);
    const int oldBlank = customer(QStringLiteral("Old"), QStringLiteral("Blank")); // no moment of entry
    const int lastWeek = customer(QStringLiteral("Last"), QStringLiteral("Week"));
    ASSERT_EQ(Database::Execute(QStringLiteral("update customer set created = ? where id = ?"),
                                {QStringLiteral("2026-12-02 09:00:00"), lastWeek}),
              1);
    const int yesterday = customer(QStringLiteral("Just"), QStringLiteral("Yesterday"));
    ASSERT_EQ(Database::Execute(QStringLiteral("update customer set created = ? where id = ?"),
                                {QStringLiteral("2026-12-08 10:00:01"), yesterday}),
              1);
    const auto counted = DatabaseCleanup::CustomersWithoutTickets();
    ASSERT_TRUE(counted);
    EXPECT_EQ(*counted, (QList<int>{oldBlank, lastWeek})) << "one entered 23:59:59 ago is not counted";

    int entered = 0;
    std::thread b([&] {
        CustomerRecord walkIn;
        walkIn.firstName = QStringLiteral("Walk");
        walkIn.lastName = QStringLiteral("In");
        if (CustomerStore::Save(&walkIn) == CustomerStore::SaveResult::Saved)
            entered = walkIn.id;
        Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("customerid"), QStringLiteral("status")},
                            {lastWeek, QStringLiteral("Open")});
        Database::CloseConnections();
    });
    b.join();
    ASSERT_GT(entered, 0);
    OtherCounter c;
    ASSERT_EQ(c.exec(QStringLiteral("insert into customer (firstname, lastname) values ('No', 'Date')")), 1);

    EXPECT_EQ(DatabaseCleanup::RemoveCustomers(*counted), 1);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(value(QStringLiteral("select count(*) from customer where id = ?"), {oldBlank}).toInt(), 0);
    EXPECT_EQ(count(QStringLiteral("customer")), 5) << "Has Ticket, Last Week, Just Yesterday, Walk In, No Date";
    EXPECT_FALSE(value(QStringLiteral("select created from customer where id = ?"), {entered}).isNull());

    Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 1))); // a day later
    const auto next = DatabaseCleanup::CustomersWithoutTickets();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->size(), 3) << "Just Yesterday, Walk In and No Date now";
}

INSTANTIATE_TEST_SUITE_P(Engines, DatabaseCleanupTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
