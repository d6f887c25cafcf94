#pragma once

#include "sales/SalesCommands.h"

// The windows the sales window's menus and "Print Ticket" open in this
// program. A command left without an opener stays disabled in its menu.
SalesCommands ProgramSalesCommands();
