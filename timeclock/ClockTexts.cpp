#include "timeclock/ClockTexts.h"

#include "data/DateText.h"
#include "timeclock/PayWeek.h"
#include "timeclock/TimeClockStore.h"

namespace ClockTexts {

QString ButtonCaption(const QString &lastName, const QString &firstName)
{
    return lastName + QLatin1Char(',') + firstName;
}

QString ListEntry(const QString &firstName, const QString &lastName)
{
    return firstName + QLatin1Char(' ') + lastName;
}

QString ChosenLabel(const EmployeeRecord &employee)
{
    return employee.firstName + QLatin1Char(' ') + employee.lastName + QLatin1Char(':');
}

QString TimeCell(const QDateTime &moment)
{
    return moment.isValid() ? DateText::generalDate(moment) : QString();
}

QString TotalHours(qint64 minutes)
{
    return QStringLiteral("Total Hours: ") + PayWeek::HoursText(minutes);
}

QString ClockingRefusal(TimeClockStore::Clocking result, const QString &employeeName)
{
    using TimeClockStore::Clocking;
    if (result == Clocking::AlreadyIn)
        return QStringLiteral("%1 is already clocked in; no new time row was written. Clock out first.")
            .arg(employeeName);
    if (result == Clocking::NothingOpen)
        return QStringLiteral("%1 was not clocked in; no time row was closed.").arg(employeeName);
    return QString();
}

} // namespace ClockTexts
