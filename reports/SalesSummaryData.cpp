#include "reports/SalesSummaryData.h"

#include "data/Database.h"
#include "data/DateText.h"
#include "data/Recordset.h"

#include <QLocale>

std::optional<SummaryPeriod> SummaryPeriodFromText(const QString &text)
{
    if (text == QLatin1String("Daily"))
        return SummaryPeriod::Daily;
    if (text == QLatin1String("Weekly"))
        return SummaryPeriod::Weekly;
    if (text == QLatin1String("Monthly"))
        return SummaryPeriod::Monthly;
    return std::nullopt;
}

SummaryRange SummaryRangeOf(const QDate &start, SummaryPeriod period)
{
    switch (period) {
    case SummaryPeriod::Daily:
        return {start, start.addDays(1)};
    case SummaryPeriod::Weekly:
        return {start, start.addDays(7)};
    case SummaryPeriod::Monthly:
        break;
    }
    return {start, start.addMonths(1)};
}

QString SummaryTitle(const QDate &start, SummaryPeriod period)
{
    switch (period) {
    case SummaryPeriod::Daily:
        return QStringLiteral("Daily Sales Summary for ") + DateText::mmddyyyy(start);
    case SummaryPeriod::Weekly:
        return QStringLiteral("Weekly Sales Summary for Week of ") + DateText::shortDate(start);
    case SummaryPeriod::Monthly:
        break;
    }
    // A month from any other day than the 1st spans two calendar months:
    // its title gives the dates it covers, not the first month's name. The
    // range ends before its end day, so the title ends the day before.
    if (start.day() != 1)
        return QStringLiteral("Monthly Sales Summary for ") + DateText::mmddyyyy(start) + QStringLiteral(" to ")
            + DateText::mmddyyyy(SummaryRangeOf(start, period).end.addDays(-1));
    return QStringLiteral("Monthly Sales Summary for ") + QLocale().standaloneMonthName(start.month())
        + QLatin1Char(' ') + QString::number(start.year());
}

SummaryFigures &SummaryFigures::operator+=(const SummaryFigures &o)
{
    product += o.product;
    labor += o.labor;
    shopFee += o.shopFee;
    tax += o.tax;
    ticketTotal += o.ticketTotal;
    cash += o.cash;
    charge += o.charge;
    checks += o.checks;
    return *this;
}

namespace {

SummaryRow summaryRowAt(const Recordset &rs, int r)
{
    const auto money = [&rs, r](const char *column) {
        return Money::fromVariant(rs.value(r, QString::fromLatin1(column)));
    };
    SummaryRow row;
    row.salesId = rs.value(r, QStringLiteral("salesid")).toString().trimmed();
    row.closed = DateText::fromDb(rs.value(r, QStringLiteral("CloseDate")));
    row.figures.product = money("totalsales");
    row.figures.labor = money("totallabor");
    row.figures.shopFee = money("shopfee");
    row.figures.tax = money("totaltax");
    row.figures.ticketTotal = money("tickettotal");
    row.figures.cash = money("cash");
    row.figures.charge = money("charge");
    row.figures.checks = money("checks");
    return row;
}

} // namespace

std::optional<QList<SummaryRow>> ReadSummaryRows(const SummaryRange &range)
{
    const std::optional<Recordset> rs = Database::GetRS(
        QStringLiteral("SELECT salesid, SaleDate, CloseDate, totalsales, totallabor, cash, checks, charge, CustomerID, "
                       "shopfee, totaltax, tickettotal FROM vw_salesreport_actualcash "
                       "WHERE closedate >= ? AND closedate < ? ORDER BY closedate, salesid"),
        {DateText::toDb(range.start), DateText::toDb(range.end)});
    if (!rs)
        return std::nullopt;
    QList<SummaryRow> rows;
    rows.reserve(rs->rowCount());
    for (int r = 0; r < rs->rowCount(); ++r)
        rows.append(summaryRowAt(*rs, r));
    return rows;
}

SummaryFigures SummaryTotals(const QList<SummaryRow> &rows)
{
    SummaryFigures totals;
    for (const SummaryRow &row : rows)
        totals += row.figures;
    return totals;
}
