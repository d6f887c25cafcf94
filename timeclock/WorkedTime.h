#pragma once

#include "data/Money.h"

#include <QDateTime>
#include <QList>
#include <optional>

// Worked time from the time clock's rows (the view vw_EmployeeTime): the
// minutes of a row are the minute boundaries crossed from clock-in to
// clock-out (10:00:59 to 10:01:00 is one minute, 10:00:00 to 10:00:59 none),
// counted here rather than by each engine so every engine gives the same
// figures. A row still clocked in counts nothing, and so does one whose
// clock-out lies before its clock-in.
struct TimeRow
{
    int employeeId = 0;
    QDateTime timeIn;
    QDateTime timeOut; // invalid while clocked in
};

// The minute boundaries between two moments, as wall-clock times (a change
// of daylight saving time in between makes no difference).
qint64 MinuteBoundaries(const QDateTime &from, const QDateTime &to);

// The rows clocked in from `from` up to, not including, `to`, of one
// employee or of all (nullopt), in order of clock-in. nullopt when the query
// failed (the data layer has said why).
std::optional<QList<TimeRow>> ReadTimeRows(std::optional<int> employeeId, const QDateTime &from, const QDateTime &to);

// The minutes one employee worked in rows clocked in from start up to, not
// including, end; nullopt when no such row has a clock-out (the report
// prints "00.00" and nothing more then).
std::optional<qint64> MinutesWorked(const QList<TimeRow> &rows, int employeeId, const QDateTime &start,
                                    const QDateTime &end);

// Minutes as hours (7.5 for 450), exact to well below a cent.
Money HoursOf(qint64 minutes);
// The gross pay of minutes at an hourly rate.
Money GrossPay(const Money &rate, qint64 minutes);
