// The search list and the record editor as a clerk uses them: typing into
// the boxes, double-clicking a customer, saving, deleting, the phone boxes.
#include "customers/CustomerInfo.h"
#include "customers/FindCustomer.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "tests/customers/CustomerFixtures.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using CustomerFixtures::AddCustomer;

template <typename T> T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// Types as a user does: each key goes to whichever box has the focus then.
void typeIntoFocus(const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

class WindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    void TearDown() override { CustomerFixtures::AllowChanges(GetParam()); }

    void showWindow(QWidget &w)
    {
        w.resize(700, 480);
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    RecordingPrompts prompts;
};

class FindCustomerTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        smith = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"), QStringLiteral("5125550101"));
        smalley = AddCustomer(QStringLiteral("Beth"), QStringLiteral("Smalley"), QStringLiteral("5125550102"));
        AddCustomer(QStringLiteral("Carl"), QStringLiteral("Jones"), QStringLiteral("7135550103"));
        AddCustomer(QStringLiteral("Dana"), QStringLiteral("O'Brien"), QStringLiteral("5125550104"));
        showWindow(find);
        find.RefreshDB();
        grid = find.grid();
        lastName = child<QLineEdit>(&find, QStringLiteral("Text1"));
    }

    // The last names shown, top to bottom.
    QStringList listed() const
    {
        QStringList names;
        for (const int r : grid->VisibleRows())
            names << grid->CellValue(r, 1);
        return names;
    }

    // The grid row of the customer shown at a position (1 = top).
    int shownRow(int position) const { return grid->VisibleRows().at(size_t(position - 1)); }

    QPoint cellCentre(int row, int col) const
    {
        return grid->view()->viewport()->mapFrom(grid, grid->CellRect(row, col).center());
    }

    FindCustomer find;
    vbalGrid *grid = nullptr;
    QLineEdit *lastName = nullptr;
    int smith = 0;
    int smalley = 0;
};

TEST_P(FindCustomerTest, TypingIntoTheLastNameBoxNarrowsAtEachKeystroke)
{
    EXPECT_EQ(listed(), (QStringList{"Jones", "O'Brien", "Smalley", "Smith"}));
    QTest::keyClicks(lastName, QStringLiteral("Sm"));
    EXPECT_EQ(listed(), (QStringList{"Smalley", "Smith"}));
    QTest::keyClicks(lastName, QStringLiteral("i"));
    EXPECT_EQ(listed(), (QStringList{"Smith"}));
    QTest::keyClick(lastName, Qt::Key_Backspace);
    QTest::keyClick(lastName, Qt::Key_Backspace);
    EXPECT_EQ(listed(), (QStringList{"Smalley", "Smith"}));
    QTest::keyClick(lastName, Qt::Key_Backspace);
    EXPECT_EQ(listed(), (QStringList{"Jones", "O'Brien", "Smalley", "Smith"}));
    QTest::keyClicks(lastName, QStringLiteral("o'"));
    EXPECT_EQ(listed(), (QStringList{"O'Brien"}));
    QTest::keyClicks(lastName, QStringLiteral("'"));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());

    lastName->clear();
    QTest::keyClicks(child<QLineEdit>(&find, QStringLiteral("Text3")), QStringLiteral("713"));
    EXPECT_EQ(listed(), (QStringList{"Jones"}));
    EXPECT_EQ(grid->CellValue(shownRow(1), 3), QStringLiteral("7135550103"));
    EXPECT_EQ(grid->CellValue(shownRow(1), 4), QStringLiteral("1 Main St 78701"));
}

// A long list is read as it is scrolled: what shows first is a page, the
// rest comes in name order as the clerk scrolls down, each customer once.
TEST_P(FindCustomerTest, ALongListComesInAsItIsScrolled)
{
    ASSERT_TRUE(Database::Transaction([] {
        for (int i = 0; i < 446; ++i) {
            if (Database::Execute(
                    QStringLiteral("insert into customer (firstname, lastname) values (?, ?)"),
                    {QStringLiteral("F%1").arg(i), QStringLiteral("Many%1").arg(i, 3, 10, QLatin1Char('0'))})
                != 1)
                return false;
        }
        return true;
    }));
    find.RefreshDB();
    EXPECT_EQ(find.listedCount(), 200);
    // Another counter adds a customer listed before the page read, and
    // removes one: the next pages still list everyone else once.
    AddCustomer(QStringLiteral("New"), QStringLiteral("Aaron"));
    ASSERT_EQ(Database::Execute(QStringLiteral("delete from customer where lastname = ?"), {QStringLiteral("Many002")}),
              1);
    QScrollBar *bar = grid->view()->verticalScrollBar();
    for (int scrolls = 0; scrolls < 5 && find.listedCount() < 450; ++scrolls) {
        QApplication::processEvents(); // the scroll bar learns the rows read
        bar->setValue(bar->maximum());
    }
    const QStringList names = listed();
    ASSERT_EQ(names.size(), 450);
    EXPECT_EQ(names.first(), QStringLiteral("Jones"));
    EXPECT_EQ(names.at(1), QStringLiteral("Many000"));
    EXPECT_EQ(names.at(446), QStringLiteral("Many445"));
    EXPECT_EQ(names.last(), QStringLiteral("Smith"));
    EXPECT_EQ(QSet<QString>(names.cbegin(), names.cend()).size(), 450);
    // A new search starts at its top, however far the last one was scrolled.
    EXPECT_GT(bar->value(), 0);
    QTest::keyClicks(lastName, QStringLiteral("m"));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(listed().first(), QStringLiteral("Many000"));
    // A prefix reads only what it finds.
    lastName->clear();
    QTest::keyClicks(lastName, QStringLiteral("many44"));
    EXPECT_EQ(listed(), (QStringList{"Many440", "Many441", "Many442", "Many443", "Many444", "Many445"}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(FindCustomerTest, DownAndEnterPickFromTheKeyboard)
{
    lastName->setFocus();
    QTest::keyClicks(lastName, QStringLiteral("sm"));
    QTest::keyClick(lastName, Qt::Key_Down);
    EXPECT_EQ(grid->SelectedRow(), shownRow(1));
    QSignalSpy picked(&find, &FindCustomer::SelectCustomer);
    QTest::keyClick(grid->view(), Qt::Key_Down);
    QTest::keyClick(grid->view(), Qt::Key_Return);
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toInt(), smith);
}

TEST_P(FindCustomerTest, SetFilterFillsTheBoxesAndNarrows)
{
    find.SetFilter(QStringLiteral("sm"), QStringLiteral("b"));
    EXPECT_EQ(listed(), (QStringList{"Smalley"}));
    find.SetFilter(QStringLiteral("Jo"));
    EXPECT_EQ(child<QLineEdit>(&find, QStringLiteral("Text2"))->text(), QString());
    EXPECT_EQ(listed(), (QStringList{"Jones"}));
}

TEST_P(FindCustomerTest, ADoubleClickPicksTheCustomerByIdEvenPast32767)
{
    Database::Execute(QStringLiteral("insert into customer (id, firstname, lastname, PreferPhone) values (?, ?, ?, ?)"),
                      {40000, QStringLiteral("Zed"), QStringLiteral("Smythe"), 0});
    find.RefreshDB();
    QTest::keyClicks(lastName, QStringLiteral("Sm"));
    ASSERT_EQ(listed(), (QStringList{"Smalley", "Smith", "Smythe"}));
    QSignalSpy picked(&find, &FindCustomer::SelectCustomer);
    QSignalSpy dbl(&find, &FindCustomer::DblClick);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(shownRow(3), 2));
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toInt(), 40000);
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl[0][0].toInt(), shownRow(3));

    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(shownRow(2), 1));
    EXPECT_EQ(picked.last()[0].toInt(), smith);

    // A click remembers the customer on the release, after telling the host.
    int seenInMouseUp = -1;
    QObject::connect(&find, &FindCustomer::MouseUp, &find, [&] { seenInMouseUp = find.customerid(); });
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(shownRow(3), 1));
    EXPECT_EQ(seenInMouseUp, 0);
    EXPECT_EQ(find.customerid(), 40000);
}

TEST_P(FindCustomerTest, AHeaderClickSortsAscendingThenDescending)
{
    QHeaderView *h = grid->view()->horizontalHeader();
    const QPoint firstName(h->sectionViewportPosition(1) + 10, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, firstName);
    EXPECT_EQ(listed(), (QStringList{"Smith", "Smalley", "Jones", "O'Brien"}));
    EXPECT_EQ(grid->ColumnTag(2), QStringLiteral("DESC"));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, firstName);
    EXPECT_EQ(listed(), (QStringList{"O'Brien", "Jones", "Smalley", "Smith"}));
    EXPECT_EQ(grid->ColumnTag(2), QString());
    // The sorted list still narrows, and picks the right customer.
    QTest::keyClicks(lastName, QStringLiteral("Sm"));
    EXPECT_EQ(listed(), (QStringList{"Smalley", "Smith"}));
    QSignalSpy picked(&find, &FindCustomer::SelectCustomer);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(shownRow(2), 1));
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toInt(), smith);
}

TEST_P(FindCustomerTest, TheFilterBoxesFollowTheirColumns)
{
    auto *first = child<QLineEdit>(&find, QStringLiteral("Text2"));
    auto *phone = child<QLineEdit>(&find, QStringLiteral("Text3"));
    grid->view()->horizontalHeader()->resizeSection(0, 160);
    EXPECT_EQ(lastName->width(), 160);
    EXPECT_EQ(first->x(), lastName->geometry().right() + 1);
    grid->view()->horizontalHeader()->resizeSection(1, 70);
    EXPECT_EQ(first->width(), 70);
    EXPECT_EQ(phone->x(), first->geometry().right() + 1);
    EXPECT_GT(child<QLabel>(&find, QStringLiteral("Label1"))->x(), phone->geometry().right());
}

TEST_P(FindCustomerTest, RecentCustomersOnlyAndTheCloseMark)
{
    for (int i = 0; i < 100; ++i)
        AddCustomer(QStringLiteral("New%1").arg(i), QStringLiteral("Zulu"));
    FindCustomer recent;
    showWindow(recent);
    recent.RefreshDB();
    EXPECT_EQ(recent.listedCount(), 104);
    AddCustomer(QStringLiteral("Newer"), QStringLiteral("Zulu"));
    recent.RefreshDB();
    child<QCheckBox>(&recent, QStringLiteral("chkShowRecent"))->click();
    // The hundred newest when the list first opened, and all added since.
    EXPECT_EQ(recent.listedCount(), 101);
    EXPECT_EQ(recent.grid()->CellValue(recent.grid()->VisibleRows().front(), 1), QStringLiteral("Zulu"));
    QTest::keyClicks(recent.findChild<QLineEdit *>(QStringLiteral("Text2")), QStringLiteral("newe"));
    EXPECT_EQ(recent.listedCount(), 1);
    QSignalSpy cancel(&recent, &FindCustomer::Cancel);
    child<QToolButton>(&recent, QStringLiteral("Label2"))->click();
    EXPECT_EQ(cancel.count(), 1);
}

TEST_P(WindowTest, AnEmptyCustomerTableListsNothingQuietly)
{
    FindCustomer find;
    showWindow(find);
    find.RefreshDB();
    QTest::keyClicks(find.findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("Sm"));
    EXPECT_EQ(find.listedCount(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

class CustomerInfoTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        showWindow(info);
        firstName = child<QLineEdit>(&info, QStringLiteral("txtFirstName"));
        idLabel = child<QLabel>(&info, QStringLiteral("Label8"));
        notice = child<QLabel>(&info, QStringLiteral("Label7"));
        state = child<QComboBox>(&info, QStringLiteral("comboState"));
    }

    QLineEdit *box(const char *name) { return child<QLineEdit>(&info, QLatin1String(name)); }
    QPushButton *button(const char *name) { return child<QPushButton>(&info, QLatin1String(name)); }
    int checkedPhone()
    {
        for (int i = 0; i < 3; ++i) {
            if (child<QRadioButton>(&info, QStringLiteral("Option1_%1").arg(i))->isChecked())
                return i;
        }
        return -1;
    }

    CustomerInfo info;
    QLineEdit *firstName = nullptr;
    QLabel *idLabel = nullptr;
    QLabel *notice = nullptr;
    QComboBox *state = nullptr;
};

TEST_P(CustomerInfoTest, ThePhoneBoxesHandTheFocusOnAfterTypedDigitsOnly)
{
    button("cmdNewCustomer")->click();
    QTest::keyClicks(firstName, QStringLiteral("Ann"));
    QTest::keyClick(firstName, Qt::Key_Return);
    EXPECT_EQ(focusName(), QStringLiteral("txtLastName"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone_0"));

    typeIntoFocus(QStringLiteral("512"));
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone_1"));
    typeIntoFocus(QStringLiteral("5550101"));
    EXPECT_EQ(box("txtPhone_0")->text(), QStringLiteral("512"));
    EXPECT_EQ(box("txtPhone_1")->text(), QStringLiteral("555"));
    EXPECT_EQ(box("txtPhone_2")->text(), QStringLiteral("0101"));
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone2_0"));

    // Going back into a full box, or moving the caret in it, stays put.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), QStringLiteral("Option1_0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone_2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone_2"));
    // A full box takes no more.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    typeIntoFocus(QStringLiteral("9"));
    EXPECT_EQ(box("txtPhone_2")->text(), QStringLiteral("0101"));

    // Enter moves on too, selecting the next box's text.
    box("txtPhone2_0")->setText(QStringLiteral("713"));
    box("txtPhone_2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone2_0"));
    EXPECT_EQ(box("txtPhone2_0")->selectedText(), QStringLiteral("713"));
}

TEST_P(CustomerInfoTest, LoadingShowsTheRecordAndAnnouncesIt)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"), QStringLiteral("512555"), 2);
    Database::Execute(QStringLiteral("update customer set state = ?, city = ? where id = ?"),
                      {QStringLiteral("ca"), QStringLiteral("Austin"), id});
    QSignalSpy loaded(&info, &CustomerInfo::CustomerLoad);
    info.LoadCustomerInfo(id);
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded[0][0].toInt(), id);
    EXPECT_FALSE(info.IsLoading());
    EXPECT_EQ(idLabel->text(), QStringLiteral("Customer ID: %1").arg(id));
    EXPECT_EQ(firstName->text(), QStringLiteral("Alan"));
    EXPECT_EQ(box("txtPhone_0")->text(), QStringLiteral("512"));
    EXPECT_EQ(box("txtPhone_1")->text(), QStringLiteral("555"));
    EXPECT_EQ(box("txtPhone_2")->text(), QString());
    EXPECT_EQ(checkedPhone(), 2);
    EXPECT_EQ(state->currentText(), QStringLiteral("CA"));
    EXPECT_FALSE(button("cmdSave")->isEnabled());
    EXPECT_TRUE(button("cmdDelete")->isEnabled());

    // A customer with no preference and no state shows none, not the last one's.
    const int bare = AddCustomer(QStringLiteral("Bea"), QStringLiteral("Bare"));
    Database::Execute(QStringLiteral("update customer set PreferPhone = NULL where id = ?"), {bare});
    info.LoadCustomerInfo(bare);
    EXPECT_EQ(loaded.last()[0].toInt(), bare);
    EXPECT_FALSE(info.IsLoading());
    EXPECT_EQ(checkedPhone(), -1);
    EXPECT_EQ(state->currentIndex(), -1);
    EXPECT_EQ(box("txtCity")->text(), QString());
    EXPECT_TRUE(prompts.messages.isEmpty());

    // Clear / New: an empty form with the home phone and the default state.
    info.LoadCustomerInfo(id);
    button("cmdNewCustomer")->click();
    EXPECT_EQ(loaded.last()[0].toInt(), 0);
    EXPECT_EQ(idLabel->text(), QStringLiteral("Customer ID:"));
    EXPECT_EQ(firstName->text(), QString());
    EXPECT_EQ(checkedPhone(), 0);
    EXPECT_EQ(state->currentText(), QStringLiteral("TX"));
    EXPECT_TRUE(button("cmdSave")->isEnabled());
    EXPECT_FALSE(button("cmdDelete")->isEnabled());
}

TEST_P(CustomerInfoTest, ACustomerThatIsGoneLoadsAsAnEmptyForm)
{
    QSignalSpy loaded(&info, &CustomerInfo::CustomerLoad);
    info.LoadCustomerInfo(4242);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("LoadCustomerInfo: ")));
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded[0][0].toInt(), 0);
    EXPECT_EQ(info.customerid(), 0);
    EXPECT_FALSE(info.IsLoading());
}

// A whole number pasted into the area code box (Ctrl+V, as from a phone
// list) fills the row's three boxes as typing it does, and is what is saved.
TEST_P(CustomerInfoTest, AWholeNumberPastedIntoTheAreaCodeFillsTheRow)
{
    button("cmdNewCustomer")->click();
    QTest::keyClicks(firstName, QStringLiteral("Ann"));
    const auto paste = [&](const char *name, const QString &text) {
        QGuiApplication::clipboard()->setText(text);
        QLineEdit *target = box(name);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    };
    paste("txtPhone_0", QStringLiteral("5125550123"));
    EXPECT_EQ(box("txtPhone_0")->text(), QStringLiteral("512"));
    EXPECT_EQ(box("txtPhone_1")->text(), QStringLiteral("555"));
    EXPECT_EQ(box("txtPhone_2")->text(), QStringLiteral("0123"));
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone2_0")) << "on to the next row, as after typing";

    paste("txtPhone2_0", QStringLiteral("(713) 555-0199"));
    EXPECT_EQ(box("txtPhone2_0")->text(), QStringLiteral("713"));
    EXPECT_EQ(box("txtPhone2_1")->text(), QStringLiteral("555"));
    EXPECT_EQ(box("txtPhone2_2")->text(), QStringLiteral("0199"));
    paste("txtPhone3_0", QStringLiteral("+1 214.555.0142"));
    EXPECT_EQ(box("txtPhone3_0")->text(), QStringLiteral("214"));
    EXPECT_EQ(box("txtPhone3_2")->text(), QStringLiteral("0142"));
    EXPECT_EQ(focusName(), QStringLiteral("txtPhone3_2")) << "the last row keeps the keyboard";

    // Text that is no whole number is pasted as into any box.
    paste("txtPhone3_1", QStringLiteral("555-01"));
    EXPECT_EQ(box("txtPhone3_1")->text(), QStringLiteral("555"));
    EXPECT_EQ(box("txtPhone3_0")->text(), QStringLiteral("214"));

    EXPECT_TRUE(button("cmdSave")->isEnabled());
    button("cmdSave")->click();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
    const auto rs = Database::GetRS(QStringLiteral("select phone1, phone2, phone3 from customer"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 1);
    EXPECT_EQ(rs->value(0, QStringLiteral("phone1")).toString(), QStringLiteral("5125550123"));
    EXPECT_EQ(rs->value(0, QStringLiteral("phone2")).toString(), QStringLiteral("7135550199"));
    EXPECT_EQ(rs->value(0, QStringLiteral("phone3")).toString(), QStringLiteral("2145550142"));
}

TEST_P(CustomerInfoTest, SavingANewCustomerCreatesItsRowAndReloadsIt)
{
    button("cmdNewCustomer")->click();
    QTest::keyClicks(firstName, QStringLiteral("Cash"));
    QTest::keyClicks(box("txtLastName"), QStringLiteral("O'Neil"));
    box("txtPhone_0")->setFocus();
    typeIntoFocus(QStringLiteral("5125550101"));
    QSignalSpy loaded(&info, &CustomerInfo::CustomerLoad);
    button("cmdSave")->click();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
    const auto rs = Database::GetRS(QStringLiteral("select * from customer"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 1);
    const int id = rs->value(0, QStringLiteral("id")).toInt();
    EXPECT_EQ(rs->value(0, QStringLiteral("firstname")).toString(), QStringLiteral("Cash"));
    EXPECT_EQ(rs->value(0, QStringLiteral("lastname")).toString(), QStringLiteral("O'Neil"));
    EXPECT_EQ(rs->value(0, QStringLiteral("phone1")).toString(), QStringLiteral("5125550101"));
    EXPECT_EQ(rs->value(0, QStringLiteral("state")).toString(), QStringLiteral("TX"));
    EXPECT_EQ(rs->value(0, QStringLiteral("PreferPhone")).toInt(), 0);
    EXPECT_EQ(idLabel->text(), QStringLiteral("Customer ID: %1").arg(id));
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("Customer data updated "))) << notice->text().toStdString();
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded[0][0].toInt(), id);

    // The next one is a customer of its own.
    button("cmdNewCustomer")->click();
    QTest::keyClicks(firstName, QStringLiteral("Cash"));
    button("cmdSave")->click();
    EXPECT_NE(info.customerid(), id);
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 2);
}

TEST_P(CustomerInfoTest, AValueWiderThanItsColumnIsToldInTheEditorsWords)
{
    // A database whose e-mail column has a width (carried over from another
    // server); SQLite keeps no widths, so there the value is simply stored.
    const bool widths = GetParam() != Engine::SQLite;
    if (widths) {
        ASSERT_GE(Database::Execute(QStringLiteral("alter table customer alter column email type varchar(20)")), 0);
    }
    button("cmdNewCustomer")->click();
    QTest::keyClicks(firstName, QStringLiteral("Dana"));
    QLineEdit *email = box("txtEmail");
    email->setFocus();
    const QString address = QStringLiteral("dana.longname@example-shop.com");
    QTest::keyClicks(email, address);
    QPushButton *save = button("cmdSave");
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Space);
    if (!widths) {
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
        const auto rs = Database::GetRS(QStringLiteral("select email from customer"));
        ASSERT_TRUE(rs && rs->rowCount() == 1);
        EXPECT_EQ(rs->value(0, 0).toString(), address);
        return;
    }
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.messages.first(), QStringLiteral("Data length too long for field width in database"));
    EXPECT_FALSE(prompts.messages.join(QLatin1Char('|')).contains(QStringLiteral("Execute:")));
    EXPECT_EQ(email->text(), address) << "what was typed is kept";
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 0) << "nothing half-written";
}

TEST_P(WindowTest, AStateListThatCannotBeReadSaysLoadState)
{
    ASSERT_GE(Database::Execute(QStringLiteral("alter table State rename to State_away")), 0);
    {
        CustomerInfo editor;
        showWindow(editor);
    }
    ASSERT_GE(Database::Execute(QStringLiteral("alter table State_away rename to State")), 0);
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Load State: ")))
        << prompts.lastMessage().toStdString();
    EXPECT_FALSE(prompts.lastMessage().contains(QStringLiteral("GetRS:")));
    EXPECT_GT(prompts.lastMessage().size(), QStringLiteral("Load State: ").size()) << "with the reason";
}

TEST_P(CustomerInfoTest, ABlankFirstNameIsRefusedWithTheShopsMessage)
{
    button("cmdNewCustomer")->click();
    QTest::keyClicks(box("txtLastName"), QStringLiteral("Smith"));
    button("cmdSave")->click();
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Customer name can not be blank.  Enter 'Cash' for Cash customers")});
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 0);
    EXPECT_EQ(box("txtLastName")->text(), QStringLiteral("Smith"));
}

TEST_P(CustomerInfoTest, AFailedSaveKeepsTheFormAndClaimsNoUpdate)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    info.LoadCustomerInfo(id);
    CustomerFixtures::RefuseChanges(GetParam());
    box("txtCity")->setText(QStringLiteral("Round Rock"));
    button("cmdSave")->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:")));
    EXPECT_EQ(notice->text(), QString());
    EXPECT_EQ(box("txtCity")->text(), QStringLiteral("Round Rock"));
    EXPECT_TRUE(button("cmdSave")->isEnabled());

    // A new customer whose update fails leaves no "Cash Sale" row behind.
    prompts.clear();
    button("cmdNewCustomer")->click();
    QTest::keyClicks(firstName, QStringLiteral("Bea"));
    button("cmdSave")->click();
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Error creating new customer"));
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 1);
    EXPECT_EQ(firstName->text(), QStringLiteral("Bea"));
}

// Two counters hold one customer. The other counter saves an e-mail, then
// this one saves a new address: both are kept and "Customer data updated" is
// shown. The other counter then saves a city while this one types another:
// this save writes nothing, names the field and shows the record as stored.
TEST_P(CustomerInfoTest, ASaveKeepsWhatAnotherCounterSavedAndRefusesToOverwriteIt)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    info.LoadCustomerInfo(id);
    OtherCounter other;
    ASSERT_TRUE(other.isOpen());
    ASSERT_EQ(other.exec(QStringLiteral("update customer set email = ? where id = ?"),
                         {QStringLiteral("alan@example.com"), id}),
              1);
    QLineEdit *address = box("txtAddress1");
    address->setFocus();
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("9 Oak Ave"));
    button("cmdSave")->click();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("Customer data updated "))) << notice->text().toStdString();
    const auto stored = [&](const char *column) {
        return other.value(QStringLiteral("select %1 from customer where id = ?").arg(QLatin1String(column)), {id})
            .toString();
    };
    EXPECT_EQ(stored("address1"), QStringLiteral("9 Oak Ave"));
    EXPECT_EQ(stored("email"), QStringLiteral("alan@example.com"));
    EXPECT_EQ(box("txtEmail")->text(), QStringLiteral("alan@example.com")) << "the reload shows both";

    // Both counters change the city (and this one the zip as well).
    ASSERT_EQ(other.exec(QStringLiteral("update customer set city = ? where id = ?"), {QStringLiteral("Austin"), id}),
              1);
    QLineEdit *city = box("txtCity");
    city->setFocus();
    QTest::keyClicks(city, QStringLiteral("Round Rock"));
    box("txtZip")->setText(QStringLiteral("78664"));
    button("cmdSave")->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0],
              QStringLiteral("Changed at another counter since this customer was loaded: City. "
                             "Nothing was saved; the customer is shown as stored now."));
    EXPECT_EQ(stored("city"), QStringLiteral("Austin"));
    EXPECT_EQ(stored("zipcode"), QStringLiteral("78701")) << "nothing of the refused save";
    EXPECT_EQ(city->text(), QStringLiteral("Austin"));
    EXPECT_EQ(box("txtZip")->text(), QStringLiteral("78701"));
    EXPECT_FALSE(button("cmdSave")->isEnabled());
    EXPECT_EQ(notice->text(), QString()) << "no update is claimed";

    // Typed again over what is now shown, the save goes through.
    prompts.clear();
    city->setFocus();
    city->selectAll();
    QTest::keyClicks(city, QStringLiteral("Round Rock"));
    button("cmdSave")->click();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
    EXPECT_EQ(stored("city"), QStringLiteral("Round Rock"));
}

TEST_P(CustomerInfoTest, DeleteIsRefusedWhileTicketsExistAndAsksFirst)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    const int ticket = CustomerFixtures::AddTicket(id, QStringLiteral("Open"));
    info.LoadCustomerInfo(id);
    button("cmdDelete")->click();
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Customer is linked to existing receipts.  Must delete all receipts first")});
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 1);

    Database::Execute(QStringLiteral("delete from sales where id = ?"), {ticket});
    prompts.answer(false);
    button("cmdDelete")->click();
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Are you sure you want to delete customer?")});
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 1);
    EXPECT_EQ(idLabel->text(), QStringLiteral("Customer ID: %1").arg(id));

    QSignalSpy loaded(&info, &CustomerInfo::CustomerLoad);
    prompts.answer(true);
    button("cmdDelete")->click();
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 0);
    EXPECT_EQ(info.customerid(), 0);
    EXPECT_EQ(firstName->text(), QString());
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded[0][0].toInt(), 0);
}

TEST_P(CustomerInfoTest, ADeleteTheServerRefusesKeepsTheCustomerOnTheForm)
{
    const int id = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    info.LoadCustomerInfo(id);
    CustomerFixtures::RefuseChanges(GetParam());
    prompts.answer(true);
    QSignalSpy loaded(&info, &CustomerInfo::CustomerLoad);
    button("cmdDelete")->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:")));
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 1);
    EXPECT_EQ(info.customerid(), id);
    EXPECT_EQ(firstName->text(), QStringLiteral("Alan"));
    EXPECT_EQ(idLabel->text(), QStringLiteral("Customer ID: %1").arg(id));
    EXPECT_EQ(loaded.count(), 0);
}

TEST_P(CustomerInfoTest, LookupSwapsInTheSearchListAndAPickLoadsTheCustomer)
{
    AddCustomer(QStringLiteral("Carl"), QStringLiteral("Jones"));
    const int smith = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    button("cmdLookup")->click();
    FindCustomer *find = info.findCustomer();
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(child<QWidget>(&info, QStringLiteral("picClient"))->isVisible());
    EXPECT_FALSE(button("cmdSave")->isVisible());
    EXPECT_EQ(find->geometry(), info.rect());
    EXPECT_EQ(find->listedCount(), 2);

    QTest::keyClicks(find->findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("sm"));
    ASSERT_EQ(find->listedCount(), 1);
    QSignalSpy loaded(&info, &CustomerInfo::CustomerLoad);
    vbalGrid *grid = find->grid();
    QTest::mouseDClick(
        grid->view()->viewport(), Qt::LeftButton, {},
        grid->view()->viewport()->mapFrom(grid, grid->CellRect(grid->VisibleRows().front(), 1).center()));
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded[0][0].toInt(), smith);
    EXPECT_FALSE(find->isVisible());
    EXPECT_TRUE(child<QWidget>(&info, QStringLiteral("picClient"))->isVisible());
    EXPECT_EQ(firstName->text(), QStringLiteral("Alan"));

    button("cmdLookup")->click();
    find->findChild<QToolButton *>(QStringLiteral("Label2"))->click();
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(info.customerid(), smith);
}

TEST_P(CustomerInfoTest, F5OpensTheLookupForTypingAndEscapeClosesIt)
{
    const int smith = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    AddCustomer(QStringLiteral("Carl"), QStringLiteral("Jones"));
    FindCustomer *find = info.findCustomer();
    QTest::keyClick(&info, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return find->isVisible(); }, 2000));
    EXPECT_EQ(focusName(), QStringLiteral("Text1")) << "the last name is typed at once";
    typeIntoFocus(QStringLiteral("sm"));
    EXPECT_EQ(find->listedCount(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_TRUE(child<QWidget>(&info, QStringLiteral("picClient"))->isVisible());

    // Opened again, the last search is selected: typing replaces it. Escape
    // works from the list too; Down and Enter still pick.
    QTest::keyClick(&info, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return find->isVisible(); }, 2000));
    typeIntoFocus(QStringLiteral("sm"));
    EXPECT_EQ(find->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral("sm"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), find->grid()->view());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    QTest::keyClick(&info, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return find->isVisible(); }, 2000));
    typeIntoFocus(QStringLiteral("sm"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(info.customerid(), smith);
}

QString storedCity(int id)
{
    const auto rs = Database::GetRS(QStringLiteral("select city from customer where id = ?"), {id});
    return rs && !rs->eof() ? rs->field(QStringLiteral("city")).toString().trimmed() : QStringLiteral("<none>");
}

// F5, the last-name letters, Down and Enter: picks the first customer listed.
void pickByKeyboard(CustomerInfo &info, const QString &letters)
{
    QTest::keyClick(&info, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return info.IsLookingUp(); }, 2000));
    typeIntoFocus(letters);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

TEST_P(CustomerInfoTest, PickingAnotherCustomerAsksAboutUnsavedEdits)
{
    const int smith = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    const int jones = AddCustomer(QStringLiteral("Carl"), QStringLiteral("Jones"));
    info.LoadCustomerInfo(smith);
    QLineEdit *city = box("txtCity");
    const QString before = storedCity(smith);

    // Nothing edited: no question.
    pickByKeyboard(info, QStringLiteral("jo"));
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(info.customerid(), jones);
    pickByKeyboard(info, QStringLiteral("sm"));
    ASSERT_EQ(info.customerid(), smith);

    // Cancel: the same customer, the edit still in its box.
    city->setFocus();
    city->selectAll();
    QTest::keyClicks(city, QStringLiteral("Round Rock"));
    prompts.choose(UserPrompts::Choice::Cancel);
    pickByKeyboard(info, QStringLiteral("jo"));
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Save changes to Alan Smith?")});
    EXPECT_EQ(info.customerid(), smith);
    EXPECT_EQ(firstName->text(), QStringLiteral("Alan"));
    EXPECT_EQ(city->text(), QStringLiteral("Round Rock"));
    EXPECT_FALSE(info.IsLookingUp());
    EXPECT_EQ(storedCity(smith), before);

    // No: the other customer, the edit dropped.
    prompts.clear();
    prompts.choose(UserPrompts::Choice::No);
    pickByKeyboard(info, QStringLiteral("jo"));
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(info.customerid(), jones);
    EXPECT_EQ(storedCity(smith), before);

    // Yes: saved, then the other customer.
    pickByKeyboard(info, QStringLiteral("sm"));
    city->setFocus();
    city->selectAll();
    QTest::keyClicks(city, QStringLiteral("Round Rock"));
    prompts.clear();
    prompts.choose(UserPrompts::Choice::Yes);
    pickByKeyboard(info, QStringLiteral("jo"));
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Save changes to Alan Smith?")});
    EXPECT_EQ(storedCity(smith), QStringLiteral("Round Rock"));
    EXPECT_EQ(info.customerid(), jones);
    EXPECT_EQ(firstName->text(), QStringLiteral("Carl"));
    EXPECT_EQ(notice->text(), QString()) << "the notice was Alan Smith's";

    // Clear / New asks as well; a new customer's typed name names it.
    city->setFocus();
    QTest::keyClicks(city, QStringLiteral("x"));
    prompts.clear();
    prompts.choose(UserPrompts::Choice::Cancel);
    QTest::keyClick(button("cmdNewCustomer"), Qt::Key_Space);
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Save changes to Carl Jones?")});
    EXPECT_EQ(info.customerid(), jones);
}

TEST_P(CustomerInfoTest, TheUpdatedNoticeBelongsToTheCustomerItWasShownFor)
{
    const int smith = AddCustomer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    AddCustomer(QStringLiteral("Carl"), QStringLiteral("Jones"));
    info.LoadCustomerInfo(smith);
    QLineEdit *city = box("txtCity");
    city->setFocus();
    QTest::keyClicks(city, QStringLiteral("s"));
    QTest::keyClick(button("cmdSave"), Qt::Key_Space);
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("Customer data updated "))) << notice->text().toStdString();
    pickByKeyboard(info, QStringLiteral("jo"));
    EXPECT_EQ(firstName->text(), QStringLiteral("Carl"));
    EXPECT_EQ(notice->text(), QString());
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_P(CustomerInfoTest, AFirstNameOfOnlyBlanksIsBlank)
{
    button("cmdNewCustomer")->click();
    firstName->setFocus();
    QTest::keyClicks(firstName, QStringLiteral("   "));
    QTest::keyClick(firstName, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Smith"));
    QTest::keyClick(button("cmdSave"), Qt::Key_Space);
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Customer name can not be blank.  Enter 'Cash' for Cash customers")});
    EXPECT_EQ(CustomerFixtures::CustomerCount(), 0);
    EXPECT_EQ(box("txtLastName")->text(), QStringLiteral("Smith"));
}

TEST_P(CustomerInfoTest, HideAddressCutsTheFormAfterThePhones)
{
    info.resize(700, 480);
    info.HideAddress();
    const QWidget *line = child<QWidget>(&info, QStringLiteral("Line1"));
    EXPECT_EQ(info.height(), line->mapTo(&info, QPoint(0, line->height())).y());
    info.ShowAddress();
    EXPECT_EQ(info.height(), 480);
}

const auto engineName = [](const auto &info) { return TestDatabase::EngineName(info.param); };
INSTANTIATE_TEST_SUITE_P(Engines, WindowTest, ::testing::ValuesIn(TestDatabase::Engines()), engineName);
INSTANTIATE_TEST_SUITE_P(Engines, FindCustomerTest, ::testing::ValuesIn(TestDatabase::Engines()), engineName);
INSTANTIATE_TEST_SUITE_P(Engines, CustomerInfoTest, ::testing::ValuesIn(TestDatabase::Engines()), engineName);

} // namespace
