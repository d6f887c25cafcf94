#pragma once

#include <QDate>

// The Thursday of week `week` of a year, the first day of that week's pay
// period: week 1 is the week of the Sunday on or before the 1st of January,
// so its Thursday can fall in December of the year before (2010-12-30 for
// 2011).
QDate WeekThursday(int year, int week);
