#include "timeclock/WeekThursday.h"

QDate WeekThursday(int year, int week)
{
    const QDate first(year, 1, 1);
    // dayOfWeek: Monday 1 … Sunday 7; days back to the Sunday: Sunday 0 … Saturday 6.
    const QDate sunday = first.addDays(-(first.dayOfWeek() % 7));
    return sunday.addDays(4 + qint64(week - 1) * 7);
}
