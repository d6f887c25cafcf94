#include "timeclock/PayWeek.h"

#include "data/DateText.h"
#include "timeclock/WorkedTime.h"

#include <algorithm>

namespace PayWeek {

QDate StartContaining(const QDate &day)
{
    // dayOfWeek: Monday 1 … Thursday 4 … Sunday 7.
    const int back = (day.dayOfWeek() - Qt::Thursday + 7) % 7;
    return day.addDays(-back);
}

QDate Previous(const QDate &start)
{
    return start.addDays(-7);
}

QDate Next(const QDate &start, const QDate &today)
{
    const QDate next = start.addDays(7);
    return next > StartContaining(today) ? start : next;
}

QString Label(const QDate &start)
{
    return QStringLiteral("Pay Period of  ") + DateText::mmddyyyy(start);
}

QDateTime NewRowMoment(const QDate &weekStart, const QDateTime &now)
{
    const QDateTime start(weekStart, QTime(0, 0));
    if (now >= start && now < start.addDays(7))
        return now;
    return start;
}

qint64 MinutesBetween(const QDateTime &in, const QDateTime &out)
{
    // Counted as the payroll report counts them, so the screen's week total
    // is the report's figure.
    if (!in.isValid() || !out.isValid())
        return 0;
    return std::max<qint64>(0, MinuteBoundaries(in, out));
}

QString HoursText(qint64 minutes)
{
    return HoursOf(minutes).format00();
}

} // namespace PayWeek
