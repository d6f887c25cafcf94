// The sales window around the ticket: start-up, the ticket list, Search
// Ticket, the splitter rules, the menus and what is kept between runs.
#include "customers/CustomerInfo.h"
#include "customers/FindCustomer.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Recordset.h"
#include "data/Settings.h"
#include "sales/TicketArea.h"
#include "sales/TicketListPane.h"
#include "sales/TicketPane.h"
#include "sales/frmSales.h"
#include "tests/sales/SalesWindowFixture.h"
#include "tests/support/SeedData.h"
#include "widgets/Splitter.h"
#include "widgets/vbalGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

using namespace SeedData;

class SalesWindow : public SalesWindowTest
{
protected:
    void SetUp() override
    {
        SalesWindowTest::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        ann = customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
        bo = customer(QStringLiteral("Bo"), QStringLiteral("Ng"));
    }
    QAction *action(const char *name) { return child<QAction>(name); }
    int ann = 0, bo = 0;
};

TEST_P(SalesWindow, StartsWithNoCustomerAndNoTicket)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Sales"));
    EXPECT_EQ(window->customerid(), 0);
    EXPECT_EQ(window->salesid(), 0);
    EXPECT_FALSE(window->ticketArea()->isVisible());
    EXPECT_EQ(grid("vbalGridOrders")->RowCount(), 0);
    EXPECT_EQ(window->customerInfo()->findCustomer()->listedCount(), 0) << "no customer list read at start";
    EXPECT_EQ(window->splitter()->SplitPercent(), 32);
}

TEST_P(SalesWindow, TheWholeCustomerRecordFitsThePaneOfTheDefaultWindow)
{
    window->customerInfo()->LoadCustomerInfo(ann);
    QApplication::processEvents();
    ASSERT_EQ(window->size(), QSize(qRound(20000 / 15.0), qRound(13000 / 15.0))) << "the default window";
    // Seen whole where it is, without scrolling the pane.
    auto *email = child<QWidget>("txtEmail");
    EXPECT_EQ(email->visibleRegion().boundingRect(), email->rect()) << "the e-mail box is cut off";
    auto *zip = child<QWidget>("txtZip");
    EXPECT_EQ(zip->visibleRegion().boundingRect(), zip->rect());
}

TEST_P(SalesWindow, NewTicketIsListedNotOpenedAndAnOpenOneCanBeRemoved)
{
    window->customerInfo()->LoadCustomerInfo(ann);
    const int older = ticket(ann, QStringLiteral("Close"), QStringLiteral("2026-01-05 10:00:00"));
    QTest::mouseClick(child<QWidget>("cmdNewTicket"), Qt::LeftButton);
    vbalGrid *list = grid("vbalGridOrders");
    ASSERT_EQ(list->RowCount(), 2);
    EXPECT_EQ(list->CellItemData(1, 1), older) << "oldest first";
    const int created = int(list->CellItemData(2, 1));
    EXPECT_EQ(list->SelectedRow(), 2);
    EXPECT_EQ(window->salesid(), 0) << "listed, not opened";
    EXPECT_EQ(list->CellValue(2, 6), QStringLiteral("Open"));
    EXPECT_EQ(list->CellValue(2, 7), QStringLiteral("Remove"));
    EXPECT_EQ(list->CellValue(1, 7), QString()) << "a closed ticket can't be removed";

    // Enter opens the selected ticket.
    list->view()->setFocus();
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(window->salesid(), created);
    EXPECT_TRUE(window->ticketArea()->isVisible());

    equipmentLine(created, QStringLiteral("P"), 1);
    payment(created, QStringLiteral("Cash"), 1);
    const QString date = list->CellValue(2, 2);
    // No: nothing asked further. Yes asks an administrator: a wrong PIN or
    // a keypad closed without "Accept" keeps the ticket.
    prompts.answer(false);
    clickCell(list, 2, 7);
    EXPECT_EQ(pins.asked, 0);
    prompts.answer(true);
    pins.enter(QStringLiteral("1111"));
    clickCell(list, 2, 7);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    prompts.answer(true);
    pins.enter(std::nullopt);
    clickCell(list, 2, 7);
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(count(QStringLiteral("sales")), 2);
    EXPECT_EQ(list->RowCount(), 2);

    prompts.answer(true);
    pins.enter(QStringLiteral("8361"));
    clickCell(list, 2, 7);
    EXPECT_EQ(pins.asked, 3);
    ASSERT_EQ(prompts.questions.size(), 4);
    for (const QString &asked : std::as_const(prompts.questions))
        EXPECT_EQ(asked.toStdString(),
                  QStringLiteral("Remove ticket # %1 created on %2?")
                      .arg(QString::number(created).rightJustified(4, QLatin1Char('0')), date)
                      .toStdString());
    EXPECT_EQ(value(QStringLiteral("select who from auditlog where action = 'ticket delete'")).toString(),
              QStringLiteral("master"));
    EXPECT_EQ(count(QStringLiteral("sales")), 1);
    EXPECT_EQ(count(QStringLiteral("salesitem")), 0);
    EXPECT_EQ(count(QStringLiteral("payment")), 0);
    EXPECT_EQ(window->salesid(), 0);
    EXPECT_EQ(list->RowCount(), 1);
}

TEST_P(SalesWindow, SearchTicketListsTheCustomersTicketsWithoutOpeningIt)
{
    const int t = ticket(bo);
    prompts.type(QStringLiteral("abc"));
    window->SearchTicket();
    prompts.type(QStringLiteral("99999"));
    window->SearchTicket();
    EXPECT_EQ(prompts.messages, (QStringList{QStringLiteral("Ticket Not Found"), QStringLiteral("Ticket Not Found")}));
    EXPECT_EQ(prompts.titles.value(0), QStringLiteral("Search Ticket"));
    prompts.type(QString());
    window->SearchTicket();
    EXPECT_EQ(prompts.messages.size(), 2) << "an empty answer does nothing";

    prompts.type(QString::number(t));
    window->SearchTicket();
    EXPECT_EQ(window->customerid(), bo);
    EXPECT_EQ(window->customerInfo()->customerid(), bo);
    EXPECT_EQ(window->salesid(), 0);
    vbalGrid *list = grid("vbalGridOrders");
    ASSERT_EQ(list->RowCount(), 1);
    EXPECT_EQ(list->SelectedRow(), 1);
}

TEST_P(SalesWindow, SearchTicketAndExitAskBeforeDroppingCustomerEdits)
{
    const int t = ticket(bo);
    window->customerInfo()->LoadCustomerInfo(ann);
    auto *city = child<QLineEdit>("txtCity");
    city->setFocus();
    QTest::keyClicks(city, QStringLiteral("Austin"));

    // Search Ticket for another customer's ticket: Cancel stays on Ann.
    prompts.choose(UserPrompts::Choice::Cancel);
    prompts.type(QString::number(t));
    window->SearchTicket();
    EXPECT_EQ(prompts.questions.value(1), QStringLiteral("Save changes to Ann Lee?"));
    EXPECT_EQ(window->customerInfo()->customerid(), ann);
    EXPECT_EQ(city->text(), QStringLiteral("Austin"));

    // Exit: Cancel keeps the window open with the edit.
    prompts.clear();
    prompts.choose(UserPrompts::Choice::Cancel);
    action("mnuFileExit")->trigger();
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Save changes to Ann Lee?")});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(city->text(), QStringLiteral("Austin"));

    // Yes saves before the program ends.
    prompts.clear();
    prompts.choose(UserPrompts::Choice::Yes);
    action("mnuFileExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    const auto rs = Database::GetRS(QStringLiteral("select city from customer where id = ?"), {ann});
    ASSERT_TRUE(rs && !rs->eof());
    EXPECT_EQ(rs->field(QStringLiteral("city")).toString().trimmed(), QStringLiteral("Austin"));
}

// F3 takes the number as the invoice prints it ("Customer Invoice #A0009"),
// with or without its marks, and selects that ticket in the customer's list.
TEST_P(SalesWindow, SearchTicketTakesTheNumberAsTheInvoicePrintsIt)
{
    ticket(ann);
    const int first = ticket(bo, QStringLiteral("Open"), DateText::toDb(QDateTime(QDate(2026, 3, 1), QTime(10, 0))));
    const int second = ticket(bo, QStringLiteral("Close"), DateText::toDb(QDateTime(QDate(2026, 3, 2), QTime(10, 0))));
    window->activateWindow(); // the F-keys are the window's shortcuts
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    vbalGrid *list = grid("vbalGridOrders");
    // The button's shortcut clicks it a moment later: waits for the input box
    // to have been answered.
    const auto search = [&](const QString &typed) {
        window->customerInfo()->LoadCustomerInfo(ann);
        prompts.type(typed);
        const int asked = prompts.titles.size();
        QTest::keyClick(window.get(), Qt::Key_F3);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->customerid() == bo || prompts.titles.size() > asked; }, 2000))
            << typed.toStdString();
        settle();
    };
    const QString printed = QStringLiteral("A%1").arg(second, 4, 10, QLatin1Char('0'));
    for (const QString &typed :
         {printed, QLatin1Char('#') + printed, QLatin1Char(' ') + printed.toLower(), QString::number(second)}) {
        search(typed);
        EXPECT_EQ(window->customerid(), bo) << typed.toStdString();
        ASSERT_EQ(list->RowCount(), 2) << typed.toStdString();
        EXPECT_EQ(list->CellItemData(list->SelectedRow(), 1), second) << typed.toStdString();
    }
    search(QStringLiteral("A%1").arg(first, 4, 10, QLatin1Char('0')));
    EXPECT_EQ(list->CellItemData(list->SelectedRow(), 1), first);
    EXPECT_EQ(window->salesid(), 0) << "found, not opened";
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();

    // Other letters, or the marks the wrong way round, are no ticket number.
    for (const QString &typed :
         {QStringLiteral("B%1").arg(second), QStringLiteral("A#%1").arg(second), QStringLiteral("AA%1").arg(second)}) {
        prompts.clear();
        search(typed);
        EXPECT_EQ(window->customerid(), ann) << typed.toStdString();
        EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Ticket Not Found")}) << typed.toStdString();
    }
}

// A chain's server hands out seven-digit ticket numbers; the clerk reads
// them whole in the customer's list, not cut to "12...".
TEST_P(SalesWindow, SevenDigitTicketNumbersAreListedWhole)
{
    ASSERT_EQ(Database::Execute(QStringLiteral("insert into sales (id, customerid, saledate, status) values (?, ?, ?, ?)"),
                                {1234567, ann, DateText::toDb(QDateTime(QDate(2026, 3, 1), QTime(10, 0))),
                                 QStringLiteral("Open")}),
              1);
    window->customerInfo()->LoadCustomerInfo(ann);
    settle();
    vbalGrid *list = grid("vbalGridOrders");
    ASSERT_EQ(list->RowCount(), 1);
    EXPECT_EQ(list->CellValue(1, 1), QStringLiteral("1234567"));
    EXPECT_GT(list->ColumnWidth(1), list->fontMetrics().horizontalAdvance(QStringLiteral("1234567")) + 6);
}

TEST_P(SalesWindow, SearchTicketAfterAFailedReadShowsOnlyTheDataLayersMessage)
{
    const auto pressSearchTicket = [this] {
        auto *button = child<QPushButton>("cmdSearchTicket");
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    };
    const int t = ticket(bo);
    // The tickets cannot be read for a moment (a table another program took
    // away while the window was open).
    ASSERT_GE(Database::Execute(QStringLiteral("alter table sales rename to sales_away")), 0);
    prompts.type(QString::number(t));
    pressSearchTicket();
    ASSERT_GE(Database::Execute(QStringLiteral("alter table sales_away rename to sales")), 0);
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("GetRS:"))) << prompts.lastMessage().toStdString();
    EXPECT_EQ(window->customerid(), 0);

    prompts.type(QString::number(t));
    pressSearchTicket();
    EXPECT_EQ(window->customerid(), bo) << "the same search once the tickets can be read";
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_P(SalesWindow, AChosenTicketTakesTheKeyboardWhereTheClerkTypesNext)
{
    const int fresh = ticket(ann);
    const int started = ticket(ann);
    Database::Execute(QStringLiteral("update sales set make = ? where id = ?"), {QStringLiteral("Ford"), started});
    const int closed = ticket(ann, QStringLiteral("Close"));
    // A window low enough for the pane to scroll (at the default size the
    // whole ticket is seen).
    window->resize(window->width(), 560);
    settle();
    openTicket(ann, fresh);
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>("txtYear")) << "no vehicle yet";
    QScrollBar *bar = window->ticketPane()->scrollBar();
    ASSERT_TRUE(bar->isVisible()) << "the pane shows only part of a ticket";
    bar->setValue(bar->maximum());
    openTicket(ann, started);
    EXPECT_EQ(bar->value(), 0) << "another ticket is shown from its header";
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>("txtScan")) << "the vehicle is there: the next item";
    grid("vbalGridOrders")->view()->setFocus();
    openTicket(ann, closed);
    EXPECT_EQ(QApplication::focusWidget(), grid("vbalGridOrders")->view()) << "nothing to type on a closed ticket";
}

TEST_P(SalesWindow, TheTicketListShowsTheVehicleOnceTheClerkMovesOn)
{
    const int t = ticket(ann);
    openTicket(ann, t);
    vbalGrid *list = grid("vbalGridOrders");
    ASSERT_EQ(QApplication::focusWidget(), child<QWidget>("txtYear"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2019"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Honda"));
    EXPECT_EQ(list->CellValue(1, 4).trimmed(), QString()) << "nothing read again while typing";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(list->CellValue(1, 3), QStringLiteral("2019"));
    EXPECT_EQ(list->CellValue(1, 4), QStringLiteral("Honda"));
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>("txtModel")) << "the keyboard stays where the clerk went";
    EXPECT_EQ(window->salesid(), t);
}

TEST_P(SalesWindow, ChoosingAnotherCustomerClearsTheTicket)
{
    const int t = ticket(ann);
    openTicket(ann, t);
    window->customerInfo()->LoadCustomerInfo(bo);
    EXPECT_EQ(window->salesid(), 0);
    EXPECT_FALSE(window->ticketArea()->isVisible());
    EXPECT_EQ(window->customerid(), bo);
    EXPECT_EQ(grid("vbalGridOrders")->RowCount(), 0);
}

TEST_P(SalesWindow, TheCustomerPaneTakesAtMost35PerCentAndAutoHideFoldsIt)
{
    Splitter *splitter = window->splitter();
    // Drag the bar down to the middle of the window.
    QWidget *bar = splitter->SplitterBar();
    const QPoint grab(bar->width() / 2, bar->height() / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(grab.x(), grab.y() + splitter->height() / 4),
                     bar->mapToGlobal(QPointF(grab.x(), grab.y() + splitter->height() / 4)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, grab + QPoint(0, splitter->height() / 4));
    EXPECT_EQ(splitter->SplitPercent(), 35);
    splitter->setSplitPercent(80);
    EXPECT_EQ(splitter->SplitPercent(), 35);

    const int t = ticket(ann);
    QTest::mouseClick(child<QCheckBox>("chkAutoHide"), Qt::LeftButton);
    EXPECT_EQ(splitter->SplitPercent(), 32) << "no ticket shown: nothing to fold away for";
    openTicket(ann, t);
    EXPECT_EQ(splitter->SplitPercent(), 1);
    QTest::mouseClick(child<QCheckBox>("chkAutoHide"), Qt::LeftButton);
    EXPECT_EQ(splitter->SplitPercent(), 32);
    QTest::mouseClick(child<QWidget>("cmdUp"), Qt::LeftButton);
    EXPECT_EQ(splitter->SplitPercent(), 1);
    QTest::mouseClick(child<QWidget>("cmdDown"), Qt::LeftButton);
    EXPECT_EQ(splitter->SplitPercent(), 32);
}

TEST_P(SalesWindow, GeometryAndColumnWidthsSurviveACloseAndReopen)
{
    const int modelWidth = grid("vbalGrid2")->ColumnWidth(4);
    window->resize(900, 640);
    window->move(40, 30);
    // A width the user drags is saved at once.
    grid("vbalGrid2")->view()->horizontalHeader()->resizeSection(4, 333);
    window->close();
    EXPECT_EQ(Settings::get(QStringLiteral("frmSales"), QStringLiteral("frmSales.Width")), QStringLiteral("13500"));
    EXPECT_EQ(Settings::get(QStringLiteral("frmSales"), QStringLiteral("frmSales.Height")), QStringLiteral("9600"));
    EXPECT_EQ(Settings::get(QStringLiteral("frmSales"), QStringLiteral("vbalGrid2.Col_5")), QStringLiteral("333"));

    openWindow();
    EXPECT_EQ(window->size(), QSize(900, 640));
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_EQ(grid("vbalGrid2")->ColumnWidth(5), 333);
    EXPECT_EQ(grid("vbalGrid2")->ColumnWidth(4), modelWidth) << "the others keep their defaults";
}

TEST_P(SalesWindow, SettingsThatAreNotNumbersOrOffScreenFallBack)
{
    window->close();
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("frmSales.Width"), QStringLiteral("wide"));
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("frmSales.Height"), QStringLiteral("9000"));
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("frmSales.Left"), QStringLiteral("-900000"));
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("frmSales.Top"), QStringLiteral("0"));
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("vbalGrid3.Col_2"), QStringLiteral("x"));
    openWindow();
    EXPECT_EQ(window->size(), QSize(1333, 600));
    EXPECT_GT(window->pos().x(), -1000) << "a place on no screen is not applied";
    EXPECT_EQ(grid("vbalGrid3")->ColumnWidth(2), 200);
}

TEST_P(SalesWindow, MenusAreAllThereAndWaitForTheirWindows)
{
    const QStringList menus{QStringLiteral("File"), QStringLiteral("Admin"), QStringLiteral("Time Clock")};
    QStringList captions;
    for (QAction *a : window->menuBar()->actions())
        captions << a->text();
    EXPECT_EQ(captions, menus);
    EXPECT_EQ(child<QMenu>("mnuFile")->title(), QStringLiteral("File"));
    EXPECT_EQ(child<QMenu>("mnuAdmin")->title(), QStringLiteral("Admin"));
    const QList<std::pair<const char *, const char *>> items{{"mnuSettings", "Settings"},
                                                             {"mnuInventory", "Inventory"},
                                                             {"mnuIntallHours", "Install Hours"},
                                                             {"mnuReports", "Reports"},
                                                             {"mnuTimeAdmin", "Time Admin"},
                                                             {"mnuAdminEmployees", "Employees"},
                                                             {"mnuDatabaseAdmin", "Database Administration"},
                                                             {"mnuAdminGetUpdate", "Get Update"},
                                                             {"mnuTimeClock", "Time Clock"}};
    for (const auto &[name, caption] : items) {
        QAction *a = action(name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QLatin1String(caption));
        EXPECT_FALSE(a->isEnabled()) << name << " waits for its window";
    }
    EXPECT_TRUE(action("mnuFileExit")->isEnabled());
    EXPECT_EQ(action("mnuFileExit")->text(), QStringLiteral("Exit"));
    EXPECT_FALSE(child<QWidget>("cmdPrint")->isEnabled());
}

TEST_P(SalesWindow, CommandsRunTheirOpenersAndTheAdministratorGateGuardsTwo)
{
    employee(QStringLiteral("Ann"), QStringLiteral("Boss"), QStringLiteral("4321"), QStringLiteral("admin"));
    QStringList opened;
    QList<int> printed;
    SalesCommands commands;
    commands.inventory = [&](QWidget *owner) {
        EXPECT_EQ(owner, window.get());
        opened << QStringLiteral("inventory");
    };
    commands.employees = [&](QWidget *) { opened << QStringLiteral("employees"); };
    commands.printTicket = [&](int id, QWidget *) { printed << id; };
    window->setCommands(commands);
    EXPECT_TRUE(action("mnuInventory")->isEnabled());
    EXPECT_FALSE(action("mnuReports")->isEnabled());

    action("mnuInventory")->trigger();
    pins.enter(QStringLiteral("1111"));
    action("mnuAdminEmployees")->trigger();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    pins.enter(QStringLiteral(" 4321 "));
    action("mnuAdminEmployees")->trigger();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("inventory"), QStringLiteral("employees")}));

    const int t = ticket(ann, QStringLiteral("Close"));
    openTicket(ann, t);
    QTest::mouseClick(child<QWidget>("cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(printed, QList<int>{t}) << "a closed ticket prints";
}

TESSALY_SALES_ENGINES(SalesWindow);

} // namespace
