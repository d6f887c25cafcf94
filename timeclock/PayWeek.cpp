#include "timeclock/PayWeek.h"

#include "data/DateText.h"
#include "reports/WorkedTime.h"

#include <QLocale>
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

std::optional<QDateTime> ParseTypedTime(const QString &text)
{
    const QString t = text.simplified();
    if (t.isEmpty())
        return std::nullopt;
    const QString date = DateText::shortDateFormat();
    const QStringList formats = {
        date + QStringLiteral(" h:mm:ss AP"), date + QStringLiteral(" h:mm AP"), date + QStringLiteral(" H:mm:ss"),
        date + QStringLiteral(" H:mm"),       QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm"),
        QStringLiteral("M/d/yyyy h:mm:ss AP"), QStringLiteral("M/d/yyyy h:mm AP"), QStringLiteral("M/d/yyyy H:mm"),
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QString &format : formats) {
        QDateTime moment = QLocale().toDateTime(t, format);
        if (!moment.isValid())
            moment = english.toDateTime(t, format);
        if (moment.isValid())
            return moment;
    }
    return std::nullopt;
}

} // namespace PayWeek
