#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The pay periods of the payroll reports. A period holds the time rows
// clocked in from its start up to, not including, its end, so an instant on
// a boundary belongs to one period only.
struct PayPeriod
{
    QString label;
    QDateTime start;
    QDateTime end;
    int quarter = 0; // 1 to 4 when the quarter's total follows this period
};

// 53 weeks from WeekThursday(year, 1), each labelled with its Thursday's
// short date; the last ones run into the next year.
QList<PayPeriod> WeeklyPeriods(int year);

// 24 half months: the 1st to the 15th ("Jan 1-15") and the 16th to the end
// of the month ("Feb 16-28", "Feb 16-29" in a leap year); a quarter total
// after March, June, September and December.
QList<PayPeriod> SemiMonthlyPeriods(int year);
