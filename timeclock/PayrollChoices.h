#pragma once

#include <QList>
#include <QString>

// The choices of the time clock's report frame: the payroll years and the
// seven-week periods of the all-employee hours sheet.
namespace PayrollChoices {

// The year given and the ten before it, newest first.
QList<int> Years(int currentYear);

struct Period
{
    QString text;      // "1/1/2009 to 2/12/2009": the Thursdays of its first and seventh week
    int firstWeek = 0; // 1, 7, 13, … 49
};

// Nine periods, one starting every sixth week of the year (1 to 49).
QList<Period> Periods(int year);

} // namespace PayrollChoices
