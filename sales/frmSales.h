#pragma once

#include "sales/SalesCommands.h"

#include <QMainWindow>

class CustomerInfo;
class CustomerPane;
class QAction;
class Splitter;
class TicketArea;
class TicketListPane;
class TicketPane;

// The main window, "Sales": the customer pane (the customer editor and the
// customer's tickets) above the splitter bar, the ticket shown below it, and
// the menus that lead to every other window of the program.
class frmSales : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmSales(QWidget *parent = nullptr);

    // What the menus and "Print Ticket" run; commands without an opener stay
    // disabled.
    void setCommands(const SalesCommands &commands);

    // No customer and no ticket, as at start: after the database was
    // restored, what was shown may be another customer's now.
    void ShowAfresh();

    // Lists a customer's tickets; no ticket is shown afterwards.
    void ShowTicketList(int customerid);
    // "Search Ticket": finds a ticket by its number and lists its customer's
    // tickets.
    void SearchTicket();

    int customerid() const { return m_customerid; }
    int salesid() const;

    Splitter *splitter() const { return Splitter1; }
    CustomerInfo *customerInfo() const;
    TicketListPane *ticketList() const;
    TicketArea *ticketArea() const;
    TicketPane *ticketPane() const { return m_ticketPane; }

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPanes();
    void connectPanes();
    void buildMenus();
    QAction *addCommand(class QMenu *menu, const char *name, const QString &caption);
    void runCommand(const SalesCommands::Opener &opener, bool behindGate);
    void enableCommands();

    void loadWindowSettings();
    void saveWindowSettings();
    void placeSplitter();

    void onCustomerLoad(int customerid);
    void onTicketChosen(int salesid);
    void onTicketShown(int salesid);
    // The ticket list read again, the ticket's row selected.
    void showTicketRowAfresh(int salesid);
    void applyAutoHide();
    void keepCustomerPaneInLimit();

    Splitter *Splitter1 = nullptr;
    CustomerPane *m_customerPane = nullptr;
    TicketPane *m_ticketPane = nullptr;
    SalesCommands m_commands;
    struct MenuItems
    {
        QAction *importData, *exportData, *settings, *inventory, *installHours, *reports, *timeAdmin, *employees,
            *databaseAdmin, *auditLog, *getUpdate, *timeClock;
    } m_items{};

    int m_customerid = 0;
    bool m_settingsLoaded = false;
};
