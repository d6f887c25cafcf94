// The time clock window on real databases: the week shown, clocking in and
// out with PINs typed by the test, and the administrator's edits and reports.
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "print/PdfPreviewPresenter.h"
#include "reports/DemoLetterhead.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"
#include "tests/timeclock/TimeClockTestSupport.h"
#include "timeclock/EmployeeButtonColumn.h"
#include "timeclock/PayWeek.h"
#include "timeclock/WorkedTime.h"
#include "timeclock/frmTimeInOut.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class TimeClockWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        at(9, 10); // Wednesday 9 December 2026: the week of Thursday the 3rd
        ann = SeedData::employee(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("1234"));
        bo = SeedData::employee(QStringLiteral("Bo"), QStringLiteral("Ng"), QStringLiteral("2222"));
        Database::InsertRow(QStringLiteral("employee"), {QStringLiteral("pin"), QStringLiteral("active")},
                            {QStringLiteral("7777"), 1}); // no names at all
        const int gone = SeedData::employee(QStringLiteral("Cy"), QStringLiteral("Abel"), QStringLiteral("3333"));
        Database::Execute(QStringLiteral("update employee set active = 0 where id = ?"), {gone});
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    static void at(int day, int hour, int minute = 0)
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, day), QTime(hour, minute)));
    }
    static int row(int employee, const QString &in, const QString &out = QString())
    {
        return int(
            Database::InsertRow(QStringLiteral("TimeInOut"),
                                {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout")},
                                {employee, in, out.isEmpty() ? QVariant() : QVariant(out)}));
    }
    std::unique_ptr<frmTimeInOut> open(bool admin)
    {
        auto w = std::make_unique<frmTimeInOut>();
        w->setAdmin(admin);
        w->show();
        return w;
    }
    // A click on a picture button, as the employee makes it.
    static void choose(frmTimeInOut &w, int employeeId)
    {
        EmployeeButtonColumn *buttons = w.employeeButtons();
        for (int i = 0; i < buttons->TotalEmployee(); ++i) {
            if (buttons->employeeIdAt(i) == employeeId)
                buttons->button(i)->click();
        }
    }
    template <typename T> static T *child(frmTimeInOut &w, const char *name)
    {
        return w.findChild<T *>(QLatin1String(name));
    }
    static QString text(frmTimeInOut &w, const char *label) { return child<QLabel>(w, label)->text(); }
    static bool enabled(frmTimeInOut &w, const char *button) { return child<QPushButton>(w, button)->isEnabled(); }
    static void clickCell(vbalGrid *grid, int r, int c)
    {
        const QPoint p = grid->view()->viewport()->mapFrom(grid, grid->CellRect(r, c).center());
        QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, p);
    }
    // Types into a cell and ends the edit with Enter.
    static void typeInto(frmTimeInOut &w, int r, int c, const QString &typed)
    {
        w.grid()->StartEdit(r, c);
        ASSERT_TRUE(w.grid()->InEditMode());
        w.editBox()->setText(typed);
        QTest::keyClick(w.editBox(), Qt::Key_Return);
    }
    static QVariant stored(const char *column, int rowId)
    {
        return SeedData::value(QStringLiteral("select %1 from TimeInOut where id = ?").arg(QLatin1String(column)),
                               {rowId});
    }

    RecordingPrompts prompts;
    ScriptedPins pins;
    int ann = 0, bo = 0;
};

TEST_P(TimeClockWindowTest, OpensOnTheWeekThatContainsTodayWithEveryListedEmployee)
{
    auto w = open(false);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Clock In / Out"));
    EXPECT_EQ(text(*w, "lblWeek"), QStringLiteral("Pay Period of  12/03/2026"));
    EmployeeButtonColumn *buttons = w->employeeButtons();
    ASSERT_EQ(buttons->TotalEmployee(), 3) << "the inactive employee is not listed";
    QStringList captions;
    for (int i = 0; i < 3; ++i)
        captions << buttons->button(i)->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral(","), QStringLiteral("Lee,Ann"), QStringLiteral("Ng,Bo")}));
    EXPECT_EQ(text(*w, "lblEmployee"), QStringLiteral("Select Employee Above:"));
    EXPECT_FALSE(enabled(*w, "cmdClockIn"));
    EXPECT_FALSE(enabled(*w, "cmdClockOut"));
    EXPECT_FALSE(child<QGroupBox>(*w, "fraAdmin")->isVisible());
    EXPECT_EQ(w->grid()->ColumnCount(), 5);
    EXPECT_EQ(text(*w, "lblTime"), QStringLiteral("12/9/2026 10:00:00 AM"));

    child<QPushButton>(*w, "cmdNext")->click();
    EXPECT_EQ(text(*w, "lblWeek"), QStringLiteral("Pay Period of  12/03/2026")) << "never past today's week";
    child<QPushButton>(*w, "cmdPrevious")->click();
    EXPECT_EQ(text(*w, "lblWeek"), QStringLiteral("Pay Period of  11/26/2026"));
    child<QPushButton>(*w, "cmdNext")->click();
    EXPECT_EQ(text(*w, "lblWeek"), QStringLiteral("Pay Period of  12/03/2026"));
}

TEST_P(TimeClockWindowTest, ClockingInAndOutTakesTheEmployeesPinOrTheMasterCode)
{
    auto w = open(false);
    choose(*w, ann);
    EXPECT_EQ(text(*w, "lblEmployee"), QStringLiteral("Ann Lee:"));
    EXPECT_EQ(child<QLineEdit>(*w, "txtFirstName")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(child<QLineEdit>(*w, "txtTitle")->text(), QString());
    EXPECT_TRUE(enabled(*w, "cmdClockIn"));
    EXPECT_FALSE(enabled(*w, "cmdClockOut"));

    pins.enter(QStringLiteral("2222")); // Bo's PIN is not Ann's
    child<QPushButton>(*w, "cmdClockIn")->click();
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Invalid PIN"));
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 0);
    pins.enter(std::nullopt); // the keypad closed without Accept
    child<QPushButton>(*w, "cmdClockIn")->click();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 0);

    pins.enter(QStringLiteral("1234"));
    child<QPushButton>(*w, "cmdClockIn")->click();
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 1);
    EXPECT_FALSE(enabled(*w, "cmdClockIn"));
    EXPECT_TRUE(enabled(*w, "cmdClockOut"));
    ASSERT_EQ(w->grid()->RowCount(), 1);
    EXPECT_EQ(w->grid()->CellValue(1, 2), QStringLiteral("12/9/2026 10:00:00 AM"));
    EXPECT_EQ(w->grid()->CellValue(1, 4), QString()) << "no hours while clocked in";

    at(9, 16, 30);
    pins.enter(QStringLiteral("8361"));
    child<QPushButton>(*w, "cmdClockOut")->click();
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from TimeInOut where timeout is null")).toInt(), 0);
    EXPECT_EQ(w->grid()->CellValue(1, 4), QStringLiteral("06.50"));
    EXPECT_EQ(text(*w, "lblTotalHour"), QStringLiteral("Total Hours: 06.50"));
    EXPECT_TRUE(enabled(*w, "cmdClockIn"));
}

// Someone guessing the master code at the clock: after five wrong PINs
// even the right code is refused there for a minute, and nothing is
// clocked; Ann's own PIN still clocks her in.
TEST_P(TimeClockWindowTest, GuessingTheMasterCodeAtTheClockIsStoppedByTheLockout)
{
    auto w = open(false);
    choose(*w, ann);
    for (int i = 0; i < 5; ++i) {
        pins.enter(QString::number(8300 + i));
        child<QPushButton>(*w, "cmdClockIn")->click();
    }
    EXPECT_EQ(prompts.messages, QStringList(5, QStringLiteral("Invalid PIN")));
    pins.enter(QStringLiteral("8361"));
    child<QPushButton>(*w, "cmdClockIn")->click();
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Too many wrong PINs: try again in a minute"));
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 0);
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from auditlog where action = 'PIN refused'")).toInt(), 5);

    pins.enter(QStringLiteral("1234"));
    child<QPushButton>(*w, "cmdClockIn")->click();
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 1);
    EXPECT_EQ(prompts.messages.size(), 6);
}

TEST_P(TimeClockWindowTest, AForgottenClockOutIsOfferedAndClosesIt)
{
    row(ann, QStringLiteral("2026-10-01 08:00:00"));
    auto w = open(false);
    choose(*w, ann);
    EXPECT_FALSE(enabled(*w, "cmdClockIn"));
    EXPECT_TRUE(enabled(*w, "cmdClockOut"));
    pins.enter(QStringLiteral(" 1234"));
    child<QPushButton>(*w, "cmdClockOut")->click();
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from TimeInOut where timeout is null")).toInt(), 0);
    EXPECT_EQ(DateText::fromDb(SeedData::value(QStringLiteral("select timeout from TimeInOut"))),
              QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

TEST_P(TimeClockWindowTest, TimeAdminListsAnInactiveEmployeeWhoIsStillClockedIn)
{
    const int cy = SeedData::value(QStringLiteral("select id from employee where lastname = 'Abel'")).toInt();
    Database::Execute(QStringLiteral("update employee set role = 'Admin' where id = ?"), {cy});
    const int openRow = row(cy, QStringLiteral("2026-12-08 08:00:00"));
    row(bo, QStringLiteral("2026-12-07 08:00:00"), QStringLiteral("2026-12-07 12:00:00"));
    {
        auto clock = this->open(false);
        EXPECT_EQ(clock->employeeButtons()->TotalEmployee(), 3) << "the clock itself lists the active only";
    }

    auto w = this->open(true);
    EmployeeButtonColumn *buttons = w->employeeButtons();
    ASSERT_EQ(buttons->TotalEmployee(), 4);
    QStringList captions;
    for (int i = 0; i < buttons->TotalEmployee(); ++i)
        captions << buttons->button(i)->text();
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral(","), QStringLiteral("Abel,Cy"), QStringLiteral("Lee,Ann"),
                           QStringLiteral("Ng,Bo")}));
    QToolButton *cyButton = buttons->button(1);
    cyButton->setFocus();
    QTest::keyClick(cyButton, Qt::Key_Space);
    EXPECT_EQ(text(*w, "lblEmployee"), QStringLiteral("Cy Abel:"));
    ASSERT_TRUE(enabled(*w, "cmdClockOut"));
    at(9, 17);
    pins.enter(QStringLiteral("3333"));
    auto *clockOut = child<QPushButton>(*w, "cmdClockOut");
    clockOut->setFocus();
    QTest::keyClick(clockOut, Qt::Key_Space);
    EXPECT_FALSE(stored("timeout", openRow).isNull());
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from TimeInOut where timeout is null")).toInt(), 0);
    w->close();

    // Clocked out, the inactive employee is off the list again.
    auto again = this->open(true);
    EXPECT_EQ(again->employeeButtons()->TotalEmployee(), 3);
}

TEST_P(TimeClockWindowTest, TheWeekTotalIsTheWeeklyPayrollFigure)
{
    row(ann, QStringLiteral("2026-11-26 00:00:00"), QStringLiteral("2026-11-26 08:00:00"));
    row(ann, QStringLiteral("2026-12-03 00:00:00"), QStringLiteral("2026-12-03 02:30:00"));
    row(ann, QStringLiteral("2026-12-05 08:00:59"), QStringLiteral("2026-12-05 16:01:00"));
    row(ann, QStringLiteral("2026-12-08 08:00:00"));
    row(bo, QStringLiteral("2026-12-04 08:00:00"), QStringLiteral("2026-12-04 09:00:00"));
    auto w = open(false);
    choose(*w, ann);
    ASSERT_EQ(w->grid()->RowCount(), 3);
    EXPECT_EQ(w->grid()->CellValue(2, 4), QStringLiteral("08.02"));
    const QDateTime start(QDate(2026, 12, 3), QTime(0, 0));
    const auto payroll = ReadTimeRows(ann, start, start.addDays(7));
    ASSERT_TRUE(payroll);
    const std::optional<qint64> minutes = MinutesWorked(*payroll, ann, start, start.addDays(7));
    ASSERT_TRUE(minutes);
    EXPECT_EQ(*minutes, 150 + 481);
    EXPECT_EQ(text(*w, "lblTotalHour"), QStringLiteral("Total Hours: ") + HoursOf(*minutes).format00());

    child<QPushButton>(*w, "cmdPrevious")->click();
    ASSERT_EQ(w->grid()->RowCount(), 1) << "the Thursday-midnight row is in one week only";
    EXPECT_EQ(text(*w, "lblTotalHour"), QStringLiteral("Total Hours: 08.00"));
    choose(*w, bo);
    EXPECT_EQ(w->grid()->RowCount(), 0);
    EXPECT_EQ(text(*w, "lblTotalHour"), QStringLiteral("Total Hours: 00.00"));
}

TEST_P(TimeClockWindowTest, TheAdministratorEditsWhatWasTypedAndNothingElse)
{
    const int r = row(ann, QStringLiteral("2026-12-07 08:00:00"), QStringLiteral("2026-12-07 12:00:00"));
    auto w = open(true);
    EXPECT_TRUE(child<QGroupBox>(*w, "fraAdmin")->isVisible());
    ASSERT_EQ(w->grid()->ColumnCount(), 6);
    EXPECT_EQ(w->grid()->ColumnHeader(6), QStringLiteral("action"));
    choose(*w, ann);
    ASSERT_EQ(w->grid()->RowCount(), 2);
    EXPECT_EQ(w->grid()->CellValue(1, 6), QStringLiteral("Remove"));
    EXPECT_EQ(w->grid()->CellValue(2, 6), QStringLiteral("Add New"));

    typeInto(*w, 1, 2, QStringLiteral("12/7/2026 7:45 AM"));
    EXPECT_EQ(DateText::fromDb(stored("timein", r)), QDateTime(QDate(2026, 12, 7), QTime(7, 45)));
    EXPECT_EQ(w->grid()->CellValue(1, 4), QStringLiteral("04.25"));
    EXPECT_TRUE(prompts.messages.isEmpty());

    typeInto(*w, 1, 2, QStringLiteral("quarter to eight"));
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("is not a date and time")))
        << prompts.lastMessage().toStdString();
    typeInto(*w, 1, 2, QStringLiteral("   "));
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("needs its time in")));
    EXPECT_EQ(DateText::fromDb(stored("timein", r)), QDateTime(QDate(2026, 12, 7), QTime(7, 45)));

    const QString injection = QStringLiteral("late'); delete from TimeInOut; --");
    typeInto(*w, 1, 5, injection);
    EXPECT_EQ(stored("note", r).toString(), injection);
    EXPECT_EQ(w->grid()->CellValue(1, 5), injection);

    typeInto(*w, 1, 3, QString());
    EXPECT_TRUE(stored("timeout", r).isNull()) << "a blank time out: still clocked in";
    EXPECT_TRUE(enabled(*w, "cmdClockOut"));
    EXPECT_EQ(w->grid()->CellValue(1, 4), QString());
    w->grid()->StartEdit(1, 1);
    EXPECT_FALSE(w->grid()->InEditMode()) << "the row number is not edited";
    w->grid()->StartEdit(2, 2);
    EXPECT_FALSE(w->grid()->InEditMode()) << "the Add New row has no time row yet";
}

TEST_P(TimeClockWindowTest, RowsAreAddedToTheWeekShownAndRemovedAfterTheQuestion)
{
    auto w = open(true);
    choose(*w, ann);
    ASSERT_EQ(w->grid()->RowCount(), 1);
    clickCell(w->grid(), 1, 6); // "Add New"
    ASSERT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 1);
    ASSERT_EQ(w->grid()->RowCount(), 2);
    EXPECT_EQ(w->grid()->CellValue(1, 2), QStringLiteral("12/9/2026 10:00:00 AM"));
    EXPECT_EQ(w->grid()->CellValue(1, 3), QStringLiteral("12/9/2026 10:00:00 AM"));

    child<QPushButton>(*w, "cmdPrevious")->click();
    clickCell(w->grid(), 1, 6);
    ASSERT_EQ(w->grid()->RowCount(), 2) << "a row added to a past week is listed in it";
    EXPECT_EQ(w->grid()->CellValue(1, 2), QStringLiteral("11/26/2026 12:00:00 AM"));

    const QString id = w->grid()->CellValue(1, 1);
    prompts.answer(false);
    clickCell(w->grid(), 1, 6);
    EXPECT_EQ(prompts.questions.last(), QStringLiteral("Remove ") + id + QStringLiteral("  11/26/2026 12:00:00 AM?"));
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 2);
    prompts.answer(true);
    clickCell(w->grid(), 1, 6);
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 1);
    EXPECT_EQ(w->grid()->RowCount(), 1);
}

TEST_P(TimeClockWindowTest, AnEditInProgressBelongsToTheEmployeeBeingLeft)
{
    const int r = row(ann, QStringLiteral("2026-12-07 08:00:00"), QStringLiteral("2026-12-07 12:00:00"));
    auto w = open(true);
    choose(*w, ann);
    w->grid()->StartEdit(1, 5);
    w->editBox()->setText(QStringLiteral("dentist"));
    choose(*w, bo);
    EXPECT_EQ(stored("note", r).toString(), QStringLiteral("dentist"));
    EXPECT_EQ(w->selectedId(), bo);
    EXPECT_EQ(w->grid()->RowCount(), 1) << "Bo's week: only the Add New row";
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from TimeInOut where employeeid = ?"), {bo}).toInt(), 0);
}

// Rows that could not be read are never the rows of the employee shown
// before: the grid is empty and Remove has nothing to take away.
TEST_P(TimeClockWindowTest, AFailedReadLeavesNoRowOfThePreviousEmployee)
{
    row(ann, QStringLiteral("2026-12-07 08:00:00"), QStringLiteral("2026-12-07 12:00:00"));
    auto w = open(true);
    choose(*w, ann);
    ASSERT_EQ(w->grid()->RowCount(), 2);
    ASSERT_GE(Database::Execute(QStringLiteral("alter table TimeInOut rename to timeinout_away")), 0);
    choose(*w, bo);
    ASSERT_GE(Database::Execute(QStringLiteral("alter table timeinout_away rename to TimeInOut")), 0);
    EXPECT_EQ(w->grid()->RowCount(), 0);
    EXPECT_FALSE(prompts.messages.isEmpty()) << "the failed read is reported";
    prompts.answer(true);
    clickCell(w->grid(), 1, 6);
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 1) << "Ann's row is still there";

    // An employee who cannot be read is not chosen at all.
    choose(*w, ann);
    ASSERT_GE(Database::Execute(QStringLiteral("alter table employee rename to employee_away")), 0);
    choose(*w, bo);
    ASSERT_GE(Database::Execute(QStringLiteral("alter table employee_away rename to employee")), 0);
    EXPECT_EQ(w->selectedId(), 0);
    EXPECT_EQ(w->grid()->RowCount(), 0);
    EXPECT_TRUE(child<QLineEdit>(*w, "txtFirstName")->text().isEmpty());
    clickCell(w->grid(), 1, 6);
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 1);
}

TEST_P(TimeClockWindowTest, TheReportButtonsRunThePayrollReports)
{
    row(ann, QStringLiteral("2026-12-07 08:00:00"), QStringLiteral("2026-12-07 15:30:00"));
    QString error;
    ASSERT_TRUE(DemoLetterhead::ensureFiles(&error)) << error.toStdString();
    const QString pdf = TestEnvironment::root() + QStringLiteral("/payroll.pdf");
    QFile::remove(pdf);
    PdfPreviewPresenter presenter(pdf);
    SetPrintPresenter(&presenter);
    auto w = open(true);
    auto *years = child<QComboBox>(*w, "cmbPayRollYear");
    auto *periods = child<QComboBox>(*w, "rptWeek");
    ASSERT_EQ(years->count(), 11);
    EXPECT_EQ(years->currentText(), QStringLiteral("2026"));
    EXPECT_EQ(periods->count(), 9);
    EXPECT_EQ(periods->currentText(), QStringLiteral("1/1/2026 to 2/12/2026"));

    child<QPushButton>(*w, "cmdWeekly")->click();
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Please select employee"));
    child<QPushButton>(*w, "cmdTimeSummary")->click();
    EXPECT_EQ(prompts.messages.size(), 2);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    choose(*w, ann);
    child<QPushButton>(*w, "cmdWeekly")->click();
    QString page = PdfText(pdf);
    EXPECT_TRUE(page.contains(QStringLiteral("Payroll and Withholdings for 2026"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Employee: Lee,Ann")));
    EXPECT_TRUE(page.contains(QStringLiteral("07.50")));

    periods->setCurrentIndex(-1);
    child<QPushButton>(*w, "Command1")->click();
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Please chose week"));
    periods->setCurrentIndex(8);
    child<QPushButton>(*w, "Command1")->click();
    page = PdfText(pdf);
    EXPECT_TRUE(page.contains(QStringLiteral("Lee,Ann"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("07.50")));

    years->setCurrentIndex(years->findText(QStringLiteral("2016")));
    emit years->activated(years->currentIndex());
    EXPECT_EQ(periods->count(), 9);
    EXPECT_EQ(periods->currentText(), QStringLiteral("12/31/2015 to 2/11/2016"));
    SetPrintPresenter(nullptr);
}

TEST_P(TimeClockWindowTest, ClosingClearsTheAdminFlag)
{
    auto w = open(true);
    EXPECT_TRUE(w->admin());
    w->close();
    EXPECT_FALSE(w->admin());
    row(ann, QStringLiteral("2026-12-07 08:00:00"), QStringLiteral("2026-12-07 12:00:00"));
    auto employeeMode = open(false);
    choose(*employeeMode, ann);
    ASSERT_EQ(employeeMode->grid()->RowCount(), 1);
    employeeMode->grid()->StartEdit(1, 2);
    EXPECT_FALSE(employeeMode->grid()->InEditMode());
}

// Types over a cell as the administrator does: F2 on the chosen cell, the old
// text selected away, the new text, Enter.
static void typeOverCell(frmTimeInOut &w, int r, int c, const QString &typed)
{
    w.grid()->SetSelectedCell(r, c);
    w.grid()->view()->setFocus();
    QTest::keyClick(w.grid()->view(), Qt::Key_F2);
    ASSERT_TRUE(w.grid()->InEditMode());
    QTest::keyClick(w.editBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.editBox(), Qt::Key_Delete);
    QTest::keyClicks(w.editBox(), typed);
    QTest::keyClick(w.editBox(), Qt::Key_Return);
}

// A button pressed from the keyboard: focus, then the space bar.
static void pressButton(QPushButton *button)
{
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
}

TEST_P(TimeClockWindowTest, ATimeOutEarlierThanItsTimeInIsRefusedAndTheRowKept)
{
    const int r = row(ann, QStringLiteral("2026-12-07 08:00:00"), QStringLiteral("2026-12-07 12:00:00"));
    auto w = open(true);
    QApplication::setActiveWindow(w.get()); // the keyboard goes to it
    choose(*w, ann);
    typeOverCell(*w, 1, 3, QStringLiteral("12/7/2026 7:00 AM"));
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("before the time in")))
        << prompts.lastMessage().toStdString();
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("nothing was changed")));
    EXPECT_EQ(DateText::fromDb(stored("timeout", r)), QDateTime(QDate(2026, 12, 7), QTime(12, 0)));
    EXPECT_EQ(w->grid()->CellValue(1, 4), QStringLiteral("04.00"));
    EXPECT_EQ(text(*w, "lblTotalHour"), QStringLiteral("Total Hours: 04.00"));

    prompts.clear();
    typeOverCell(*w, 1, 2, QStringLiteral("12/7/2026 1:00 PM"));
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("before the time in"))) << "a time in after the time out";
    EXPECT_EQ(DateText::fromDb(stored("timein", r)), QDateTime(QDate(2026, 12, 7), QTime(8, 0)));

    prompts.clear();
    typeOverCell(*w, 1, 3, QStringLiteral("12/7/2026 8:00 AM"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << "a row of no length is not backwards";
    EXPECT_EQ(DateText::fromDb(stored("timeout", r)), QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
}

TEST_P(TimeClockWindowTest, AClockInOrOutThatAnotherStationOvertookSaysWhatHappened)
{
    auto w = open(false);
    QApplication::setActiveWindow(w.get());
    choose(*w, ann);
    ASSERT_TRUE(enabled(*w, "cmdClockIn"));
    row(ann, QStringLiteral("2026-12-09 09:00:00")); // clocked in at the other counter meanwhile
    pins.enter(QStringLiteral("1234"));
    pressButton(child<QPushButton>(*w, "cmdClockIn"));
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("Ann Lee is already clocked in; no new time row was written. Clock out first."));
    EXPECT_EQ(SeedData::count(QStringLiteral("TimeInOut")), 1);
    EXPECT_TRUE(enabled(*w, "cmdClockOut")) << "the buttons show how things stand";

    Database::Execute(QStringLiteral("update TimeInOut set timeout = ?"), {QStringLiteral("2026-12-09 09:30:00")});
    pins.enter(QStringLiteral("1234"));
    pressButton(child<QPushButton>(*w, "cmdClockOut"));
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Ann Lee was not clocked in; no time row was closed."));
    EXPECT_EQ(DateText::fromDb(SeedData::value(QStringLiteral("select timeout from TimeInOut"))),
              QDateTime(QDate(2026, 12, 9), QTime(9, 30)));
    EXPECT_TRUE(enabled(*w, "cmdClockIn"));
    EXPECT_EQ(prompts.messages.size(), 2);
}

// Both counters show Ann with Clock In enabled and press it at one moment;
// counter B's row is written first. Counter A says she is clocked in
// already, in the clock's own words and with no "Execute:" box, and offers
// Clock Out; one open row. Then the administrator, at A, can't blank the
// time out of an earlier row while that one is open.
TEST_P(TimeClockWindowTest, TheSecondOfTwoCountersClockingInAtOnceSaysTheEmployeeIsIn)
{
    row(ann, QStringLiteral("2026-12-08 08:00:00"), QStringLiteral("2026-12-08 16:00:00"));
    auto w = open(false);
    QApplication::setActiveWindow(w.get());
    choose(*w, ann);
    ASSERT_TRUE(enabled(*w, "cmdClockIn"));
    {
        OtherCounterClockingIn b(ann, QStringLiteral("2026-12-09 10:00:00"));
        pins.enter(QStringLiteral("1234"));
        pressButton(child<QPushButton>(*w, "cmdClockIn"));
        EXPECT_TRUE(b.committed());
    }
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(prompts.messages.first(),
              QStringLiteral("Ann Lee is already clocked in; no new time row was written. Clock out first."));
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from TimeInOut where timeout is null")).toInt(), 1);
    EXPECT_TRUE(enabled(*w, "cmdClockOut"));
    w->close();

    auto admin = open(true);
    QApplication::setActiveWindow(admin.get());
    choose(*admin, ann);
    prompts.clear();
    typeOverCell(*admin, 1, 3, QString());
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(prompts.messages.first(),
              QStringLiteral("Ann Lee is already clocked in on another row; nothing was "
                             "changed. Give that row its time out first."));
    EXPECT_EQ(SeedData::value(QStringLiteral("select count(*) from TimeInOut where timeout is null")).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, TimeClockWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
