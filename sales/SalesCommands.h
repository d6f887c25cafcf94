#pragma once

#include <functional>

class QWidget;

// What the sales window's menus and its "Print Ticket" button lead to. The
// program installs an opener for each command whose window exists; a
// command without one stays in its menu, disabled. The sales window itself
// runs the administrator gate in front of "Import", "Export", "Time Admin",
// "Employees" and "Audit Log", so those openers run only once the gate has
// opened, and should open their window in administrator mode. The owner is
// the sales window.
struct SalesCommands
{
    using Opener = std::function<void(QWidget *owner)>;

    Opener importData;    // File "Import...": behind the gate, modal
    Opener exportData;    // File "Export...": behind the gate, modal
    Opener settings;      // "Settings": the settings window, modal
    Opener inventory;     // "Inventory": the inventory window, not modal, one instance
    Opener installHours;  // "Install Hours": the labor price list, not modal, one instance
    Opener reports;       // "Reports": the reports window, modal
    Opener timeAdmin;     // "Time Admin": the time clock with its Admin flag set, modal
    Opener employees;     // "Employees": the employee window with its Admin flag set, modal
    Opener databaseAdmin; // "Database Administration": not modal, one instance
    Opener auditLog;      // "Audit Log": behind the gate, modal
    Opener getUpdate;     // "Get Update": the update download, at once
    Opener timeClock;     // "Time Clock": the time clock in employee mode, modal

    // "Print Ticket": the customer invoice of the ticket shown (id > 0).
    std::function<void(int salesId, QWidget *owner)> printTicket;
};
