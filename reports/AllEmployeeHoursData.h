#pragma once

#include "timeclock/EmployeeStore.h"
#include "timeclock/WorkedTime.h"

#include <QDateTime>
#include <QList>

// What the all-employee hours report prints from the database: every
// employee, active or not, by last name, and the time rows of its weeks.
struct AllEmployeeHoursData
{
    QList<EmployeeRecord> employees;
    QList<TimeRow> rows; // everyone's, clocked in from `from` up to `to`

    // Throws ReportFailure when the employees or the time rows cannot be read.
    static AllEmployeeHoursData read(const QDateTime &from, const QDateTime &to);
};
