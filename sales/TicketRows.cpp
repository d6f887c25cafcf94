#include "sales/TicketRows.h"

#include "data/Database.h"

std::optional<TicketRows> TicketRows::read(int salesId)
{
    auto equipment = Database::GetRS(QStringLiteral("select * from salesitem where salesid = ? order by id"),
                                     {salesId});
    if (!equipment)
        return std::nullopt;
    auto labor = Database::GetRS(QStringLiteral("select * from saleslabor where salesid = ? order by id"), {salesId});
    if (!labor)
        return std::nullopt;
    auto payments = Database::GetRS(QStringLiteral("select * from payment where salesid = ? order by id"), {salesId});
    if (!payments)
        return std::nullopt;
    return TicketRows{std::move(*equipment), std::move(*labor), std::move(*payments)};
}
