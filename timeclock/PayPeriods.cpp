#include "timeclock/PayPeriods.h"

#include "data/DateText.h"
#include "timeclock/WeekThursday.h"

#include <QLocale>

namespace {

QDateTime midnight(const QDate &day)
{
    return QDateTime(day, QTime(0, 0));
}

QString monthAbbreviation(int month)
{
    return QLocale().monthName(month, QLocale::LongFormat).left(3);
}

} // namespace

QList<PayPeriod> WeeklyPeriods(int year)
{
    QList<PayPeriod> periods;
    QDate start = WeekThursday(year, 1);
    for (int week = 1; week <= 53; ++week) {
        const QDate end = start.addDays(7);
        periods.append({DateText::shortDate(start), midnight(start), midnight(end), 0});
        start = end;
    }
    return periods;
}

QList<PayPeriod> SemiMonthlyPeriods(int year)
{
    QList<PayPeriod> periods;
    for (int month = 1; month <= 12; ++month) {
        const QDate first(year, month, 1);
        const QDate sixteenth(year, month, 16);
        const QDate next = first.addMonths(1);
        const QString name = monthAbbreviation(month);
        periods.append({name + QStringLiteral(" 1-15"), midnight(first), midnight(sixteenth), 0});
        periods.append({name + QStringLiteral(" 16-") + QString::number(next.addDays(-1).day()), midnight(sixteenth),
                        midnight(next), month % 3 == 0 ? month / 3 : 0});
    }
    return periods;
}
