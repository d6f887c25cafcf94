#include "sales/TicketDisplay.h"

#include "data/Database.h"
#include "sales/TicketReader.h"
#include "sales/TicketRows.h"

TicketReadResult ReadTicketDisplay(int salesId, TicketDisplay *display)
{
    if (salesId <= 0)
        return TicketReadResult::NoTicket;
    const auto header = Database::GetRS(QStringLiteral("select * from sales where id = ?"), {salesId});
    if (!header)
        return TicketReadResult::Failed;
    if (header->isEmpty())
        return TicketReadResult::NoTicket;
    std::optional<TicketRows> rows = TicketRows::read(salesId);
    if (!rows)
        return TicketReadResult::Failed;
    const QVariant taxExempt = header->value(0, QStringLiteral("TaxExempt"));
    display->header = TicketStore::HeaderFromRow(*header);
    display->figures = ComputeTicketFigures(
        TicketInputFromRows(rows->equipment, rows->labor, rows->payments, taxExempt));
    display->equipment = std::move(rows->equipment);
    display->labor = std::move(rows->labor);
    display->payments = std::move(rows->payments);
    return TicketReadResult::Read;
}

namespace {

bool sameRows(const Recordset &a, const Recordset &b)
{
    if (a.rowCount() != b.rowCount() || a.columnCount() != b.columnCount())
        return false;
    for (int r = 0; r < a.rowCount(); ++r) {
        for (int c = 0; c < a.columnCount(); ++c) {
            if (a.value(r, c).toString() != b.value(r, c).toString())
                return false;
        }
    }
    return true;
}

} // namespace

bool SameLinesAndPayments(const TicketDisplay &a, const TicketDisplay &b)
{
    return a.header.taxExempt == b.header.taxExempt && sameRows(a.equipment, b.equipment) && sameRows(a.labor, b.labor)
        && sameRows(a.payments, b.payments);
}
