#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// The arithmetic of the time clock. A pay week runs from a Thursday 00:00 up
// to, not including, the next Thursday 00:00.
namespace PayWeek {

// The pay week that contains the day: it starts on the latest Thursday on or
// before it.
QDate StartContaining(const QDate &day);

// The week before / after; the week after never passes the one that
// contains today (returns the same start then).
QDate Previous(const QDate &start);
QDate Next(const QDate &start, const QDate &today);

// "Pay Period of  " and the start as mm/dd/yyyy (two blanks after "of").
QString Label(const QDate &start);

// When a row the administrator adds to the week shown starts: now when the
// week holds now, else the week's first moment, so the row is listed there.
QDateTime NewRowMoment(const QDate &weekStart, const QDateTime &now);

// Minutes worked between two moments, counted as minute boundaries crossed
// (08:00:59 to 08:01:00 is one minute). 0 when either is missing or the
// clock-out is before the clock-in.
qint64 MinutesBetween(const QDateTime &in, const QDateTime &out);

// Hours as the time clock and the payroll report show them ("08.50").
QString HoursText(qint64 minutes);

// A time typed by the administrator: the program's general date form
// ("12/7/2026 3:04:05 PM"), with or without seconds or AM/PM, or the stored
// form. nullopt when it is not a date and time.
std::optional<QDateTime> ParseTypedTime(const QString &text);

} // namespace PayWeek
