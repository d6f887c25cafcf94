#pragma once

#include "data/Recordset.h"
#include "sales/TicketFigures.h"
#include "sales/TicketStore.h"

#include <optional>

// Everything the ticket area shows of one ticket, read in one go: the
// ticket's row, its lines and payments in the order they were entered, and
// the figures computed from them.
struct TicketDisplay
{
    TicketHeader header;
    Recordset equipment;
    Recordset labor;
    Recordset payments;
    TicketFigures figures;

    bool isOpen() const { return header.state() == TicketState::Open; }
};

enum class TicketReadResult { Read, NoTicket, Failed };

// Reads a ticket for display. NoTicket when there is no such ticket (or id
// 0); Failed when a query failed (the data layer has said why).
TicketReadResult ReadTicketDisplay(int salesId, TicketDisplay *display);

// Whether two reads of one ticket hold the same lines, payments and tax
// exemption, value for value (what a finalize would close).
bool SameLinesAndPayments(const TicketDisplay &a, const TicketDisplay &b);
