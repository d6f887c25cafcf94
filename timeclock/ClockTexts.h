#pragma once

#include <QDateTime>
#include <QString>

#include "timeclock/EmployeeStore.h"
#include "timeclock/TimeClockStore.h"

// What the time clock and the employee window show of their rows. Names come
// trimmed, NULL as empty (Recordset::text, EmployeeRecord).
namespace ClockTexts {

// An employee's picture button: "Lee,Ann".
QString ButtonCaption(const QString &lastName, const QString &firstName);
// An entry of the employee list: "Ann Lee".
QString ListEntry(const QString &firstName, const QString &lastName);
// Above the employee's fields once chosen: "Ann Lee:".
QString ChosenLabel(const EmployeeRecord &employee);

// A time cell: the general date, or empty while there is none.
QString TimeCell(const QDateTime &moment);
// "Total Hours: 08.50".
QString TotalHours(qint64 minutes);

// What the clock says when a clock-in or clock-out found the employee other
// than the buttons showed (another station clocked them since); empty when
// the clocking was done or the data layer has already said why it failed.
QString ClockingRefusal(TimeClockStore::Clocking result, const QString &employeeName);

} // namespace ClockTexts
