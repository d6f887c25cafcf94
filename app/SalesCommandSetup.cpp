#include "app/SalesCommandSetup.h"
#include "data/Database.h"
#include <QTimer>

#include "catalog/frmInstallHours.h"
#include "catalog/frmInventory.h"
#include "customers/CustomerInfo.h"
#include "exchange/frmExport.h"
#include "exchange/frmImport.h"
#include "maintenance/UpdateDownloadWindow.h"
#include "maintenance/frmAuditLog.h"
#include "maintenance/frmDatabase.h"
#include "maintenance/frmSettings.h"
#include "reports/Printbill.h"
#include "reports/frmReports.h"
#include "sales/frmSales.h"
#include "timeclock/frmEmployee.h"
#include "timeclock/frmTimeInOut.h"
#include "widgets/SingleWindow.h"

#include <QPointer>

namespace {

// The non-modal windows, one of each.
QPointer<frmInventory> g_inventory;
QPointer<frmInstallHours> g_installHours;
QPointer<frmDatabase> g_database;

template <typename Dialog> void showModal(QWidget *owner)
{
    Dialog dialog(owner);
    dialog.exec();
}

void showTimeClock(QWidget *owner, bool admin)
{
    frmTimeInOut clock(owner);
    clock.setAdmin(admin);
    clock.exec();
}

// After a restore no ticket or customer of the old contents stays on screen.
void forgetShownRecords(QWidget *owner)
{
    if (auto *sales = qobject_cast<frmSales *>(owner))
        sales->ShowAfresh();
}

} // namespace

SalesCommands ProgramSalesCommands()
{
    SalesCommands c;
    // The sales window has passed the administrator gate before these run.
    c.importData = [](QWidget *owner) {
        frmImport window(owner);
        // The lists already open show what came in.
        QObject::connect(&window, &frmImport::Imported, [](ExchangeTable::Table table) {
            if (table == ExchangeTable::Table::Products && g_inventory)
                g_inventory->FillList();
            if (table == ExchangeTable::Table::Labor && g_installHours)
                g_installHours->FillList();
        });
        window.exec();
    };
    c.exportData = [](QWidget *owner) { showModal<frmExport>(owner); };
    c.settings = [](QWidget *owner) { showModal<frmSettings>(owner); };
    c.inventory = [](QWidget *owner) { ShowSingleWindow(g_inventory, [owner] { return new frmInventory(owner); }); };
    c.installHours = [](QWidget *owner) {
        ShowSingleWindow(g_installHours, [owner] { return new frmInstallHours(owner); });
    };
    c.reports = [](QWidget *owner) { showModal<frmReports>(owner); };
    // The sales window has passed the administrator gate before these run.
    c.timeAdmin = [](QWidget *owner) { showTimeClock(owner, true); };
    c.employees = [](QWidget *owner) {
        frmEmployee employees(owner);
        employees.setAdmin(true);
        employees.exec();
    };
    c.databaseAdmin = [](QWidget *owner) {
        ShowSingleWindow(g_database, [owner] {
            auto *window = new frmDatabase(owner);
            QObject::connect(window, &frmDatabase::DatabaseRestored, owner, [owner] { forgetShownRecords(owner); });
            return window;
        });
    };
    c.auditLog = [](QWidget *owner) { showModal<frmAuditLog>(owner); };
    c.getUpdate = [](QWidget *owner) { RunUpdateDownload(owner); };
    c.timeClock = [](QWidget *owner) { showTimeClock(owner, false); };
    c.printTicket = [](int salesId, QWidget *) { Printbill(salesId); };
    return c;
}

void StartAfreshOnRestoresElsewhere(frmSales *sales)
{
    if (!sales) {
        Database::SetRestoredElsewhereHandler(nullptr);
        return;
    }
    const QPointer<frmSales> window(sales);
    Database::SetRestoredElsewhereHandler([window] {
        // After the write that found it has returned to the window.
        QTimer::singleShot(0, [window] {
            if (window)
                window->ShowAfresh();
            Database::StartAfreshAfterRestore();
        });
    });
}
