#pragma once

#include <QDate>
#include <QList>

// The start dates the reports window offers, newest first, counted from the
// day it is opened.
namespace ReportDateLists {

// Today and the sixty days before it (61 dates).
QList<QDate> days(const QDate &today);
// The Sunday that starts this week and the seven Sundays before it.
QList<QDate> weeks(const QDate &today);
// The first of this month and of the twelve months before it.
QList<QDate> months(const QDate &today);

} // namespace ReportDateLists
