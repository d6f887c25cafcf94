#pragma once

#include "sales/SalesCommands.h"

// The windows the sales window's menus and "Print Ticket" open in this
// program. A command left without an opener stays disabled in its menu.
SalesCommands ProgramSalesCommands();

class frmSales;
// A restore at another counter, found at this one's next write: the sales
// window starts afresh (no customer, no ticket) before anything more is
// written, since what it showed may be another customer's now.
void StartAfreshOnRestoresElsewhere(frmSales *sales);
