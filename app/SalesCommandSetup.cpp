#include "app/SalesCommandSetup.h"

#include "reports/Printbill.h"

SalesCommands ProgramSalesCommands()
{
    SalesCommands commands;
    // "Print Ticket": the customer invoice, through printer setup and preview.
    commands.printTicket = [](int salesId, QWidget *) { Printbill(salesId); };
    // Each other window is installed here as it is built, e.g.
    //   commands.inventory = [](QWidget *owner) { ... bring the one inventory window forward ... };
    // "Time Admin" and "Employees" are gated by the sales window before their
    // opener runs.
    return commands;
}
