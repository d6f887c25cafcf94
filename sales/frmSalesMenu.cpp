// The menu bar of the sales window and the commands behind it.
#include "data/AuditLog.h"
#include "gate/DefaultCodeReminder.h"
#include "sales/TicketArea.h"
#include "sales/frmSales.h"

#include <QMenu>
#include <QMenuBar>

QAction *frmSales::addCommand(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void frmSales::buildMenus()
{
    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_items.importData = addCommand(mnuFile, "mnuFileImport", QStringLiteral("Import..."));
    m_items.exportData = addCommand(mnuFile, "mnuFileExport", QStringLiteral("Export..."));
    mnuFile->addSeparator();
    QAction *exit = addCommand(mnuFile, "mnuFileExit", QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *mnuAdmin = menuBar()->addMenu(QStringLiteral("Admin"));
    mnuAdmin->setObjectName(QStringLiteral("mnuAdmin"));
    m_items.settings = addCommand(mnuAdmin, "mnuSettings", QStringLiteral("Settings"));
    m_items.inventory = addCommand(mnuAdmin, "mnuInventory", QStringLiteral("Inventory"));
    m_items.installHours = addCommand(mnuAdmin, "mnuIntallHours", QStringLiteral("Install Hours"));
    m_items.reports = addCommand(mnuAdmin, "mnuReports", QStringLiteral("Reports"));
    m_items.timeAdmin = addCommand(mnuAdmin, "mnuTimeAdmin", QStringLiteral("Time Admin"));
    m_items.employees = addCommand(mnuAdmin, "mnuAdminEmployees", QStringLiteral("Employees"));
    m_items.databaseAdmin = addCommand(mnuAdmin, "mnuDatabaseAdmin", QStringLiteral("Database Administration"));
    m_items.auditLog = addCommand(mnuAdmin, "mnuAuditLog", QStringLiteral("Audit Log"));
    m_items.getUpdate = addCommand(mnuAdmin, "mnuAdminGetUpdate", QStringLiteral("Get Update"));

    // A menu without items that acts when it is clicked.
    m_items.timeClock = menuBar()->addAction(QStringLiteral("Time Clock"));
    m_items.timeClock->setObjectName(QStringLiteral("mnuTimeClock"));

    const auto bind = [this](QAction *action, SalesCommands::Opener SalesCommands::*opener, bool behindGate) {
        connect(action, &QAction::triggered, this,
                [this, opener, behindGate] { runCommand(m_commands.*opener, behindGate); });
    };
    bind(m_items.importData, &SalesCommands::importData, true);
    bind(m_items.exportData, &SalesCommands::exportData, true);
    bind(m_items.settings, &SalesCommands::settings, false);
    bind(m_items.inventory, &SalesCommands::inventory, false);
    bind(m_items.installHours, &SalesCommands::installHours, false);
    bind(m_items.reports, &SalesCommands::reports, false);
    bind(m_items.timeAdmin, &SalesCommands::timeAdmin, true);
    bind(m_items.employees, &SalesCommands::employees, true);
    bind(m_items.databaseAdmin, &SalesCommands::databaseAdmin, false);
    bind(m_items.auditLog, &SalesCommands::auditLog, true);
    bind(m_items.getUpdate, &SalesCommands::getUpdate, false);
    bind(m_items.timeClock, &SalesCommands::timeClock, false);
}

void frmSales::setCommands(const SalesCommands &commands)
{
    m_commands = commands;
    enableCommands();
}

void frmSales::enableCommands()
{
    m_items.importData->setEnabled(bool(m_commands.importData));
    m_items.exportData->setEnabled(bool(m_commands.exportData));
    m_items.settings->setEnabled(bool(m_commands.settings));
    m_items.inventory->setEnabled(bool(m_commands.inventory));
    m_items.installHours->setEnabled(bool(m_commands.installHours));
    m_items.reports->setEnabled(bool(m_commands.reports));
    m_items.timeAdmin->setEnabled(bool(m_commands.timeAdmin));
    m_items.employees->setEnabled(bool(m_commands.employees));
    m_items.databaseAdmin->setEnabled(bool(m_commands.databaseAdmin));
    m_items.auditLog->setEnabled(bool(m_commands.auditLog));
    m_items.getUpdate->setEnabled(bool(m_commands.getUpdate));
    m_items.timeClock->setEnabled(bool(m_commands.timeClock));
    ticketArea()->setPrintAvailable(bool(m_commands.printTicket));
}

void frmSales::runCommand(const SalesCommands::Opener &opener, bool behindGate)
{
    if (!opener || !ticketArea()->CommitOpenEdit())
        return;
    // "Time Admin", "Employees" and "Audit Log" open only for an administrator's PIN or
    // the master code; a wrong PIN says "Invalid PIN" and opens nothing.
    // What is done in the window it opens is recorded under whoever opened
    // the gate.
    std::optional<QString> admin;
    if (behindGate && !(admin = DefaultCodeReminder::PassAndRemind()))
        return;
    const AuditLog::Acting acting(admin.value_or(QString()));
    opener(this);
}
