#include "sales/TicketDisplay.h"

#include "data/Database.h"
#include "sales/TicketReader.h"

TicketReadResult ReadTicketDisplay(int salesId, TicketDisplay *display)
{
    if (salesId <= 0)
        return TicketReadResult::NoTicket;
    const auto header = Database::GetRS(QStringLiteral("select * from sales where id = ?"), {salesId});
    if (!header)
        return TicketReadResult::Failed;
    if (header->isEmpty())
        return TicketReadResult::NoTicket;
    auto equipment = Database::GetTicketLines(salesId, 0);
    auto labor = equipment ? Database::GetTicketLines(salesId, 1) : std::nullopt;
    auto payments = labor ? Database::GetTicketPayments(salesId) : std::nullopt;
    if (!payments)
        return TicketReadResult::Failed;
    const QVariant taxExempt = header->value(0, QStringLiteral("TaxExempt"));
    display->header = TicketStore::HeaderFromRow(*header);
    display->figures = ComputeTicketFigures(TicketInputFromRows(*equipment, *labor, *payments, taxExempt));
    display->equipment = std::move(*equipment);
    display->labor = std::move(*labor);
    display->payments = std::move(*payments);
    return TicketReadResult::Read;
}
