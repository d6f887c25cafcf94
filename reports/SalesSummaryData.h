#pragma once

#include "data/Money.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The periods of the sales summaries and the rows they list.
enum class SummaryPeriod { Daily, Weekly, Monthly };

// "Daily", "Weekly" or "Monthly", exactly as written; nullopt otherwise.
std::optional<SummaryPeriod> SummaryPeriodFromText(const QString &text);

// A period from the start of its first day up to, not including, the start
// of the day after it, so a ticket closed at midnight belongs to one period.
struct SummaryRange
{
    QDate start;
    QDate end;
};

// A day, seven days, or one calendar month from the start date.
SummaryRange SummaryRangeOf(const QDate &start, SummaryPeriod period);

// "Daily Sales Summary for 03/14/2026", "Weekly Sales Summary for Week of
// 3/8/2026" (the locale's short date), "Monthly Sales Summary for March 2026";
// a month that starts on another day than the 1st is titled with its dates,
// "Monthly Sales Summary for 03/15/2026 to 04/15/2026".
QString SummaryTitle(const QDate &start, SummaryPeriod period);

// The money columns of the summary, in printed order.
struct SummaryFigures
{
    Money product; // totalsales
    Money labor;   // totallabor
    Money shopFee;
    Money tax;
    Money ticketTotal;
    Money cash;
    Money charge;
    Money checks;

    SummaryFigures &operator+=(const SummaryFigures &other);
};

// One closed ticket of the period.
struct SummaryRow
{
    QString salesId;
    QDateTime closed;
    SummaryFigures figures;
};

// The closed tickets of the period in the order they were closed (ticket
// number among those closed in the same second); each figure as the ticket
// itself shows it, NULL as 0. nullopt when the query failed (the data layer
// has said why).
std::optional<QList<SummaryRow>> ReadSummaryRows(const SummaryRange &range);

// The column sums of the rows, exact to the cent.
SummaryFigures SummaryTotals(const QList<SummaryRow> &rows);
