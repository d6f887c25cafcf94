#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class vbalGrid;

// The customer's tickets beside the customer editor: "Search Ticket",
// "Auto Hide", "New Ticket" and the list, oldest first. A double-click (or
// Enter) chooses a ticket; "Remove" on an open ticket deletes it after a
// question, behind the administrator gate.
class TicketListPane : public QWidget
{
    Q_OBJECT
public:
    explicit TicketListPane(QWidget *parent = nullptr);

    // Lists the customer's tickets (0: none).
    void ShowTicketList(int customerid);
    int customerid() const { return m_customerid; }

    // A new open ticket for the customer listed, then the list again with
    // the new ticket selected. Nothing without a customer.
    void NewTicket();

    // Selects the row of a ticket when it is listed.
    void selectTicket(int salesid);

    bool autoHide() const;
    vbalGrid *grid() const { return vbalGridOrders; }

signals:
    void SearchTicketClicked();
    // "New Ticket" (F4) was pressed; the window decides whether the ticket
    // on screen may be left first.
    void NewTicketClicked();
    void AutoHideClicked();
    void TicketChosen(int salesid);
    // The list was read again after a ticket was created or removed.
    void TicketListChanged();

private:
    void onMouseUp(int button, int x, int y);
    void chooseRow(int row);

    QPushButton *cmdSearchTicket = nullptr;
    QCheckBox *chkAutoHide = nullptr;
    QPushButton *cmdNewTicket = nullptr;
    QLabel *lblTickets = nullptr;
    vbalGrid *vbalGridOrders = nullptr;
    int m_customerid = 0;
};
