#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Dates travel to the database in one fixed form and come back to the user in
// the locale's formats. Every engine stores "yyyy-MM-dd HH:mm:ss" (SQLite as
// that text, the servers as native date-times bound from it), so ranges and
// ordering work the same everywhere.
namespace DateText {

// The stored form.
QString toDb(const QDateTime &moment);
// Midnight at the start of the day, in the stored form.
QString toDb(const QDate &day);

// Reads a stored value (text in the stored form, or a native date-time).
// Returns an invalid QDateTime for NULL or text that is not a date.
QDateTime fromDb(const QVariant &value);

// The locale's short date, always with a four-digit year ("12/7/2026").
QString shortDate(const QDate &day);
// The locale's general date: short date and long time ("12/7/2026 3:04:05 PM").
QString generalDate(const QDateTime &moment);
// A stored value shown as a general date; NULL or unreadable gives " ",
// the way NullToSpace shows a NULL.
QString displayGeneral(const QVariant &value);
// Fixed "mm/dd/yyyy" text, the form the date lists of the program use.
QString mmddyyyy(const QDate &day);

// The locale's short date format with a four-digit year.
QString shortDateFormat();
// The locale's long time format without a time zone.
QString longTimeFormat();

} // namespace DateText
