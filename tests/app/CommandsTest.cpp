// The sales window's commands: every menu item opens its window, the
// non-modal ones once, the gated ones only behind an administrator's PIN,
// and "Exit" ends the program with the other windows.
#include "app/SalesCommandSetup.h"
#include "catalog/frmInstallHours.h"
#include "catalog/frmInventory.h"
#include "customers/CustomerInfo.h"
#include "data/Clock.h"
#include "data/Settings.h"
#include "exchange/frmImport.h"
#include "gate/PinSource.h"
#include "maintenance/frmDatabase.h"
#include "sales/TicketListPane.h"
#include "sales/frmSales.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "widgets/vbalGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class CommandPins final : public PinSource
{
public:
    CommandPins() { SetPinSource(this); }
    ~CommandPins() override { SetPinSource(nullptr); }
    std::optional<QString> askPin() override { return next; }
    std::optional<QString> next;
};

// Closes the next modal window as soon as it shows, after looking at it.
void closeNextModal(std::function<void(QWidget *)> look)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, look] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        look(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
    timer->start(20);
}

class SalesCommandsTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        SeedData::employee(QStringLiteral("Maria"), QStringLiteral("Lopez"), QStringLiteral("1234"),
                           QStringLiteral("admin"));
        window = std::make_unique<frmSales>();
        window->show();
    }
    void TearDown() override
    {
        if (window)
            window->close();
        window.reset();
        QApplication::processEvents();
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QLatin1String(name)); }

    RecordingPrompts prompts;
    CommandPins pins;
    std::unique_ptr<frmSales> window;
};

TEST_P(SalesCommandsTest, EveryCommandIsEnabledAndOpensItsWindow)
{
    window->setCommands(ProgramSalesCommands());
    for (const char *name :
         {"mnuFileImport", "mnuFileExport", "mnuFileExit", "mnuSettings", "mnuInventory", "mnuIntallHours", "mnuReports", "mnuTimeAdmin",
          "mnuAdminEmployees", "mnuDatabaseAdmin", "mnuAdminGetUpdate", "mnuTimeClock"}) {
        ASSERT_NE(action(name), nullptr) << name;
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    }
    const std::pair<const char *, const char *> modal[] = {
        {"mnuSettings", "Settings"}, {"mnuReports", "Reports"}, {"mnuTimeClock", "Clock In / Out"}};
    for (const auto &[name, caption] : modal) {
        QString seen;
        closeNextModal([&seen](QWidget *w) { seen = w->windowTitle(); });
        action(name)->trigger();
        EXPECT_EQ(seen, QLatin1String(caption)) << name;
    }
}

TEST_P(SalesCommandsTest, NonModalWindowsExistOnceAndComeForward)
{
    window->setCommands(ProgramSalesCommands());
    action("mnuInventory")->trigger();
    action("mnuInventory")->trigger();
    action("mnuIntallHours")->trigger();
    action("mnuIntallHours")->trigger();
    action("mnuDatabaseAdmin")->trigger();
    action("mnuDatabaseAdmin")->trigger();
    int inventories = 0, laborLists = 0, databases = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        inventories += qobject_cast<frmInventory *>(w) != nullptr;
        laborLists += qobject_cast<frmInstallHours *>(w) != nullptr;
        databases += qobject_cast<frmDatabase *>(w) != nullptr;
    }
    EXPECT_EQ(inventories, 1);
    EXPECT_EQ(laborLists, 1);
    EXPECT_EQ(databases, 1);

    // "Exit" ends the program: the windows beside the sales window close too.
    action("mnuFileExit")->trigger();
    QApplication::processEvents();
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
}

TEST_P(SalesCommandsTest, TimeAdminEmployeesImportAndExportOpenOnlyBehindTheGate)
{
    int timeAdmin = 0, employees = 0, clock = 0, moved = 0;
    SalesCommands c;
    c.timeAdmin = [&](QWidget *) { ++timeAdmin; };
    c.employees = [&](QWidget *) { ++employees; };
    c.importData = [&](QWidget *) { ++moved; };
    c.exportData = [&](QWidget *) { ++moved; };
    c.timeClock = [&](QWidget *) { ++clock; };
    window->setCommands(c);
    EXPECT_FALSE(action("mnuSettings")->isEnabled()) << "a command without an opener stays disabled";

    pins.next = QStringLiteral("9999");
    action("mnuTimeAdmin")->trigger();
    action("mnuAdminEmployees")->trigger();
    action("mnuFileImport")->trigger();
    action("mnuFileExport")->trigger();
    EXPECT_EQ(timeAdmin + employees + moved, 0);
    EXPECT_EQ(prompts.messages, QStringList(4, QStringLiteral("Invalid PIN")));
    pins.next = QStringLiteral("1234");
    action("mnuFileImport")->trigger();
    action("mnuFileExport")->trigger();
    EXPECT_EQ(moved, 2);

    pins.next = QStringLiteral("1234");
    action("mnuTimeAdmin")->trigger();
    pins.next = QStringLiteral("8361");
    action("mnuAdminEmployees")->trigger();
    EXPECT_EQ(timeAdmin, 1);
    EXPECT_EQ(employees, 1);

    // "Time Clock" needs no PIN: it opens in employee mode.
    pins.next = std::nullopt;
    action("mnuTimeClock")->trigger();
    EXPECT_EQ(clock, 1);
}

// Products imported while the inventory window is open appear in its list.
TEST_P(SalesCommandsTest, ImportedProductsAppearInTheOpenInventoryList)
{
    window->setCommands(ProgramSalesCommands());
    action("mnuInventory")->trigger();
    frmInventory *inventory = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<frmInventory *>(w))
            inventory = qobject_cast<frmInventory *>(w);
    }
    ASSERT_NE(inventory, nullptr);
    auto *list = inventory->findChild<vbalGrid *>(QStringLiteral("vbalGrid1"));
    ASSERT_EQ(list->RowCount(), 0);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("catalog.csv"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("UPC,Description,Price,Qty\r\nRS-100,Remote start,199.99,4\r\nAMP-4,Amplifier,89.95,1\r\n");
    out.close();
    closeNextModal([&file](QWidget *modal) {
        auto *import = qobject_cast<frmImport *>(modal);
        ASSERT_NE(import, nullptr);
        auto *table = import->findChild<QComboBox *>(QStringLiteral("cboTable"));
        table->setCurrentIndex(table->findText(QStringLiteral("Products")));
        import->findChild<QLineEdit *>(QStringLiteral("txtFile"))->setText(file);
        import->CheckFile();
        import->ImportFile();
    });
    pins.next = QStringLiteral("1234");
    action("mnuFileImport")->trigger();
    EXPECT_EQ(list->RowCount(), 2) << prompts.messages.join(QLatin1Char('|')).toStdString();
}

TEST_P(SalesCommandsTest, AnAdministratorHearsOnceADayThatTheMasterCodeIsStillTheDefault)
{
    Settings::remove(QStringLiteral("Gate"), QStringLiteral("DefaultCodeToldOn"));
    Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    qsizetype saidBeforeOpening = -1;
    SalesCommands c;
    c.timeAdmin = [&](QWidget *) { saidBeforeOpening = prompts.messages.size(); };
    window->setCommands(c);
    pins.next = QStringLiteral("8361");
    action("mnuTimeAdmin")->trigger();
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("The master code is still the one every copy of Tessaly starts with "
                                         "(8361). Change it today: Admin \u2192 Settings \u2192 Master Code.")});
    EXPECT_EQ(saidBeforeOpening, 1);
    pins.next = QStringLiteral("8361");
    action("mnuTimeAdmin")->trigger();
    EXPECT_EQ(prompts.messages.size(), 1) << "not again the same day";
    Clock::setFixed(std::nullopt);
}

// The restore itself is the Database Administration window's own test; here
// the sales window must let go of what it showed from the old contents.
TEST_P(SalesCommandsTest, AfterARestoreNoTicketOrCustomerIsShown)
{
    const int customer = SeedData::customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    const int ticket = SeedData::ticket(customer);
    window->setCommands(ProgramSalesCommands());
    window->customerInfo()->LoadCustomerInfo(customer);
    auto *list = window->findChild<TicketListPane *>();
    ASSERT_NE(list, nullptr);
    QMetaObject::invokeMethod(list, "TicketChosen", Q_ARG(int, ticket));
    QApplication::processEvents();
    ASSERT_EQ(window->salesid(), ticket);

    pins.next = QStringLiteral("1234");
    action("mnuDatabaseAdmin")->trigger();
    frmDatabase *database = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *d = qobject_cast<frmDatabase *>(w); d && d->isVisible())
            database = d;
    }
    ASSERT_NE(database, nullptr);
    Q_EMIT database->DatabaseRestored();
    QApplication::processEvents();
    EXPECT_EQ(window->salesid(), 0) << "no ticket of the old contents stays on screen";
    EXPECT_EQ(window->customerInfo()->customerid(), 0);
    database->close();
}

// Counter B shows a ticket while counter A restores: the clerk's next
// keystroke in the ticket is not written, the message says why, and the
// window starts afresh.
TEST_P(SalesCommandsTest, ARestoreAtAnotherCounterIsSaidAtTheNextKeystrokeAndTheWindowStartsAfresh)
{
    const int customer = SeedData::customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    const int ticket = SeedData::ticket(customer);
    window->setCommands(ProgramSalesCommands());
    StartAfreshOnRestoresElsewhere(window.get());
    window->customerInfo()->LoadCustomerInfo(customer);
    QMetaObject::invokeMethod(window->findChild<TicketListPane *>(), "TicketChosen", Q_ARG(int, ticket));
    QApplication::processEvents();
    ASSERT_EQ(window->salesid(), ticket);
    auto *make = window->findChild<QLineEdit *>(QStringLiteral("txtMake"));
    ASSERT_NE(make, nullptr);
    QTest::keyClicks(make, QStringLiteral("Fo"));
    ASSERT_EQ(SeedData::value(QStringLiteral("select make from sales where id = ?"), {ticket}).toString(),
              QStringLiteral("Fo"));

    { // what a restore at the other counter leaves behind
        QSqlDatabase other = TestDatabase::OpenOutside(QStringLiteral("counter-a"));
        ASSERT_TRUE(QSqlQuery(other).exec(
            QStringLiteral("insert into tessaly_info (name, value) values ('restore_generation', 'at counter A')")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("counter-a"));
    QTest::keyClicks(make, QStringLiteral("rd"));
    QApplication::processEvents();
    EXPECT_EQ(SeedData::value(QStringLiteral("select make from sales where id = ?"), {ticket}).toString(),
              QStringLiteral("Fo"));
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(prompts.messages.first().contains(QStringLiteral("restored at another counter")));
    EXPECT_EQ(window->salesid(), 0);
    EXPECT_EQ(window->customerInfo()->customerid(), 0);
    // Afresh, the clerk's work is written again.
    window->customerInfo()->LoadCustomerInfo(customer);
    EXPECT_GT(Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("customerid")}, {customer}), 0);
    StartAfreshOnRestoresElsewhere(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Engines, SalesCommandsTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
