#pragma once

#include "data/Recordset.h"

#include <optional>

// A ticket's stored rows, each kind in the order it was entered: the
// equipment lines (salesitem), the labor lines (saleslabor) and the
// payments, every column of each.
struct TicketRows
{
    Recordset equipment;
    Recordset labor;
    Recordset payments;

    // Reads all three. nullopt when a query failed (the data layer has said
    // why).
    static std::optional<TicketRows> read(int salesId);
};
