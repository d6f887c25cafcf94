// The time clock's pay arithmetic the payroll reports print: the Thursday
// of a week, the pay periods of a year, and minutes worked.
#include "timeclock/PayPeriods.h"
#include "timeclock/WeekThursday.h"
#include "timeclock/WorkedTime.h"

#include <gtest/gtest.h>

TEST(WeekThursday, IsTheThursdayOfTheWeekOfTheSundayOnOrBeforeNewYear)
{
    EXPECT_EQ(WeekThursday(2011, 1), QDate(2010, 12, 30));
    EXPECT_EQ(WeekThursday(2011, 2), QDate(2011, 1, 6));
    EXPECT_EQ(WeekThursday(2009, 1), QDate(2009, 1, 1));
    EXPECT_EQ(WeekThursday(2009, 53), QDate(2009, 12, 31));
    EXPECT_EQ(WeekThursday(2012, 1), QDate(2012, 1, 5)); // 1 January 2012 was a Sunday
    EXPECT_EQ(WeekThursday(2026, 1), QDate(2026, 1, 1));
}

TEST(PayPeriods, WeeksFollowEachOtherWithoutGapOrOverlap)
{
    const QList<PayPeriod> weeks = WeeklyPeriods(2011);
    ASSERT_EQ(weeks.size(), 53);
    EXPECT_EQ(weeks.first().label, QStringLiteral("12/30/2010"));
    EXPECT_EQ(weeks.first().start, QDateTime(QDate(2010, 12, 30), QTime(0, 0)));
    for (int i = 1; i < weeks.size(); ++i)
        EXPECT_EQ(weeks[i].start, weeks[i - 1].end);
    EXPECT_EQ(weeks.last().end, QDateTime(QDate(2012, 1, 5), QTime(0, 0)));
}

TEST(PayPeriods, HalfMonthsEndWithTheMonthAndQuartersFollowEveryThirdMonth)
{
    const QList<PayPeriod> leap = SemiMonthlyPeriods(2012);
    ASSERT_EQ(leap.size(), 24);
    EXPECT_EQ(leap[0].label, QStringLiteral("Jan 1-15"));
    EXPECT_EQ(leap[0].end, QDateTime(QDate(2012, 1, 16), QTime(0, 0)));
    EXPECT_EQ(leap[3].label, QStringLiteral("Feb 16-29"));
    EXPECT_EQ(SemiMonthlyPeriods(2011)[3].label, QStringLiteral("Feb 16-28"));
    EXPECT_EQ(leap[5].label, QStringLiteral("Mar 16-31"));
    EXPECT_EQ(leap[23].label, QStringLiteral("Dec 16-31"));
    EXPECT_EQ(leap[23].end, QDateTime(QDate(2013, 1, 1), QTime(0, 0)));
    QList<int> quarters;
    for (const PayPeriod &p : leap)
        quarters << p.quarter;
    EXPECT_EQ(quarters, (QList<int>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 4}));
}

TEST(WorkedTime, MinutesAreMinuteBoundariesCrossed)
{
    const QDate d(2026, 3, 9);
    EXPECT_EQ(MinuteBoundaries(QDateTime(d, QTime(10, 0, 59)), QDateTime(d, QTime(10, 1, 0))), 1);
    EXPECT_EQ(MinuteBoundaries(QDateTime(d, QTime(10, 0, 0)), QDateTime(d, QTime(10, 0, 59))), 0);
    EXPECT_EQ(MinuteBoundaries(QDateTime(d, QTime(23, 30)), QDateTime(d.addDays(1), QTime(0, 30))), 60);
    EXPECT_EQ(HoursOf(450).format00(), QStringLiteral("07.50"));
    EXPECT_EQ(GrossPay(Money::fromCents(1200), 450).formatDollar00(), QStringLiteral("$90.00"));
    EXPECT_EQ(GrossPay(Money::fromCents(1000), 510).formatDollar00(), QStringLiteral("$85.00"));
}
