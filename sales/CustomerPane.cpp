#include "sales/CustomerPane.h"

#include "customers/CustomerInfo.h"
#include "customers/FindCustomer.h"
#include "sales/TicketListPane.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

CustomerPane::CustomerPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picCustomer"));
    scrCustomer = new QScrollArea(this);
    scrCustomer->setObjectName(QStringLiteral("scrCustomer"));
    scrCustomer->setFrameShape(QFrame::NoFrame);
    scrCustomer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrCustomer->setWidgetResizable(false);
    CustomerInfo1 = new CustomerInfo;
    scrCustomer->setWidget(CustomerInfo1);
    // The search list takes the pane's height, the record its own.
    CustomerInfo1->findCustomer()->installEventFilter(this);
    m_tickets = new TicketListPane(this);
}

void CustomerPane::resizeEvent(QResizeEvent *)
{
    layoutPane();
}

bool CustomerPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CustomerInfo1->findCustomer() && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        layoutPane();
    return QWidget::eventFilter(watched, event);
}

void CustomerPane::layoutPane()
{
    const QSize hint = CustomerInfo1->sizeHint();
    const int bar = scrCustomer->verticalScrollBar()->sizeHint().width();
    const bool scrolls = !CustomerInfo1->IsLookingUp() && hint.height() > height();
    const int paneWidth = std::min(hint.width() + (scrolls ? bar : 0), width());
    scrCustomer->setGeometry(0, 0, paneWidth, height());
    CustomerInfo1->resize(paneWidth - (scrolls ? bar : 0), scrolls ? hint.height() : height());
    m_tickets->setGeometry(paneWidth, 0, std::max(0, width() - paneWidth), height());
}
