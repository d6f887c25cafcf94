#include "reports/ReportDateLists.h"

namespace ReportDateLists {

QList<QDate> days(const QDate &today)
{
    QList<QDate> list;
    for (int i = 0; i <= 60; ++i)
        list.append(today.addDays(-i));
    return list;
}

QList<QDate> weeks(const QDate &today)
{
    // dayOfWeek counts Monday 1 to Sunday 7: Sunday is 0 days back.
    const QDate sunday = today.addDays(-(today.dayOfWeek() % 7));
    QList<QDate> list;
    for (int i = 0; i <= 7; ++i)
        list.append(sunday.addDays(-7 * i));
    return list;
}

QList<QDate> months(const QDate &today)
{
    const QDate first(today.year(), today.month(), 1);
    QList<QDate> list;
    for (int i = 0; i <= 12; ++i)
        list.append(first.addMonths(-i));
    return list;
}

} // namespace ReportDateLists
