#pragma once

#include <QWidget>

class CustomerInfo;
class QScrollArea;
class TicketListPane;

// The upper pane of the sales window: the customer editor at the top left
// and the customer's ticket list beside it, taking the rest of the width.
// When the pane is lower than the editor's record, the editor scrolls; the
// search list always fits the pane.
class CustomerPane : public QWidget
{
    Q_OBJECT
public:
    explicit CustomerPane(QWidget *parent = nullptr);

    CustomerInfo *customerInfo() const { return CustomerInfo1; }
    TicketListPane *ticketList() const { return m_tickets; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutPane();

    QScrollArea *scrCustomer = nullptr;
    CustomerInfo *CustomerInfo1 = nullptr;
    TicketListPane *m_tickets = nullptr;
};
