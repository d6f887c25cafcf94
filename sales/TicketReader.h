#pragma once

#include "data/Recordset.h"
#include "sales/TicketFigures.h"

#include <QVariant>
#include <optional>

// Turns a ticket's stored rows into the input of the figure rules; NULL
// quantities, prices, charges and amounts count as 0.
TicketInput TicketInputFromRows(const Recordset &equipment, const Recordset &labor, const Recordset &payments,
                                const QVariant &taxExempt);

// Whether a stored TaxExempt value marks the ticket exempt (trimmed text "1").
bool IsTaxExempt(const QVariant &taxExempt);

// Reads a ticket's lines and payments (TicketRows). nullopt when a query
// failed (the data layer has said why).
std::optional<TicketInput> ReadTicketInput(int salesId, const QVariant &taxExempt);
