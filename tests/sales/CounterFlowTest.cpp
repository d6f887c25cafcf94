// One sale from start to finish through the real window, by keyboard where
// the clerk would use it: a new customer, a new ticket, the vehicle, a scan,
// equipment and labor from the lookups, a quantity edited in place, the
// payment, finalize. And a returning customer found by name, whose closed
// ticket an administrator re-opens to add to it.
#include "customers/CustomerInfo.h"
#include "customers/FindCustomer.h"
#include "data/Database.h"
#include "sales/TicketArea.h"
#include "sales/TicketPane.h"
#include "sales/TicketTotals.h"
#include "sales/frmSales.h"
#include "tests/sales/SalesWindowFixture.h"
#include "tests/support/SeedData.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

using namespace SeedData;

class CounterFlow : public SalesWindowTest
{
protected:
    // Types into whatever has the focus, as the keyboard does.
    static void keys(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    // Whether the whole of a widget lies inside the part of the ticket area
    // the pane shows.
    bool seenWhole(QWidget *w) const
    {
        QWidget *pane = window->ticketPane();
        return pane->rect().contains(QRect(w->mapTo(pane, QPoint(0, 0)), w->size()));
    }
    static void key(Qt::Key k)
    {
        QTest::keyClick(QApplication::focusWidget(), k);
        settle();
    }
    // A button's shortcut: the button clicks itself a moment later.
    void shortcut(Qt::Key k, const std::function<bool()> &done)
    {
        QTest::keyClick(window.get(), k);
        EXPECT_TRUE(QTest::qWaitFor(done, 2000));
        settle();
    }
};

TEST_P(CounterFlow, ASaleFromNewCustomerToFinalizedTicket)
{
    const int amp = product(QStringLiteral("012345000130"), QStringLiteral("AMP-4C"), 239.99, 6,
                            QStringLiteral("AMP-4C"), QStringLiteral("4-channel amplifier 400W"));
    const int kit = product(QStringLiteral("012345000154"), QStringLiteral("WK-8G"), 39.99, 40, QStringLiteral("WK-8G"),
                            QStringLiteral("8 gauge amplifier wiring kit"));
    labor(QStringLiteral("Install amplifier and wiring"), 150, 120);

    // The customer: "Clear / New", the names, "Save".
    QTest::mouseClick(child<QWidget>("cmdNewCustomer"), Qt::LeftButton);
    QTest::keyClicks(child<QLineEdit>("txtFirstName"), QStringLiteral("Dana"));
    QTest::keyClicks(child<QLineEdit>("txtLastName"), QStringLiteral("O'Brien"));
    QTest::mouseClick(child<QWidget>("cmdSave"), Qt::LeftButton);
    const int customerId = window->customerid();
    ASSERT_GT(customerId, 0);
    EXPECT_EQ(value(QStringLiteral("select lastname from customer where id = ?"), {customerId}).toString(),
              QStringLiteral("O'Brien"));

    // New Ticket (F4) lists it selected; Enter opens it.
    vbalGrid *list = grid("vbalGridOrders");
    shortcut(Qt::Key_F4, [&] { return list->RowCount() == 1; });
    ASSERT_EQ(QApplication::focusWidget(), list->view());
    key(Qt::Key_Return);
    const int salesId = window->salesid();
    ASSERT_GT(salesId, 0);

    // The vehicle (a new ticket opens with the keyboard in the year), then a scan.
    ASSERT_EQ(QApplication::focusWidget(), child<QLineEdit>("txtYear"));
    keys(QStringLiteral("2015"));
    key(Qt::Key_Tab);
    keys(QStringLiteral("Dodge"));
    key(Qt::Key_Tab);
    keys(QStringLiteral("Ram 1500"));
    scan(QStringLiteral("012345000154"));

    // Equipment (F6): words, Enter searches, Enter on the first result adds it.
    ASSERT_TRUE(window->ticketPane()->scrollBar()->isVisible()) << "the pane shows only part of the ticket";
    shortcut(Qt::Key_F6, [&] { return child<QWidget>("picEquipment")->isVisible(); });
    EXPECT_TRUE(seenWhole(child<QWidget>("picEquipment")));
    keys(QStringLiteral("amplifier 400"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    // Each panel, closed, leaves the keyboard in the scan box for the next item.
    QWidget *scanBox = child<QLineEdit>("txtScan");
    EXPECT_EQ(QApplication::focusWidget(), scanBox);
    // Install (F7): Enter on the first result takes its OURS price.
    shortcut(Qt::Key_F7, [&] { return child<QWidget>("picLabor")->isVisible(); });
    keys(QStringLiteral("amplifier"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), scanBox);
    shortcut(Qt::Key_F7, [&] { return child<QWidget>("picLabor")->isVisible(); });
    key(Qt::Key_Escape);
    EXPECT_FALSE(child<QWidget>("picLabor")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), scanBox);
    vbalGrid *lines = grid("vbalGrid2");
    ASSERT_EQ(lines->RowCount(), 2);
    EXPECT_EQ(lines->CellValue(2, 2), QStringLiteral("AMP-4C"));
    ASSERT_EQ(grid("vbalGrid3")->RowCount(), 1);

    // Two wiring kits: typing into the quantity cell starts the edit.
    lines->SetSelectedCell(1, 6);
    lines->view()->setFocus();
    keys(QStringLiteral("2"));
    key(Qt::Key_Return);
    EXPECT_EQ(lines->CellValue(1, 8), QStringLiteral("79.98"));

    // 79.98 + 239.99 + 150 + 15 shop fee = 484.97; tax 40.01; total 524.98.
    EXPECT_EQ(totalText(TicketTotals::SubTotal), QStringLiteral("319.97"));
    EXPECT_EQ(totalText(TicketTotals::Labor), QStringLiteral("150.00"));
    EXPECT_EQ(totalText(TicketTotals::ShopFee), QStringLiteral("15.00"));
    EXPECT_EQ(totalText(TicketTotals::Tax), QStringLiteral("40.01"));
    EXPECT_EQ(totalText(TicketTotals::Total), QStringLiteral("524.98"));

    // Payment (F8): the amount is selected for typing; Enter records it.
    shortcut(Qt::Key_F8, [&] { return child<QWidget>("txtAmount")->isVisible(); });
    // It opens in view, its buttons and the totals beside it included.
    EXPECT_TRUE(seenWhole(child<QWidget>("picPayment")));
    EXPECT_TRUE(seenWhole(window->ticketArea()->totals()));
    keys(QStringLiteral("524.98"));
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), scanBox);
    EXPECT_EQ(totalText(TicketTotals::Payments), QStringLiteral("524.98"));
    EXPECT_EQ(totalText(TicketTotals::ChangeDue), QStringLiteral("00.00"));

    prompts.answer(true);
    QTest::mouseClick(child<QWidget>("cmdFinalize"), Qt::LeftButton);

    EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {salesId}).toString(),
              QStringLiteral("Close"));
    EXPECT_EQ(value(QStringLiteral("select model from sales where id = ?"), {salesId}).toString(),
              QStringLiteral("Ram 1500"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {kit}).toDouble(), 38);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {amp}).toDouble(), 5);
    EXPECT_EQ(value(QStringLiteral("select description from payment where salesid = ?"), {salesId}).toString(),
              QStringLiteral("Cash"));
    EXPECT_FALSE(child<QWidget>("picTicket")->isEnabled());
    // Scrolled down for the payment, the pane comes back up to the status.
    EXPECT_TRUE(seenWhole(child<QWidget>("lblStatus")));
    EXPECT_TRUE(seenWhole(child<QWidget>("cmdPrint")));
    EXPECT_EQ(list->CellValue(1, 6), QStringLiteral("Close"));
    EXPECT_EQ(prompts.messages, QStringList());
}

TEST_P(CounterFlow, AReturningCustomersClosedTicketIsReopenedBehindThePin)
{
    employee(QStringLiteral("Maria"), QStringLiteral("Lopez"), QStringLiteral("4321"), QStringLiteral("admin"));
    const int remote = product(QStringLiteral("012345000178"), QStringLiteral("RS-2W"), 199.99, 9,
                               QStringLiteral("RS-2W"), QStringLiteral("2-way remote start"));
    const int relay = product(QStringLiteral("012345000192"), QStringLiteral("BYP-1"), 49.99, 20,
                              QStringLiteral("BYP-1"), QStringLiteral("Bypass module"));
    customer(QStringLiteral("Carl"), QStringLiteral("Jones"));
    const int smith = customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    const int salesId = ticket(smith, QStringLiteral("Close"));
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99);

    // F5 opens the search list for typing; Down and Enter pick the customer.
    FindCustomer *find = window->customerInfo()->findCustomer();
    QTest::keyClick(window->customerInfo(), Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return find->isVisible(); }, 2000));
    keys(QStringLiteral("smi"));
    EXPECT_EQ(find->listedCount(), 1);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    ASSERT_EQ(window->customerid(), smith);
    EXPECT_EQ(child<QLineEdit>("txtFirstName")->text(), QStringLiteral("Alan"));

    vbalGrid *list = grid("vbalGridOrders");
    ASSERT_EQ(list->RowCount(), 1);
    list->SetSelectedRow(1);
    list->view()->setFocus();
    key(Qt::Key_Return);
    ASSERT_EQ(window->salesid(), salesId);
    auto *finalize = child<QPushButton>("cmdFinalize");
    EXPECT_EQ(finalize->text(), QStringLiteral("Re-Open Ticket"));
    EXPECT_FALSE(child<QWidget>("picTicket")->isEnabled());

    // A clerk's wrong PIN changes nothing; the administrator's re-opens.
    pins.enter(QStringLiteral("1111"));
    QTest::mouseClick(finalize, Qt::LeftButton);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {salesId}).toString(),
              QStringLiteral("Close"));
    pins.enter(QStringLiteral("4321"));
    QTest::mouseClick(finalize, Qt::LeftButton);
    settle();
    EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {salesId}).toString(),
              QStringLiteral("Open"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {remote}).toDouble(), 10);
    EXPECT_TRUE(child<QWidget>("picTicket")->isEnabled());

    // The bypass module the install needed, then closed again.
    scan(QStringLiteral("012345000192"));
    EXPECT_EQ(grid("vbalGrid2")->RowCount(), 2);
    prompts.answer(true);
    prompts.answer(true); // closed unpaid
    QTest::mouseClick(finalize, Qt::LeftButton);
    EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {salesId}).toString(),
              QStringLiteral("Close"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {remote}).toDouble(), 9);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select qoh from product where id = ?"), {relay}).toDouble(), 19);
    EXPECT_EQ(list->CellValue(1, 6), QStringLiteral("Close"));
    EXPECT_EQ(pins.asked, 2);
}

// F9 finalizes an open ticket and re-opens a closed one, whatever the button
// says: the key stays on the button when its caption changes, so it works on
// the first ticket shown and every one after.
TEST_P(CounterFlow, F9FinalizesAndReopensWhateverTheButtonSays)
{
    employee(QStringLiteral("Maria"), QStringLiteral("Lopez"), QStringLiteral("4321"), QStringLiteral("admin"));
    const int remote = product(QStringLiteral("012345000178"), QStringLiteral("RS-2W"), 199.99, 9,
                               QStringLiteral("RS-2W"), QStringLiteral("2-way remote start"));
    const int ann = customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const int salesId = ticket(ann);
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99);
    payment(salesId, QStringLiteral("Cash"), 216.49); // paid in full: 199.99 and 16.50 tax
    openTicket(ann, salesId);
    window->activateWindow(); // the F-keys are the window's shortcuts
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto *finalize = child<QPushButton>("cmdFinalize");
    const auto status = [&] {
        return value(QStringLiteral("select status from sales where id = ?"), {salesId}).toString();
    };
    const auto stock = [&] {
        return value(QStringLiteral("select qoh from product where id = ?"), {remote}).toDouble();
    };

    // Open: F9 asks and closes.
    ASSERT_EQ(finalize->text(), QStringLiteral("Finalize Ticket"));
    prompts.answer(true);
    shortcut(Qt::Key_F9, [&] { return status() == QLatin1String("Close"); });
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(finalize->text(), QStringLiteral("Re-Open Ticket"));
    EXPECT_DOUBLE_EQ(stock(), 8);

    // Closed: F9 asks for the administrator's PIN and re-opens.
    pins.enter(QStringLiteral("4321"));
    shortcut(Qt::Key_F9, [&] { return status() == QLatin1String("Open"); });
    EXPECT_EQ(pins.asked, 1);
    EXPECT_EQ(finalize->text(), QStringLiteral("Finalize Ticket"));
    EXPECT_DOUBLE_EQ(stock(), 9);

    // Re-opened: F9 closes it again.
    prompts.answer(true);
    shortcut(Qt::Key_F9, [&] { return status() == QLatin1String("Close"); });
    EXPECT_EQ(prompts.questions.size(), 2);
    EXPECT_DOUBLE_EQ(stock(), 8);
    EXPECT_EQ(prompts.messages, QStringList());
}

TESSALY_SALES_ENGINES(CounterFlow);

} // namespace
