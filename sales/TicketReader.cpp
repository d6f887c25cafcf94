#include "sales/TicketReader.h"

#include "data/NullToSpace.h"
#include "sales/TicketRows.h"

bool IsTaxExempt(const QVariant &taxExempt)
{
    return NullToSpace(taxExempt).trimmed() == QLatin1String("1");
}

TicketInput TicketInputFromRows(const Recordset &equipment, const Recordset &labor, const Recordset &payments,
                                const QVariant &taxExempt)
{
    TicketInput in;
    in.taxExempt = IsTaxExempt(taxExempt);
    const int eq = equipment.columnIndex(QStringLiteral("quantity"));
    const int ep = equipment.columnIndex(QStringLiteral("price"));
    for (int r = 0; r < equipment.rowCount(); ++r)
        in.equipment.append({Money::fromVariant(equipment.value(r, eq)), Money::fromVariant(equipment.value(r, ep))});
    const int lq = labor.columnIndex(QStringLiteral("quantity"));
    const int lc = labor.columnIndex(QStringLiteral("charge"));
    for (int r = 0; r < labor.rowCount(); ++r)
        in.labor.append({Money::fromVariant(labor.value(r, lq)), Money::fromVariant(labor.value(r, lc))});
    const int pd = payments.columnIndex(QStringLiteral("description"));
    const int pa = payments.columnIndex(QStringLiteral("amount"));
    for (int r = 0; r < payments.rowCount(); ++r)
        in.payments.append({payments.value(r, pd).toString(), Money::fromVariant(payments.value(r, pa))});
    return in;
}

std::optional<TicketInput> ReadTicketInput(int salesId, const QVariant &taxExempt)
{
    const std::optional<TicketRows> rows = TicketRows::read(salesId);
    if (!rows)
        return std::nullopt;
    return TicketInputFromRows(rows->equipment, rows->labor, rows->payments, taxExempt);
}
