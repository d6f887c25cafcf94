// What the ticket area is given to show: the ticket's row, its lines in the
// order entered, the figures, and the header line.
#include "sales/TicketDisplay.h"
#include "data/Database.h"
#include "sales/TicketTexts.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace SeedData;

class TicketDisplayTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
};

TEST_P(TicketDisplayTest, ReadsTheTicketItsLinesInOrderAndItsFigures)
{
    const int t = ticket(customer(QStringLiteral("Ann"), QStringLiteral("Lee")), QStringLiteral(" close "),
                         QStringLiteral("2026-03-04 10:15:00"));
    equipmentLine(t, QStringLiteral("B"), 10, 2);
    equipmentLine(t, QStringLiteral("A"), 5.5, 1);
    laborLine(t, QStringLiteral("Install"), 100);
    payment(t, QStringLiteral("Visa"), 20);
    Database::Execute(QStringLiteral("update sales set year = '2019', note = ' rush ' where id = ?"), {t});

    TicketDisplay d;
    ASSERT_EQ(ReadTicketDisplay(t, &d), TicketReadResult::Read);
    EXPECT_EQ(d.header.id, t);
    EXPECT_EQ(d.header.state(), TicketState::Closed);
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.header.note, QStringLiteral("rush"));
    ASSERT_EQ(d.equipment.rowCount(), 2);
    EXPECT_EQ(d.equipment.value(0, QStringLiteral("partnumber")).toString(), QStringLiteral("B"));
    EXPECT_EQ(d.figures.parts.format00(), QStringLiteral("25.50"));
    EXPECT_EQ(d.figures.shopFee.format00(), QStringLiteral("10.00"));
    EXPECT_EQ(d.figures.total.format00(), QStringLiteral("146.68")); // 135.50 × 1.0825 = 146.67875
    EXPECT_FALSE(d.figures.paymentFigures[0].withSurcharge) << "base of 135.50 is above 50.00";

    EXPECT_EQ(TicketTexts::HeaderText(&d.header),
              QStringLiteral("Ticket No: %1              Sales Date: 3/4/2026 10:15:00 AM")
                  .arg(QString::number(t).rightJustified(4, QLatin1Char('0'))));
    EXPECT_EQ(TicketTexts::HeaderText(nullptr), QStringLiteral("Ticket No:                Sales Date: "));
}

TEST_P(TicketDisplayTest, NoTicketForZeroOrAMissingId)
{
    TicketDisplay d;
    EXPECT_EQ(ReadTicketDisplay(0, &d), TicketReadResult::NoTicket);
    EXPECT_EQ(ReadTicketDisplay(4242, &d), TicketReadResult::NoTicket);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Engines, TicketDisplayTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

// The close and remove-ticket questions are checked where the sales window
// asks them; a labor line's is asked nowhere a window test reaches.
TEST(TicketTexts, ALaborLineIsAskedAboutByItsNumberAndDescription)
{
    EXPECT_EQ(TicketTexts::RemoveLaborQuestion(QStringLiteral("2"), QStringLiteral("Install")),
              QStringLiteral("Remove   2) Install?"));
}

} // namespace
