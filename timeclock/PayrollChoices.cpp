#include "timeclock/PayrollChoices.h"

#include "data/DateText.h"
#include "timeclock/WeekThursday.h"

namespace PayrollChoices {

QList<int> Years(int currentYear)
{
    QList<int> years;
    for (int y = currentYear; y >= currentYear - 10; --y)
        years.append(y);
    return years;
}

QList<Period> Periods(int year)
{
    QList<Period> periods;
    for (int week = 1; week <= 52; week += 6) {
        const QString first = DateText::shortDate(WeekThursday(year, week));
        const QString seventh = DateText::shortDate(WeekThursday(year, week + 6));
        periods.append({first + QStringLiteral(" to ") + seventh, week});
    }
    return periods;
}

} // namespace PayrollChoices
