// The ticket area as the clerk uses it: scanning, lookups, in-place edits,
// payments, "Remove", finalize and re-open, on real engines.
#include "sales/TicketArea.h"
#include "customers/CustomerInfo.h"
#include "customers/FindCustomer.h"
#include "data/Database.h"
#include "reports/Printbill.h"
#include "sales/SalesCommands.h"
#include "sales/TicketPane.h"
#include "sales/TicketState.h"
#include "sales/TicketStore.h"
#include "sales/TicketTexts.h"
#include "sales/TicketTotals.h"
#include "sales/frmSales.h"
#include "tests/sales/SalesWindowFixture.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/PdfReader.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestEnvironment.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

using namespace SeedData;

class TicketAreaTest : public SalesWindowTest
{
protected:
    // One equipment line whose quantity cell is being typed into, Enter not
    // pressed, when F9 (or the key given) comes; waits for what its shortcut does a
    // moment later, as a press would. nullptr when the edit did not open.
    vbalGrid *typeQuantityThenF9(const QString &typed, Qt::Key key = Qt::Key_F9)
    {
        QLineEdit *edit = typeQuantity(typed);
        if (!edit)
            return nullptr;
        prompts.answer(true);
        prompts.answer(true); // closed unpaid
        QTest::keyClick(edit, key);
        // The lines are read either way; the caller checks what was asked.
        (void)QTest::qWaitFor([&] { return !prompts.questions.isEmpty() || !prompts.messages.isEmpty(); }, 2000);
        return grid("vbalGrid2");
    }
    // One equipment line (quantity 1) whose quantity cell is being typed
    // into, Enter not pressed, in the active window; the edit box, or
    // nullptr when the edit did not open.
    QLineEdit *typeQuantity(const QString &typed)
    {
        equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99, 1);
        open();
        window->activateWindow(); // the F-keys are the window's shortcuts
        if (!QTest::qWaitForWindowActive(window.get()))
            return nullptr;
        return typeOverQuantity(typed);
    }
    // Opens the first line's quantity cell for editing and types over it;
    // the edit box, or nullptr when the edit did not open.
    QLineEdit *typeOverQuantity(const QString &typed)
    {
        vbalGrid *lines = grid("vbalGrid2");
        lines->SetSelectedCell(1, 6);
        lines->view()->setFocus();
        QTest::keyClick(lines->view(), Qt::Key_F2);
        auto *edit = child<QLineEdit>("txtEdit");
        if (QApplication::focusWidget() != edit)
            return nullptr;
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        return edit;
    }
    void SetUp() override
    {
        SalesWindowTest::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        customerId = customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
        remote = product(QStringLiteral("012345000017"), QStringLiteral("RS-2W"), 199.99, 12, QStringLiteral("RS-2W"),
                         QStringLiteral("Two-way remote start"));
        harness = product(QStringLiteral("012345000178"), QStringLiteral("WH-70"), 14.99, 60, QStringLiteral("WH-70"),
                          QStringLiteral("Wiring harness adapter"));
        salesId = ticket(customerId);
    }
    void open() { openTicket(customerId, salesId); }
    double qoh(int productId)
    {
        return value(QStringLiteral("select qoh from product where id = ?"), {productId}).toDouble();
    }
    QString stored(const char *sql) { return value(QLatin1String(sql), {salesId}).toString(); }

    int customerId = 0, remote = 0, harness = 0, salesId = 0;
};

TEST_P(TicketAreaTest, ScanningAddsALinePerScanAndTheTotalsFollow)
{
    open();
    scan(QStringLiteral("012345000017"));
    scan(QStringLiteral("012345000178"));
    scan(QStringLiteral("012345000017"));
    EXPECT_EQ(count(QStringLiteral("salesitem")), 3) << "the same code twice is two lines";
    vbalGrid *lines = grid("vbalGrid2");
    ASSERT_EQ(lines->RowCount(), 3);
    EXPECT_EQ(lines->CellValue(2, 4), QStringLiteral("WH-70"));
    EXPECT_EQ(lines->CellValue(2, 5), QStringLiteral("Wiring harness adapter")) << "copied from the product";
    EXPECT_EQ(lines->CellValue(3, 1), QStringLiteral("3"));
    EXPECT_EQ(lines->CellValue(1, 8), QStringLiteral("199.99"));
    EXPECT_EQ(totalText(TicketTotals::SubTotal), QStringLiteral("414.97"));
    EXPECT_EQ(totalText(TicketTotals::Tax), QStringLiteral("34.24")); // 414.97 × 0.0825 = 34.235
    EXPECT_EQ(totalText(TicketTotals::Total), QStringLiteral("449.21"));
    EXPECT_EQ(totalText(TicketTotals::ChangeDue), QStringLiteral("449.21"));
    // The box is empty for the next code and keeps the focus.
    auto *box = child<QLineEdit>("txtScan");
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), box);
    // An unknown code adds nothing and opens no box.
    scan(QStringLiteral("999"));
    EXPECT_EQ(count(QStringLiteral("salesitem")), 3);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// A code no product has is said beside the scan box, without a box to
// close: the keyboard stays in the scan box for the next code, and the
// notice goes with the next scan that finds its product.
TEST_P(TicketAreaTest, AScanThatFindsNoProductIsSaidBesideTheScanBox)
{
    open();
    auto *notice = child<QLabel>("lblScanNotice");
    ASSERT_NE(notice, nullptr);
    auto *box = child<QLineEdit>("txtScan");
    EXPECT_TRUE(notice->text().isEmpty());
    scan(QStringLiteral("0123450009"));
    EXPECT_EQ(count(QStringLiteral("salesitem")), 0);
    EXPECT_EQ(notice->text(), QStringLiteral("No product has bar code 0123450009"));
    // In view and read whole, in the part of the ticket the pane shows.
    EXPECT_TRUE(notice->isVisible());
    const QSize words(notice->fontMetrics().horizontalAdvance(notice->text()), notice->height());
    QWidget *pane = window->ticketPane();
    EXPECT_TRUE(pane->rect().contains(QRect(notice->mapTo(pane, QPoint(0, 0)), words)));
    EXPECT_GE(notice->width(), words.width());
    EXPECT_TRUE(prompts.messages.isEmpty()) << "no box holds up the next scan";
    EXPECT_EQ(QApplication::focusWidget(), box);

    // Typed on at once, the next code adds its line and the notice goes.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("012345000017"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
    EXPECT_TRUE(notice->text().isEmpty());

    // Another ticket shown starts without the notice of this one.
    scan(QStringLiteral("777"));
    EXPECT_FALSE(notice->text().isEmpty());
    const int other = ticket(customerId);
    openTicket(customerId, other);
    EXPECT_TRUE(notice->text().isEmpty());
}

TEST_P(TicketAreaTest, EditsInPlaceStoreTheRoundedValueAndTheGridFollows)
{
    equipmentLine(salesId, QStringLiteral("WH-70"), 10);
    open();
    vbalGrid *lines = grid("vbalGrid2");
    editCell(lines, 1, 6, QStringLiteral("2.6"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select quantity from salesitem")).toDouble(), 3);
    EXPECT_EQ(lines->CellValue(1, 6), QStringLiteral("3"));
    EXPECT_EQ(lines->CellValue(1, 8), QStringLiteral("30.00"));
    EXPECT_EQ(totalText(TicketTotals::SubTotal), QStringLiteral("30.00"));
    editCell(lines, 1, 7, QStringLiteral("12.35"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select price from salesitem")).toDouble(), 12.35);
    editCell(lines, 1, 9, QStringLiteral(" it's red "));
    EXPECT_EQ(value(QStringLiteral("select note from salesitem")).toString(), QStringLiteral("it's red"));
    EXPECT_FALSE(child<QLineEdit>("txtEdit")->isVisible()) << "the box is gone after the commit";
    // The description is not edited in place.
    lines->SetSelectedCell(1, 5);
    QTest::keyClick(lines->view(), Qt::Key_F2);
    EXPECT_FALSE(child<QLineEdit>("txtEdit")->isVisible());

    laborLine(salesId, QStringLiteral("Install harness"), 40);
    window->ticketArea()->ShowTicket(salesId);
    editCell(grid("vbalGrid3"), 1, 3, QStringLiteral("2"));
    EXPECT_EQ(totalText(TicketTotals::Labor), QStringLiteral("80.00"));
    EXPECT_EQ(totalText(TicketTotals::ShopFee), QStringLiteral("08.00"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(TicketAreaTest, APaymentThatIsNotANumberIsRefusedAndNothingIsStored)
{
    open();
    clickButton("cmdPayment");
    auto *amount = child<QLineEdit>("txtAmount");
    ASSERT_TRUE(amount->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), amount);
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("abc"));
    clickButton("cmdOK");
    EXPECT_EQ(count(QStringLiteral("payment")), 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("\"abc\" is not an amount")));
    EXPECT_TRUE(amount->isVisible()) << "the entry stays open for a correction";

    // A typed pay type and a negative amount (a coupon) are accepted.
    child<QComboBox>("cboPayType")->setEditText(QStringLiteral("Gift card"));
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("-5.50"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_FALSE(amount->isVisible());
    EXPECT_EQ(amount->text(), QStringLiteral("00.00"));
    EXPECT_EQ(stored("select description from payment where salesid = ?"), QStringLiteral("Gift card"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select amount from payment")).toDouble(), -5.5);
    EXPECT_EQ(totalText(TicketTotals::Payments), QStringLiteral("-05.50"));
    EXPECT_EQ(totalText(TicketTotals::ChangeDue), QStringLiteral("05.50"));
}

// The shop types in en_US: a payment of 1,250 is twelve hundred fifty
// dollars, and a comma out of the thousands places is refused, as text
// that is not a number is.
TEST_P(TicketAreaTest, ThousandsCommasAreReadInPaymentsAndLineEdits)
{
    equipmentLine(salesId, QStringLiteral("WH-70"), 10);
    open();
    clickButton("cmdPayment");
    auto *amount = child<QLineEdit>("txtAmount");
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("1,25"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(count(QStringLiteral("payment")), 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("\"1,25\" is not an amount")));
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("1,250"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select amount from payment")).toDouble(), 1250);
    EXPECT_EQ(totalText(TicketTotals::Payments), QStringLiteral("1250.00"));

    vbalGrid *lines = grid("vbalGrid2");
    editCell(lines, 1, 7, QStringLiteral("1,250.50"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select price from salesitem")).toDouble(), 1250.5);
    editCell(lines, 1, 6, QStringLiteral("1,000"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select quantity from salesitem")).toDouble(), 1000);
    EXPECT_EQ(prompts.messages.size(), 1);
    editCell(lines, 1, 6, QStringLiteral("12,34.5"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select quantity from salesitem")).toDouble(), 1000);
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].contains(QStringLiteral("\"12,34.5\" is not a number")));
    EXPECT_EQ(lines->CellValue(1, 6), QStringLiteral("1000"));
}

// A typed value the ticket cannot keep is refused with a message and the
// line keeps what it had: no "abc" read as 0, no amount too large to total
// read as 0, no line whose total overflows, no fraction of a cent.
TEST_P(TicketAreaTest, LineEditsTheTicketCannotTotalAreRefusedAndTheOldValueKept)
{
    equipmentLine(salesId, QStringLiteral("WH-70"), 10, 2);
    laborLine(salesId, QStringLiteral("Install harness"), 40);
    open();
    vbalGrid *lines = grid("vbalGrid2");
    const auto storedLine = [&](const char *column) {
        return value(QStringLiteral("select %1 from salesitem").arg(QLatin1String(column))).toDouble();
    };
    const struct
    {
        int col;
        const char *typed;
        const char *said;
    } refused[] = {
        {6, "abc", "\"abc\" is not a number"},
        {7, "abc", "\"abc\" is not a number"},
        {6, "99999999999999", "larger than the program can total"},
        {7, "99999999999999", "larger than the program can total"},
        {7, "12.345", "more than two decimals"},
        {7, "5$", "is not a number"},
    };
    for (const auto &r : refused) {
        prompts.clear();
        editCell(lines, 1, r.col, QLatin1String(r.typed));
        ASSERT_EQ(prompts.messages.size(), 1) << r.typed;
        EXPECT_TRUE(prompts.messages[0].contains(QLatin1String(r.said))) << prompts.messages[0].toStdString();
        EXPECT_DOUBLE_EQ(storedLine("quantity"), 2) << r.typed;
        EXPECT_DOUBLE_EQ(storedLine("price"), 10) << r.typed;
        EXPECT_EQ(lines->CellValue(1, 6), QStringLiteral("2"));
        EXPECT_EQ(lines->CellValue(1, 7), QStringLiteral("10.00"));
    }

    // A billion of each fits no ticket total: the second is refused.
    prompts.clear();
    editCell(lines, 1, 7, QStringLiteral("999,999,999"));
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_DOUBLE_EQ(storedLine("price"), 10);
    editCell(lines, 1, 7, QStringLiteral("1,000,000"));
    editCell(lines, 1, 6, QStringLiteral("1,000,000,000"));
    editCell(lines, 1, 6, QStringLiteral("999,999,999"));
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_TRUE(prompts.messages[2].contains(QStringLiteral("the line would come to more than 999,999,999.99")))
        << prompts.messages[2].toStdString();
    EXPECT_DOUBLE_EQ(storedLine("quantity"), 2);
    EXPECT_EQ(totalText(TicketTotals::SubTotal), QStringLiteral("2000000.00"));
    EXPECT_FALSE(totalText(TicketTotals::Total).startsWith(QLatin1Char('-')));

    prompts.clear();
    vbalGrid *labor = grid("vbalGrid3");
    editCell(labor, 1, 4, QStringLiteral("$5"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select charge from saleslabor")).toDouble(), 40);
    EXPECT_EQ(totalText(TicketTotals::Labor), QStringLiteral("40.00"));
}

TEST_P(TicketAreaTest, APaymentOfFractionalCentsOrOfNothingIsRefused)
{
    open();
    clickButton("cmdPayment");
    auto *amount = child<QLineEdit>("txtAmount");
    const struct
    {
        const char *typed;
        const char *said;
    } refused[] = {
        {"12.345", "more than two decimals"}, {"0", "records nothing"},
        {"00.00", "records nothing"},         {"99999999999999", "larger than the program can total"},
        {"1e3", "\"1e3\" is not an amount"},
    };
    for (const auto &r : refused) {
        prompts.clear();
        amount->selectAll();
        QTest::keyClicks(amount, QLatin1String(r.typed));
        QTest::keyClick(amount, Qt::Key_Return);
        ASSERT_EQ(prompts.messages.size(), 1) << r.typed;
        EXPECT_TRUE(prompts.messages[0].contains(QLatin1String(r.said))) << prompts.messages[0].toStdString();
        EXPECT_EQ(count(QStringLiteral("payment")), 0) << r.typed;
        EXPECT_TRUE(amount->isVisible()) << "the entry stays open for a correction";
    }
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("12.30"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select amount from payment")).toDouble(), 12.3);
}

TEST_P(TicketAreaTest, CardPaymentsShowTheirSurcharge)
{
    equipmentLine(salesId, QStringLiteral("WH-70"), 40);
    payment(salesId, QStringLiteral("Visa"), 20);
    payment(salesId, QStringLiteral("American Express"), 100);
    payment(salesId, QStringLiteral("Cash"), 5);
    open();
    vbalGrid *pays = grid("vbalPayment");
    EXPECT_EQ(pays->CellValue(1, 4), QStringLiteral("20.40"));
    EXPECT_EQ(pays->CellForeColor(1, 4), 255);
    EXPECT_EQ(pays->CellBackColor(1, 4), 65535);
    EXPECT_EQ(pays->CellValue(2, 4), QStringLiteral("103.00"));
    EXPECT_EQ(pays->CellValue(3, 4), QString());
    EXPECT_EQ(totalText(TicketTotals::Payments), QStringLiteral("125.00"));
}

TEST_P(TicketAreaTest, RemoveCellsAskAndRemoveTheRow)
{
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99);
    payment(salesId, QStringLiteral("Cash"), 10);
    open();
    vbalGrid *lines = grid("vbalGrid2");
    prompts.answer(false);
    clickCell(lines, 1, 10);
    EXPECT_EQ(prompts.questions.value(0), QStringLiteral("Remove   1) RS-2W?"));
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
    prompts.answer(true);
    clickCell(lines, 1, 10);
    EXPECT_EQ(count(QStringLiteral("salesitem")), 0);
    EXPECT_EQ(lines->RowCount(), 0);

    prompts.answer(true);
    clickCell(grid("vbalPayment"), 1, 5);
    EXPECT_EQ(prompts.questions.value(2), QStringLiteral("Remove   1=> Cash of 10.00?"));
    EXPECT_EQ(count(QStringLiteral("payment")), 0);
    EXPECT_EQ(count(QStringLiteral("product")), 2) << "removing a line never touches the catalog";
    EXPECT_DOUBLE_EQ(qoh(remote), 12);
}

TEST_P(TicketAreaTest, LookupsAddThePickedEquipmentAndTheChosenLaborPrice)
{
    labor(QStringLiteral("Install remote start"), 150, 125);
    open();
    clickButton("cmdEquipment");
    auto *words = child<QWidget>("picEquipment")->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    QTest::keyClicks(words, QStringLiteral("harness"));
    QTest::keyClick(words, Qt::Key_Return);
    // (The customer search list has a grid of that name too.)
    vbalGrid *found = child<QWidget>("picEquipment")->findChild<vbalGrid *>(QStringLiteral("vbalGrid1"));
    ASSERT_EQ(found->RowCount(), 1);
    doubleClickCell(found, 1, 5);
    EXPECT_EQ(stored("select partnumber from salesitem where salesid = ?"), QStringLiteral("WH-70"));
    EXPECT_FALSE(child<QWidget>("picEquipment")->isVisible());
    EXPECT_EQ(found->RowCount(), 0);

    clickButton("cmdInstall");
    auto *labor = child<QWidget>("picLabor");
    QTest::keyClicks(labor->findChild<QLineEdit *>(QStringLiteral("txtSearch")), QStringLiteral("remote"));
    QTest::mouseClick(labor->findChild<QPushButton *>(QStringLiteral("cmdSearch")), Qt::LeftButton);
    vbalGrid *prices = grid("vbalGrid4");
    ASSERT_EQ(prices->RowCount(), 1);
    doubleClickCell(prices, 1, 2);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Select OURS or COG pricing box")});
    EXPECT_EQ(count(QStringLiteral("saleslabor")), 0);
    EXPECT_TRUE(labor->isVisible());
    doubleClickCell(prices, 1, 4);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select charge from saleslabor")).toDouble(), 125);
    EXPECT_FALSE(labor->isVisible());
    EXPECT_EQ(totalText(TicketTotals::Labor), QStringLiteral("125.00"));
}

TEST_P(TicketAreaTest, TheTicketsOwnBoxesAreSavedAsTypedAndTaxExemptOnlyOnAClick)
{
    Database::Execute(QStringLiteral("update sales set TaxExempt = null where id = ?"), {salesId});
    equipmentLine(salesId, QStringLiteral("WH-70"), 100);
    open();
    EXPECT_TRUE(value(QStringLiteral("select TaxExempt from sales")).isNull()) << "showing a ticket writes nothing";
    QTest::keyClicks(child<QLineEdit>("txtMake"), QStringLiteral("O'Reilly"));
    QTest::keyClicks(child<QLineEdit>("txtYear"), QStringLiteral("2019"));
    EXPECT_EQ(stored("select make from sales where id = ?"), QStringLiteral("O'Reilly"));
    EXPECT_EQ(stored("select year from sales where id = ?"), QStringLiteral("2019"));
    EXPECT_EQ(totalText(TicketTotals::Tax), QStringLiteral("08.25"));
    QTest::mouseClick(child<QCheckBox>("chkExempt"), Qt::LeftButton);
    EXPECT_EQ(value(QStringLiteral("select TaxExempt from sales")).toInt(), 1);
    EXPECT_EQ(totalText(TicketTotals::Tax), QStringLiteral("00.00"));
    EXPECT_EQ(totalText(TicketTotals::Total), QStringLiteral("100.00"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Two counters show one ticket. This one types "Brake" into the note, then
// the other stores "Customer waits"; this one's next keystroke writes
// nothing, says so once and shows the stored note, which the clerk then
// types on. The same for the make box.
TEST_P(TicketAreaTest, ABoxNeverOverwritesTextTypedAtAnotherCounter)
{
    open();
    auto *note = child<QPlainTextEdit>("txtNote");
    note->setFocus();
    QTest::keyClicks(note, QStringLiteral("Brake"));
    EXPECT_EQ(stored("select note from sales where id = ?"), QStringLiteral("Brake"));
    OtherCounter other;
    ASSERT_TRUE(other.isOpen());
    ASSERT_EQ(other.exec(QStringLiteral("update sales set note = ? where id = ?"),
                         {QStringLiteral("Customer waits"), salesId}),
              1);
    QTest::keyClicks(note, QStringLiteral("s"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0],
              QStringLiteral("The note of ticket # %1 was changed at another counter. What you "
                             "typed was not saved; the ticket shows the note as it is stored now.")
                  .arg(salesId, 4, 10, QLatin1Char('0')));
    EXPECT_EQ(note->toPlainText(), QStringLiteral("Customer waits"));
    EXPECT_EQ(stored("select note from sales where id = ?"), QStringLiteral("Customer waits"));
    QTest::keyClicks(note, QStringLiteral(" inside"));
    EXPECT_EQ(stored("select note from sales where id = ?"), QStringLiteral("Customer waits inside"));
    EXPECT_EQ(prompts.messages.size(), 1) << "one message for the conflict, not one per keystroke";

    QLineEdit *make = child<QLineEdit>("txtMake");
    make->setFocus();
    QTest::keyClicks(make, QStringLiteral("Hon"));
    ASSERT_EQ(other.exec(QStringLiteral("update sales set make = ? where id = ?"), {QStringLiteral("Toyota"), salesId}),
              1);
    QTest::keyClicks(make, QStringLiteral("d"));
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].startsWith(QStringLiteral("The make of ticket # ")))
        << prompts.messages[1].toStdString();
    EXPECT_EQ(make->text(), QStringLiteral("Toyota"));
    EXPECT_EQ(stored("select make from sales where id = ?"), QStringLiteral("Toyota"));
    EXPECT_EQ(note->toPlainText(), QStringLiteral("Customer waits inside"));
}

TEST_P(TicketAreaTest, FinalizeLocksTheTicketAndReopenNeedsAnAdministrator)
{
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99, 2);
    open();
    prompts.answer(true);
    prompts.answer(true); // closed unpaid
    clickButton("cmdFinalize");
    EXPECT_EQ(prompts.questions.value(0),
              QStringLiteral("Close ticket # %1? Ticket will be locked out once closed.")
                  .arg(salesId, 4, 10, QLatin1Char('0')));
    EXPECT_EQ(prompts.questions.value(1), QStringLiteral("Balance due 432.98. Close anyway?"));
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Close"));
    EXPECT_DOUBLE_EQ(qoh(remote), 10);
    EXPECT_FALSE(child<QWidget>("picTicket")->isEnabled());
    auto *button = child<QPushButton>("cmdFinalize");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), QStringLiteral("Re-Open Ticket"));
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("CLOSE"));
    EXPECT_EQ(grid("vbalGrid2")->CellValue(1, 10), QString()) << "no Remove cells on a closed ticket";
    EXPECT_EQ(grid("vbalGridOrders")->CellValue(1, 6), QStringLiteral("Close"));

    pins.enter(QStringLiteral("1234"));
    clickButton("cmdFinalize");
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    pins.enter(std::nullopt); // the keypad closed without "Accept"
    clickButton("cmdFinalize");
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_DOUBLE_EQ(qoh(remote), 10);
    pins.enter(QStringLiteral("8361"));
    clickButton("cmdFinalize");
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Open"));
    EXPECT_DOUBLE_EQ(qoh(remote), 12);
    EXPECT_TRUE(child<QWidget>("picTicket")->isEnabled());
    EXPECT_EQ(button->text(), QStringLiteral("Finalize Ticket"));
    EXPECT_EQ(pins.asked, 3);
}

// F9 while a quantity is still being typed: the quantity typed is what the
// ticket closes with and what leaves the stock.
TEST_P(TicketAreaTest, FinalizeWhileAQuantityIsBeingTypedClosesWithTheTypedQuantity)
{
    vbalGrid *lines = typeQuantityThenF9(QStringLiteral("3"));
    ASSERT_NE(lines, nullptr);
    settle();
    ASSERT_EQ(prompts.questions.size(), 2) << "F9 asked to close the ticket, then about its balance";
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Close"));
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select quantity from salesitem")).toDouble(), 3);
    EXPECT_DOUBLE_EQ(qoh(remote), 9);
    EXPECT_EQ(lines->CellValue(1, 6), QStringLiteral("3"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Ctrl+P while a quantity is still being typed: the invoice printed is the
// ticket with the quantity typed, its lines and its total.
TEST_P(TicketAreaTest, PrintWhileAQuantityIsBeingTypedPrintsTheTypedQuantity)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("invoice.pdf"));
    QString printed;
    SalesCommands commands;
    commands.printTicket = [&](int id, QWidget *) {
        if (Printbill(id, ReportOutput::pdf(pdf)).done())
            printed = PdfReader::text(pdf);
    };
    window->setCommands(commands);
    QLineEdit *edit = typeQuantity(QStringLiteral("3"));
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_P, Qt::ControlModifier);
    // The button's shortcut clicks it a moment later, as a press would.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !printed.isEmpty() || !prompts.messages.isEmpty(); }, 5000));
    settle();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select quantity from salesitem")).toDouble(), 3);
    // 3 × 199.99 = 599.97; tax 49.50; total 649.47.
    EXPECT_TRUE(printed.contains(QStringLiteral("599.97"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("649.47"))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("216.49"))) << "the total of one";
    EXPECT_EQ(grid("vbalGrid2")->CellValue(1, 6), QStringLiteral("3"));
}

// Finalize asks once more about a ticket that is not settled or has nothing
// on it, with the balance as the Change Due box shows it; No leaves it open.
// A settled ticket is asked about once, as before.
TEST_P(TicketAreaTest, FinalizeAsksOnceMoreAboutABalanceOrATicketWithoutLines)
{
    equipmentLine(salesId, QStringLiteral("RS-2W"), 286.47, 1); // tax 23.63, total 310.10
    open();
    window->activateWindow(); // the F-keys are the window's shortcuts
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QString closeQuestion = QStringLiteral("Close ticket # %1? Ticket will be locked out once closed.")
                                      .arg(salesId, 4, 10, QLatin1Char('0'));
    const auto pressF9 = [&](int questions) {
        QTest::keyClick(window.get(), Qt::Key_F9);
        // The button's shortcut clicks it a moment later, as a press would.
        EXPECT_TRUE(QTest::qWaitFor([&] { return prompts.questions.size() >= questions; }, 2000));
        settle();
    };
    EXPECT_EQ(totalText(TicketTotals::ChangeDue), QStringLiteral("310.10"));
    prompts.answer(true);
    prompts.answer(false);
    pressF9(2);
    EXPECT_EQ(prompts.questions, (QStringList{closeQuestion, QStringLiteral("Balance due 310.10. Close anyway?")}));
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Open")) << "No leaves it open";
    EXPECT_DOUBLE_EQ(qoh(remote), 12);
    EXPECT_TRUE(child<QWidget>("picTicket")->isEnabled());

    // Overpaid: the change owed is the balance, below zero.
    payment(salesId, QStringLiteral("Cash"), 320);
    window->ticketArea()->ShowTicket(salesId);
    prompts.clear();
    prompts.answer(true);
    prompts.answer(true);
    pressF9(2);
    EXPECT_EQ(prompts.questions.value(1), QStringLiteral("Balance due -09.90. Close anyway?"));
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Close"));
    EXPECT_DOUBLE_EQ(qoh(remote), 11);

    // Settled to the cent: the one question, as before.
    const int settled = ticket(customerId);
    equipmentLine(settled, QStringLiteral("RS-2W"), 286.47, 1);
    payment(settled, QStringLiteral("Visa"), 310.10);
    openTicket(customerId, settled);
    prompts.clear();
    prompts.answer(true);
    pressF9(1);
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {settled}).toString(),
              QStringLiteral("Close"));

    // Nothing on the ticket: said so, with its balance.
    const int empty = ticket(customerId);
    openTicket(customerId, empty);
    prompts.clear();
    prompts.answer(true);
    prompts.answer(false);
    pressF9(2);
    EXPECT_EQ(prompts.questions.value(1), QStringLiteral("No lines on this ticket. Balance due 00.00. Close anyway?"));
    EXPECT_EQ(value(QStringLiteral("select status from sales where id = ?"), {empty}).toString(),
              QStringLiteral("Open"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

// A refused edit stops the command with the edit's own message.
TEST_P(TicketAreaTest, AnEditThatIsRefusedStopsFinalize)
{
    vbalGrid *lines = typeQuantityThenF9(QStringLiteral("1,5"));
    ASSERT_NE(lines, nullptr);
    settle();
    EXPECT_TRUE(prompts.questions.isEmpty());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("\"1,5\" is not a number")));
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Open"));
    EXPECT_DOUBLE_EQ(qoh(remote), 12);
}

// F4 leaves the ticket for a new one only once the typed value is written.
TEST_P(TicketAreaTest, ANewTicketWritesTheTypedQuantityFirstOrStaysWhenItIsRefused)
{
    vbalGrid *lines = typeQuantityThenF9(QStringLiteral("1,5"), Qt::Key_F4);
    ASSERT_NE(lines, nullptr);
    settle();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("\"1,5\" is not a number")));
    EXPECT_EQ(count(QStringLiteral("sales")), 1) << "no new ticket while the edit is refused";
    EXPECT_EQ(window->salesid(), salesId);

    prompts.messages.clear();
    QLineEdit *edit = typeOverQuantity(QStringLiteral("3"));
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_F4);
    (void)QTest::qWaitFor([&] { return count(QStringLiteral("sales")) == 2; }, 2000);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(count(QStringLiteral("sales")), 2);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select quantity from salesitem where salesid = ?"), {salesId}).toDouble(),
                     3);
}

// Another customer looked up while a typed value waits in a cell: the value
// is written first; when it is refused the list does not open and the
// customer and the ticket stay.
TEST_P(TicketAreaTest, ALookupWritesTheTypedQuantityFirstOrStaysWhenItIsRefused)
{
    const int jones = customer(QStringLiteral("Carl"), QStringLiteral("Jones"));
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99, 1);
    open();
    FindCustomer *find = window->customerInfo()->findCustomer();
    const auto typeQuantityThenF5 = [&](const QString &typed) {
        QLineEdit *edit = typeOverQuantity(typed);
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit, Qt::Key_F5);
        (void)QTest::qWaitFor([&] { return !prompts.messages.isEmpty() || find->isVisible(); }, 2000);
    };
    const auto quantity = [&] {
        return value(QStringLiteral("select quantity from salesitem where salesid = ?"), {salesId}).toDouble();
    };

    typeQuantityThenF5(QStringLiteral("1,5"));
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("\"1,5\" is not a number")));
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(window->customerid(), customerId);
    EXPECT_EQ(window->salesid(), salesId);
    EXPECT_DOUBLE_EQ(quantity(), 1);

    prompts.messages.clear();
    typeQuantityThenF5(QStringLiteral("3"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return find->isVisible(); }, 2000));
    EXPECT_DOUBLE_EQ(quantity(), 3);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("jo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(window->customerid(), jones);
}

// The darkest grey drawn in a cell of a grid, as it is on the screen.
int darkestIn(vbalGrid *grid, int row, int col)
{
    QTableView *view = grid->view();
    const QRect cell = view->visualRect(view->model()->index(row - 1, col - 1));
    const QImage shot = view->viewport()->grab().toImage();
    int darkest = 255;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x)
            darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    }
    return darkest;
}

TEST_P(TicketAreaTest, AClosedTicketsLinesAndPaymentsStayReadable)
{
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99, 1);
    laborLine(salesId, QStringLiteral("Install remote start"), 150);
    payment(salesId, QStringLiteral("Cash"), 20);
    open();
    const int openText = darkestIn(grid("vbalGrid2"), 1, 2);
    prompts.answer(true);
    prompts.answer(true); // closed with a balance due
    clickButton("cmdFinalize");
    ASSERT_FALSE(child<QWidget>("picTicket")->isEnabled());
    // Locked, but read at the counter: the words as dark as on an open ticket.
    for (const char *name : {"vbalGrid2", "vbalGrid3", "vbalPayment"})
        EXPECT_LE(darkestIn(grid(name), 1, 2), std::max(openText, 60)) << name;
}

TEST_P(TicketAreaTest, AStaleWindowChangesNothingOnATicketAnotherCounterClosed)
{
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99, 1);
    open();
    // Another counter finalizes the ticket this window still shows open.
    ASSERT_EQ(TicketStore::CloseTicket(salesId), TicketChange::Done);
    scan(QStringLiteral("012345000178"));
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("no longer open")));
    EXPECT_FALSE(child<QWidget>("picTicket")->isEnabled()) << "shown afresh, locked";

    // Open again (stock 11), shown open here, then finalized at the other
    // counter (stock 10): this window's Finalize moves nothing more.
    Database::Execute(QStringLiteral("update sales set status = 'Open' where id = ?"), {salesId});
    window->ticketArea()->ShowTicket(salesId);
    ASSERT_EQ(TicketStore::CloseTicket(salesId), TicketChange::Done);
    prompts.answer(true);
    clickButton("cmdFinalize");
    EXPECT_DOUBLE_EQ(qoh(remote), 10);
    EXPECT_EQ(prompts.messages.size(), 2);
}

// The other counter changes the ticket this window shows: Finalize closes
// only what the clerk has seen, names lines no product matches any more,
// a product none of which is left is asked about, and a ticket removed
// there is said here.
TEST_P(TicketAreaTest, FinalizeClosesOnlyWhatTheClerkSawAndAnotherCountersChangesAreSaid)
{
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99, 1);
    open();
    OtherCounter other;
    ASSERT_TRUE(other.isOpen());
    ASSERT_EQ(other.exec(QStringLiteral("insert into payment (salesid, description, amount) values (?, 'Cash', 10)"),
                         {salesId}),
              1);
    prompts.answer(true);
    prompts.answer(false);
    clickButton("cmdFinalize");
    ASSERT_EQ(prompts.questions.size(), 2);
    EXPECT_EQ(prompts.questions[1], TicketTexts::CloseQuestion(salesId)) << "asked again about the ticket shown afresh";
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], TicketTexts::ChangedBeforeCloseMessage(salesId));
    EXPECT_EQ(grid("vbalPayment")->RowCount(), 1);
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Open"));

    ASSERT_EQ(other.exec(QStringLiteral("update product set partnumber = 'RS-3W' where id = ?"), {remote}), 1);
    prompts.answer(true);
    prompts.answer(true); // balance due
    prompts.answer(false);
    clickButton("cmdFinalize");
    ASSERT_EQ(prompts.questions.size(), 5);
    EXPECT_EQ(prompts.questions[4].toStdString(),
              QStringLiteral("No product has the part number of line 1 (RS-2W, Line RS-2W), so no stock is "
                             "taken for it. Close anyway?")
                  .toStdString());
    EXPECT_EQ(stored("select status from sales where id = ?"), QStringLiteral("Open"));

    ASSERT_EQ(other.exec(QStringLiteral("update product set qoh = 0 where id = ?"), {harness}), 1);
    prompts.answer(false);
    scan(QStringLiteral("012345000178"));
    ASSERT_EQ(prompts.questions.size(), 6);
    EXPECT_EQ(prompts.questions[5],
              QStringLiteral("None of WH-70 Wiring harness adapter is available (available: 0). "
                             "Add it to the ticket anyway?"));
    EXPECT_EQ(count(QStringLiteral("salesitem")), 1);
    prompts.answer(true);
    scan(QStringLiteral("012345000178"));
    EXPECT_EQ(count(QStringLiteral("salesitem")), 2);

    for (const char *table : {"payment", "salesitem"})
        other.exec(QStringLiteral("delete from %1 where salesid = ?").arg(QLatin1String(table)), {salesId});
    ASSERT_EQ(other.exec(QStringLiteral("delete from sales where id = ?"), {salesId}), 1);
    window->ticketArea()->ShowTicket(salesId);
    EXPECT_EQ(prompts.messages.last(),
              QStringLiteral("Ticket # %1 was removed at another counter.").arg(FormatTicketNumber(salesId)));
    EXPECT_EQ(window->salesid(), 0);
    EXPECT_FALSE(window->ticketArea()->isVisible());
}

// The database cannot be reached while the clerk types into a box that is
// written at every keystroke: said once, nothing typed is lost, and the box
// is written as soon as the database is back.
TEST_P(TicketAreaTest, DuringAnOutageABoxKeepsWhatWasTypedAndIsSavedWhenTheDatabaseIsBack)
{
    open();
    auto *make = child<QLineEdit>("txtMake");
    QTest::keyClicks(make, QStringLiteral("Fo"));
    ASSERT_EQ(stored("select make from sales where id = ?"), QStringLiteral("Fo"));
    const Database::ConnectionSettings up = Database::CurrentSettings();
    Database::ConnectionSettings down = up;
    down.serverName = QStringLiteral("127.0.0.1:1");
    down.sqliteFile = TestEnvironment::root() + QStringLiteral("/unplugged/tessaly.db");
    down.createIfMissing = false;
    Database::SetOverride(down);
    prompts.messages.clear();

    QTest::keyClicks(make, QStringLiteral("rd"));
    EXPECT_EQ(make->text(), QStringLiteral("Ford"));
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("GetConnection:")));
    EXPECT_TRUE(make->property("unsaved").toBool());

    Database::SetOverride(up);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !make->property("unsaved").toBool(); }, 6000));
    EXPECT_EQ(stored("select make from sales where id = ?"), QStringLiteral("Ford"));
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_P(TicketAreaTest, ATicketThatIsNeitherOpenNorClosedCantBeReopened)
{
    Database::Execute(QStringLiteral("update sales set status = 'Void' where id = ?"), {salesId});
    equipmentLine(salesId, QStringLiteral("RS-2W"), 199.99, 1);
    open();
    auto *button = child<QPushButton>("cmdFinalize");
    EXPECT_EQ(button->text(), QStringLiteral("Re-Open Ticket"));
    EXPECT_TRUE(child<QWidget>("picTicket")->isEnabled()) << "the line area stays enabled";
    clickButton("cmdFinalize");
    EXPECT_EQ(pins.asked, 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("can't be re-opened")));
    EXPECT_DOUBLE_EQ(qoh(remote), 12);
}

TESSALY_SALES_ENGINES(TicketAreaTest);

} // namespace
