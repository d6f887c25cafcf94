// Pay weeks, minutes worked, and the time rows of the clock on real engines.
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "gate/AdminGate.h"
#include "tests/gate/RefusedWrites.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/ScriptedPins.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/timeclock/TimeClockTestSupport.h"
#include "timeclock/PayWeek.h"
#include "timeclock/PayrollChoices.h"
#include "timeclock/TimeClockStore.h"

#include <gtest/gtest.h>

namespace {

using namespace SeedData;

TEST(PayWeek, StartsOnTheLatestThursdayOnOrBeforeTheDay)
{
    // 2026-12-03 is a Thursday.
    for (int d = 3; d <= 9; ++d)
        EXPECT_EQ(PayWeek::StartContaining(QDate(2026, 12, d)), QDate(2026, 12, 3)) << d;
    EXPECT_EQ(PayWeek::StartContaining(QDate(2026, 12, 10)), QDate(2026, 12, 10));
    EXPECT_EQ(PayWeek::StartContaining(QDate(2026, 12, 2)), QDate(2026, 11, 26));
    EXPECT_EQ(PayWeek::Label(QDate(2026, 12, 3)), QStringLiteral("Pay Period of  12/03/2026"));
}

TEST(PayWeek, StepsNeverPassTheWeekOfToday)
{
    const QDate today(2026, 12, 9); // a Wednesday
    const QDate current = PayWeek::StartContaining(today);
    EXPECT_EQ(PayWeek::Next(current, today), current);
    EXPECT_EQ(PayWeek::Previous(current), QDate(2026, 11, 26));
    EXPECT_EQ(PayWeek::Next(PayWeek::Previous(current), today), current);
}

TEST(PayrollChoices, ElevenYearsNewestFirstAndNineSevenWeekPeriods)
{
    const QList<int> years = PayrollChoices::Years(2026);
    ASSERT_EQ(years.size(), 11);
    EXPECT_EQ(years.first(), 2026);
    EXPECT_EQ(years.last(), 2016);
    const QList<PayrollChoices::Period> periods = PayrollChoices::Periods(2009);
    ASSERT_EQ(periods.size(), 9);
    EXPECT_EQ(periods[0].text, QStringLiteral("1/1/2009 to 2/12/2009"));
    EXPECT_EQ(periods[1].firstWeek, 7);
    EXPECT_EQ(periods[8].firstWeek, 49);
    EXPECT_EQ(periods[8].text, QStringLiteral("12/3/2009 to 1/14/2010"));
    EXPECT_EQ(PayrollChoices::Periods(2011)[0].text, QStringLiteral("12/30/2010 to 2/10/2011"));
}

TEST(PayWeek, MinutesAreMinuteBoundariesCrossed)
{
    const QDate d(2026, 12, 3);
    EXPECT_EQ(PayWeek::MinutesBetween(QDateTime(d, QTime(8, 0, 59)), QDateTime(d, QTime(8, 1, 0))), 1);
    EXPECT_EQ(PayWeek::MinutesBetween(QDateTime(d, QTime(8, 0, 0)), QDateTime(d, QTime(8, 0, 59))), 0);
    EXPECT_EQ(PayWeek::MinutesBetween(QDateTime(d, QTime(8, 0)), QDateTime(d, QTime(16, 30))), 510);
    EXPECT_EQ(PayWeek::MinutesBetween(QDateTime(d, QTime(22, 0)), QDateTime(d.addDays(1), QTime(6, 0))), 480);
    EXPECT_EQ(PayWeek::MinutesBetween(QDateTime(d, QTime(8, 0)), QDateTime()), 0);
    EXPECT_EQ(PayWeek::HoursText(510), QStringLiteral("08.50"));
    EXPECT_EQ(PayWeek::HoursText(0), QStringLiteral("00.00"));
    EXPECT_EQ(PayWeek::HoursText(7), QStringLiteral("00.12"));
}

TEST(PayWeek, TypedTimesAreDatesOrNothing)
{
    EXPECT_EQ(PayWeek::ParseTypedTime(QStringLiteral("12/3/2026 8:05:00 AM")),
              QDateTime(QDate(2026, 12, 3), QTime(8, 5)));
    EXPECT_EQ(PayWeek::ParseTypedTime(QStringLiteral("12/3/2026 4:30 PM")),
              QDateTime(QDate(2026, 12, 3), QTime(16, 30)));
    EXPECT_EQ(PayWeek::ParseTypedTime(QStringLiteral("12/3/2026 16:30")), QDateTime(QDate(2026, 12, 3), QTime(16, 30)));
    EXPECT_EQ(PayWeek::ParseTypedTime(QStringLiteral("2026-12-03 16:30:10")),
              QDateTime(QDate(2026, 12, 3), QTime(16, 30, 10)));
    EXPECT_FALSE(PayWeek::ParseTypedTime(QStringLiteral("tuesday")));
    EXPECT_FALSE(PayWeek::ParseTypedTime(QStringLiteral("13/45/2026 8:00")));
    EXPECT_FALSE(PayWeek::ParseTypedTime(QStringLiteral("'); delete from TimeInOut; --")));
}

class TimeClockStoreTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        ann = employee(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral(" 1234 "));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }
    void at(int day, int hour, int minute = 0)
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, day), QTime(hour, minute)));
    }
    int openRows() { return value(QStringLiteral("select count(*) from TimeInOut where timeout is null")).toInt(); }
    RecordingPrompts prompts;
    int ann = 0;
};

// Counters A and B press Clock In for Ann at the same moment: B's row is
// written first, and A, which found no open row either, is told Ann is
// clocked in already, with no error box; one open row, so her hours are
// paid once. The database itself refuses a second open row from any
// program, and the administrator can't reopen an old row while one is open.
TEST_P(TimeClockStoreTest, TwoCountersClockingOneEmployeeInAtOnceLeaveOneOpenRow)
{
    at(3, 8);
    using TimeClockStore::Clocking;
    {
        OtherCounterClockingIn b(ann, QStringLiteral("2026-12-03 08:00:00"));
        EXPECT_EQ(TimeClockStore::ClockIn(ann), Clocking::AlreadyIn);
        EXPECT_TRUE(b.committed());
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(openRows(), 1);

    OtherCounter c;
    ASSERT_TRUE(c.isOpen());
    EXPECT_EQ(c.exec(QStringLiteral("insert into TimeInOut (employeeid, timein) values (?, ?)"),
                     {ann, QStringLiteral("2026-12-03 08:00:05")}),
              -1);
    const int bo = employee(QStringLiteral("Bo"), QStringLiteral("Ng"), QStringLiteral("2222"));
    EXPECT_EQ(c.exec(QStringLiteral("insert into TimeInOut (employeeid, timein) values (?, ?)"),
                     {bo, QStringLiteral("2026-12-03 08:00:05")}),
              1)
        << "another employee is not held up";
    EXPECT_EQ(openRows(), 2);

    at(3, 16, 30);
    ASSERT_EQ(TimeClockStore::ClockOut(ann), Clocking::Done);
    ASSERT_EQ(TimeClockStore::ClockIn(ann), Clocking::Done);
    const int closed = value(QStringLiteral("select min(id) from TimeInOut where employeeid = ?"), {ann}).toInt();
    EXPECT_EQ(TimeClockStore::SetTimeOut(closed, QString()), TimeClockStore::Edit::AnotherRowOpen);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(
        value(QStringLiteral("select count(*) from TimeInOut where employeeid = ? and timeout is null"), {ann}).toInt(),
        1);
}

TEST_P(TimeClockStoreTest, PinsAreTheEmployeesOwnOrTheMasterCode)
{
    EXPECT_TRUE(TimeClockStore::PinAccepted(QStringLiteral("1234"), QStringLiteral(" 1234 "), ann));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(TimeClockStore::PinAccepted(QStringLiteral("8361"), QStringLiteral("1234"), ann));
    EXPECT_FALSE(TimeClockStore::PinAccepted(QStringLiteral("0123"), QStringLiteral("123"), ann));
    EXPECT_FALSE(TimeClockStore::PinAccepted(QString(), QStringLiteral(" "), ann));
    EXPECT_EQ(prompts.messages, QStringList(2, QStringLiteral("Invalid PIN")));
    // The employee's own PIN is theirs to type; the master code and the
    // refusals are written down as at the administrator gate.
    const QString subject = QStringLiteral("employee %1").arg(ann);
    EXPECT_EQ(value(QStringLiteral("select count(*) from auditlog where action = 'gate opened' and who = 'master' "
                                   "and subject = ?"),
                    {subject})
                  .toInt(),
              1);
    EXPECT_EQ(
        value(QStringLiteral("select count(*) from auditlog where action = 'PIN refused' and subject = ?"), {subject})
            .toInt(),
        2);
    EXPECT_EQ(count(QStringLiteral("auditlog")), 3);
}

// Guessing the master code at the clock is guessing it at the gate: five
// wrong PINs there shut both for a minute, while each employee's own PIN
// still clocks them in and out.
TEST_P(TimeClockStoreTest, WrongPinsAtTheClockShutTheGateAndTheMasterCodeThereToo)
{
    at(9, 10);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(TimeClockStore::PinAccepted(QStringLiteral("%1").arg(1000 + i), QStringLiteral("1234"), ann));
    EXPECT_EQ(prompts.messages, QStringList(5, QStringLiteral("Invalid PIN")));
    EXPECT_EQ(AdminGate::MinutesShut(), 1);

    prompts.clear();
    EXPECT_FALSE(TimeClockStore::PinAccepted(QStringLiteral("8361"), QStringLiteral("1234"), ann));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Too many wrong PINs: try again in a minute")});
    ScriptedPins pins;
    pins.enter(QStringLiteral("8361"));
    EXPECT_FALSE(AdminGate::Pass());
    EXPECT_TRUE(TimeClockStore::PinAccepted(QStringLiteral(" 1234"), QStringLiteral("1234"), ann));
    EXPECT_EQ(prompts.messages.size(), 2);

    at(9, 10, 1);
    EXPECT_TRUE(TimeClockStore::PinAccepted(QStringLiteral("8361"), QStringLiteral("1234"), ann));
    EXPECT_EQ(AdminGate::MinutesShut(), 0) << "the master code opened it again";
}

// The master code at the clock is written down before it clocks anyone:
// when the log can't take it, it clocks nobody and says why.
TEST_P(TimeClockStoreTest, TheMasterCodeAtTheClockOpensNothingWhenItCantBeRecorded)
{
    {
        const RefusedWrites readOnly(GetParam());
        ASSERT_TRUE(readOnly.ok);
        EXPECT_FALSE(TimeClockStore::PinAccepted(QStringLiteral("8361"), QStringLiteral("1234"), ann));
        EXPECT_FALSE(TimeClockStore::PinAccepted(QStringLiteral("8360"), QStringLiteral("1234"), ann));
        EXPECT_TRUE(TimeClockStore::PinAccepted(QStringLiteral("1234"), QStringLiteral("1234"), ann))
            << "the employee's own PIN writes nothing";
    }
    ASSERT_EQ(prompts.messages.size(), 2) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("The audit log could not be written, so the gate "
                                                              "stays shut: ")))
        << prompts.messages[0].toStdString();
    EXPECT_EQ(prompts.messages[1], prompts.messages[0]);
    EXPECT_EQ(count(QStringLiteral("auditlog")), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, TimeClockStoreTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace

#include "timeclock/DemoPictures.h"
#include "timeclock/EmployeePictures.h"
#include "timeclock/EmployeeStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

class EmployeeStoreTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
};

TEST_P(EmployeeStoreTest, SavingWritesTheRecordToItsOwnRowOnly)
{
    const int a = employee(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("1111"));
    const int b = employee(QStringLiteral("Bo"), QStringLiteral("Ng"), QStringLiteral("2222"));
    EmployeeRecord edited = *EmployeeStore::Load(a);
    edited.firstName = QStringLiteral(" Annie ");
    edited.title = QStringLiteral("Shop's manager");
    edited.active = false;
    ASSERT_TRUE(EmployeeStore::Save(edited));
    const auto back = EmployeeStore::Load(a);
    EXPECT_EQ(back->firstName, QStringLiteral("Annie"));
    EXPECT_EQ(back->title, QStringLiteral("Shop's manager"));
    EXPECT_FALSE(back->active);
    EXPECT_EQ(EmployeeStore::Load(b)->firstName, QStringLiteral("Bo"));
    EmployeeRecord gone = edited;
    gone.id = 9999;
    EXPECT_FALSE(EmployeeStore::Save(gone));
}

TEST_P(EmployeeStoreTest, DemoPicturesAreWrittenOnlyWhereMissing)
{
    const int a = employee(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("1111"));
    const int b = employee(QStringLiteral("Bo"), QStringLiteral("Ng"), QStringLiteral("2222"));
    const QString folder = EmployeePictures::Folder();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QFile own(folder + QStringLiteral("/EMPLOYEE%1.jpg").arg(b));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("the shop's own picture");
    own.close();
    QString error;
    ASSERT_TRUE(DemoPictures::EnsureFiles(&error)) << error.toStdString();
    EXPECT_EQ(QImage(folder + QStringLiteral("/employee%1.jpg").arg(a)).size(), QSize(320, 240));
    EXPECT_FALSE(QImage(folder + QStringLiteral("/happy.jpg")).isNull());
    QFile again(own.fileName());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("the shop's own picture"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3) << "no second file beside the shop's own";
    QDir(folder).removeRecursively();
}

INSTANTIATE_TEST_SUITE_P(Engines, EmployeeStoreTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

TEST(EmployeePictures, FoundWithoutRegardToCaseWithHappyAsTheFallback)
{
    const QString folder = EmployeePictures::Folder();
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_TRUE(folder.endsWith(QStringLiteral("/pictures")));
    QFile own(folder + QStringLiteral("/Employee7.JPG"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(EmployeePictures::PictureToShow(7), own.fileName());
    EXPECT_EQ(EmployeePictures::PictureToShow(8), folder + QStringLiteral("/happy.jpg"));
    own.remove();
}

} // namespace
