#pragma once

#include "data/Recordset.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// One clock-in / clock-out record.
struct ClockRow
{
    int id = 0;
    QDateTime timeIn;
    QDateTime timeOut; // invalid while clocked in
    QString note;
    qint64 minutes = 0; // 0 while clocked in
};

// The time clock's rows of the database.
namespace TimeClockStore {

// The employee's rows of the pay week [weekStart, weekStart + 7 days), by
// clock-in time.
std::optional<QList<ClockRow>> WeekRows(int employeeId, const QDate &weekStart);
qint64 TotalMinutes(const QList<ClockRow> &rows);

// Whether the employee has a row without a clock-out, however old: then
// only clocking out is offered.
std::optional<bool> IsClockedIn(int employeeId);

// Whether an entered PIN is the employee's own (both trimmed) or the master
// code. An empty PIN never is. Anything but the employee's own PIN is taken
// for the master code and goes through the administrator gate's lockout,
// recorded as there, which says why it was refused ("Invalid PIN", or that
// the gate is shut); the employee's own PIN is never held up by it.
bool PinAccepted(const QString &entered, const QString &employeePin, int employeeId);

// Clock in now, refused while the employee is clocked in already (another
// station may have done it since the buttons were set); clock out closes
// every open row of the employee with the same time, and says so when there
// was none. Failed: the data layer has shown why.
enum class Clocking { Done, AlreadyIn, NothingOpen, Failed };
Clocking ClockIn(int employeeId);
Clocking ClockOut(int employeeId);

// The administrator's edits. A typed time must be a date and time; a blank
// clock-out is allowed (still clocked in), a blank clock-in is not (such a
// row would fall out of every week); a clock-out earlier than the row's
// clock-in is refused (it would pay nothing and hide the hours), and so is
// a blank clock-out while the employee has another open row.
enum class Edit { Done, NotATime, BlankTimeIn, OutBeforeIn, AnotherRowOpen, Failed };
Edit SetTimeIn(int rowId, const QString &typed);
Edit SetTimeOut(int rowId, const QString &typed);
Edit SetNote(int rowId, const QString &typed);
// A zero-length row at the present moment, for the administrator to edit.
bool AddRow(int employeeId);
// The same at a moment of one's choosing.
bool AddRow(int employeeId, const QDateTime &at);
bool RemoveRow(int rowId);

} // namespace TimeClockStore
