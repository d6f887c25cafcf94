// Lines and payments of an open ticket: what each action stores, and that a
// ticket another counter has finalized can't change.
#include "sales/TicketLines.h"
#include "data/AuditLog.h"
#include "data/Database.h"
#include "sales/TicketRows.h"
#include "sales/TicketStore.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace SeedData;
using TicketLines::Result;

class TicketLinesTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        salesId = ticket(customer(QStringLiteral("Ann"), QStringLiteral("Lee")));
        productId = product(QStringLiteral("012345000017"), QStringLiteral("RS-2W"), 199.99, 12,
                            QStringLiteral("RS-2W"), QStringLiteral("Remote start, 2-way 'LCD'"));
        laborId = labor(QStringLiteral("Install remote start"), 150, 125);
    }
    RecordingPrompts prompts;
    int salesId = 0, productId = 0, laborId = 0;
};

TEST_P(TicketLinesTest, BarCodesMatchWithoutCaseOrTrailingBlanks)
{
    product(QStringLiteral("ab-12 "), QStringLiteral("X"), 1, 1);
    EXPECT_EQ(TicketLines::AddTicketLine(salesId, QStringLiteral("AB-12"), TicketLines::Source::Barcode), Result::Done);
    EXPECT_EQ(TicketLines::AddTicketLine(salesId, QStringLiteral("x' or '1'='1"), TicketLines::Source::Barcode),
              Result::NotFound);
}

TEST_P(TicketLinesTest, AFinalizedTicketRefusesEveryChange)
{
    const int line = equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99);
    const int pay = payment(salesId, QStringLiteral("Cash"), 10);
    ASSERT_EQ(TicketStore::CloseTicket(salesId), TicketChange::Done);
    EXPECT_EQ(TicketLines::AddTicketLine(salesId, QStringLiteral("012345000017"), TicketLines::Source::Barcode),
              Result::TicketNotOpen);
    EXPECT_EQ(
        TicketLines::EditEquipmentLine(salesId, line, TicketLines::EquipmentColumn::Quantity, QStringLiteral("5")),
        Result::TicketNotOpen);
    EXPECT_EQ(TicketLines::RemoveEquipmentLine(salesId, line), Result::TicketNotOpen);
    EXPECT_EQ(TicketLines::AddPayment(salesId, QStringLiteral("Cash"), QStringLiteral("5")), Result::TicketNotOpen);
    EXPECT_EQ(TicketLines::RemovePayment(salesId, pay), Result::TicketNotOpen);
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
    EXPECT_EQ(count(QStringLiteral("payment")), 1);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select quantity from salesitem where id = ?"), {line}).toDouble(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Once a ticket has been closed, every change to what it charges is
// written down under the administrator who re-opened it, with the line as
// it was and as it is; an ordinary open ticket writes nothing down.
TEST_P(TicketLinesTest, EditsOfAReopenedTicketAreRecordedUnderWhoReopenedIt)
{
    const int line = equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99);
    const int lab = laborLine(salesId, QStringLiteral("Install"), 150);
    EXPECT_EQ(
        TicketLines::EditEquipmentLine(salesId, line, TicketLines::EquipmentColumn::Quantity, QStringLiteral("2")),
        Result::Done);
    EXPECT_EQ(count(QStringLiteral("auditlog")), 0) << "never closed: nothing recorded";

    ASSERT_EQ(TicketStore::CloseTicket(salesId), TicketChange::Done);
    {
        const AuditLog::Acting acting(QStringLiteral("Ann Admin (#3)"));
        ASSERT_EQ(TicketStore::ReopenTicket(salesId), TicketChange::Done);
    }
    // The clerk edits after the administrator has gone.
    EXPECT_EQ(
        TicketLines::EditEquipmentLine(salesId, line, TicketLines::EquipmentColumn::Price, QStringLiteral("149.99")),
        Result::Done);
    EXPECT_EQ(
        TicketLines::EditEquipmentLine(salesId, line, TicketLines::EquipmentColumn::Quantity, QStringLiteral("1")),
        Result::Done);
    EXPECT_EQ(TicketLines::EditLaborLine(salesId, lab, TicketLines::LaborColumn::Charge, QStringLiteral("99")),
              Result::Done);
    EXPECT_EQ(TicketLines::EditLaborLine(salesId, lab, TicketLines::LaborColumn::Charge, QStringLiteral("99.00")),
              Result::Done)
        << "typed again unchanged";
    EXPECT_EQ(TicketLines::EditEquipmentLine(salesId, line, TicketLines::EquipmentColumn::Price, QStringLiteral("abc")),
              Result::BadInput);

    const auto rows = Database::GetRS(
        QStringLiteral("select who, subject, details from auditlog where action = ? order by id"),
        {AuditLog::kLineChanged});
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->rowCount(), 3);
    for (int r = 0; r < rows->rowCount(); ++r) {
        EXPECT_EQ(rows->text(r, QStringLiteral("who")), QStringLiteral("Ann Admin (#3)"));
        EXPECT_EQ(rows->text(r, QStringLiteral("subject")), AuditLog::TicketSubject(salesId));
    }
    const auto details = [&](int r) { return rows->value(r, QStringLiteral("details")).toString(); };
    const QStringList price = details(0).split(QLatin1Char('\n'));
    ASSERT_EQ(price.size(), 2) << details(0).toStdString();
    EXPECT_TRUE(price[0].startsWith(QStringLiteral("before: salesitem "))) << details(0).toStdString();
    EXPECT_TRUE(price[0].contains(QStringLiteral("price=199.99"))) << details(0).toStdString();
    EXPECT_TRUE(price[0].contains(QStringLiteral("quantity=2"))) << details(0).toStdString();
    EXPECT_TRUE(price[1].startsWith(QStringLiteral("after: salesitem "))) << details(0).toStdString();
    EXPECT_TRUE(price[1].contains(QStringLiteral("price=149.99"))) << details(0).toStdString();
    EXPECT_TRUE(details(1).section(QLatin1Char('\n'), 1).contains(QStringLiteral("quantity=1")))
        << details(1).toStdString();
    EXPECT_TRUE(details(2).contains(QStringLiteral("before: saleslabor "))) << details(2).toStdString();
    EXPECT_TRUE(details(2).section(QLatin1Char('\n'), 1).contains(QStringLiteral("charge=99")))
        << details(2).toStdString();
}

TEST_P(TicketLinesTest, ALineOfAnotherTicketIsNotTouched)
{
    const int other = ticket(customer(QStringLiteral("Bo"), QStringLiteral("Ng")));
    const int line = equipmentLine(other, QStringLiteral("RS-2W"), 199.99);
    EXPECT_EQ(TicketLines::RemoveEquipmentLine(salesId, line), Result::NotFound);
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
}

TEST_P(TicketLinesTest, LookupsFindWordsWithoutRegardToCase)
{
    product(QStringLiteral("9"), QStringLiteral("AMP-4C"), 239.99, 6, QStringLiteral("AMP-4C"),
            QStringLiteral("4-channel amplifier 100% power"));
    const auto remote = TicketLines::SearchEquipment(QStringLiteral("REMOTE"));
    ASSERT_TRUE(remote);
    ASSERT_EQ(remote->rowCount(), 1);
    EXPECT_EQ(remote->value(0, QStringLiteral("id")).toInt(), productId);
    EXPECT_EQ(TicketLines::SearchEquipment(QStringLiteral("amp-4"))->rowCount(), 1);
    EXPECT_EQ(TicketLines::SearchEquipment(QStringLiteral("100%"))->rowCount(), 1);
    EXPECT_EQ(TicketLines::SearchEquipment(QStringLiteral("'LCD'"))->rowCount(), 1);
    EXPECT_EQ(TicketLines::SearchEquipment(QString())->rowCount(), 2);
    EXPECT_EQ(TicketLines::SearchLabor(QStringLiteral("remote"))->rowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, TicketLinesTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
