#include "sales/TicketListPane.h"

#include "data/AuditLog.h"
#include "data/UserPrompts.h"
#include "gate/DefaultCodeReminder.h"
#include "sales/TicketGrids.h"
#include "sales/TicketStore.h"
#include "sales/TicketTexts.h"
#include "widgets/ButtonKey.h"
#include "widgets/VbInput.h"
#include "widgets/vbalGrid.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

TicketListPane::TicketListPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picTickets"));
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(6, 4, 4, 4);
    rows->setSpacing(4);
    auto *buttons = new QHBoxLayout;
    cmdSearchTicket = new QPushButton(QStringLiteral("Search Ticket"), this);
    cmdSearchTicket->setObjectName(QStringLiteral("cmdSearchTicket"));
    chkAutoHide = new QCheckBox(QStringLiteral("Auto Hide"), this);
    chkAutoHide->setObjectName(QStringLiteral("chkAutoHide"));
    cmdNewTicket = new QPushButton(QStringLiteral("New Ticket"), this);
    cmdNewTicket->setObjectName(QStringLiteral("cmdNewTicket"));
    for (QPushButton *b : {cmdSearchTicket, cmdNewTicket})
        b->setAutoDefault(false);
    BindButtonKey(cmdSearchTicket, Qt::Key_F3);
    cmdSearchTicket->setToolTip(QStringLiteral("Find a ticket by its number (F3)"));
    BindButtonKey(cmdNewTicket, Qt::Key_F4);
    cmdNewTicket->setToolTip(QStringLiteral("A new ticket for this customer (F4)"));
    buttons->addWidget(cmdSearchTicket);
    buttons->addSpacing(12);
    buttons->addWidget(chkAutoHide);
    buttons->addStretch(1);
    buttons->addWidget(cmdNewTicket);
    rows->addLayout(buttons);
    lblTickets = new QLabel(QStringLiteral("Sales Tickets  : ( double click below to select or create new )"), this);
    lblTickets->setObjectName(QStringLiteral("lblTickets"));
    lblTickets->setTextFormat(Qt::PlainText);
    rows->addWidget(lblTickets);
    vbalGridOrders = new vbalGrid(this);
    vbalGridOrders->setObjectName(QStringLiteral("vbalGridOrders"));
    TicketGrids::BuildTicketList(vbalGridOrders);
    rows->addWidget(vbalGridOrders, 1);

    connect(cmdSearchTicket, &QPushButton::clicked, this, &TicketListPane::SearchTicketClicked);
    connect(chkAutoHide, &QCheckBox::clicked, this, &TicketListPane::AutoHideClicked);
    connect(cmdNewTicket, &QPushButton::clicked, this, &TicketListPane::NewTicketClicked);
    connect(vbalGridOrders, &vbalGrid::DblClick, this, [this](int row, int) { chooseRow(row); });
    connect(vbalGridOrders, &vbalGrid::KeyDown, this, [this](int key, int, bool *doDefault) {
        if (key != VbInput::KeyReturn || vbalGridOrders->SelectedRow() == 0)
            return;
        *doDefault = false;
        chooseRow(vbalGridOrders->SelectedRow());
    });
    connect(vbalGridOrders, &vbalGrid::MouseUp, this,
            [this](int button, int, int x, int y) { onMouseUp(button, x, y); });
}

bool TicketListPane::autoHide() const
{
    return chkAutoHide->isChecked();
}

void TicketListPane::ShowTicketList(int customerid)
{
    m_customerid = customerid;
    if (customerid == 0) {
        vbalGridOrders->ClearRows();
        return;
    }
    if (const auto tickets = TicketStore::TicketList(customerid))
        TicketGrids::FillTicketList(vbalGridOrders, *tickets);
}

void TicketListPane::NewTicket()
{
    if (m_customerid == 0)
        return;
    int id = 0;
    switch (TicketStore::NewTicket(m_customerid, &id)) {
    case TicketStore::NewTicketResult::Created:
        break;
    case TicketStore::NewTicketResult::CustomerGone:
        Prompts().message(TicketTexts::CustomerGoneMessage());
        return;
    case TicketStore::NewTicketResult::Failed:
        Prompts().message(TicketTexts::NewTicketFailedMessage());
        return;
    }
    ShowTicketList(m_customerid);
    emit TicketListChanged();
    // The new ticket is listed, not opened: Enter or a double-click opens it.
    selectTicket(id);
    vbalGridOrders->setFocus(Qt::OtherFocusReason);
}

void TicketListPane::selectTicket(int salesid)
{
    for (int row = 1; row <= vbalGridOrders->RowCount(); ++row) {
        if (vbalGridOrders->CellItemData(row, 1) == salesid) {
            vbalGridOrders->SetSelectedRow(row);
            vbalGridOrders->EnsureVisible(row);
            return;
        }
    }
}

void TicketListPane::chooseRow(int row)
{
    const qint64 id = vbalGridOrders->CellItemData(row, 1);
    if (id > 0)
        emit TicketChosen(int(id));
}

void TicketListPane::onMouseUp(int button, int x, int y)
{
    const int row = vbalGridOrders->RemoveCellHit(button, x, y);
    if (row == 0)
        return;
    const QString number = vbalGridOrders->CellValue(row, 1);
    if (!Prompts().askYesNo(TicketTexts::RemoveTicketQuestion(number, vbalGridOrders->CellValue(row, 2))))
        return;
    // A ticket and its lines and payments go for good: only for an
    // administrator, whom the log then names.
    const std::optional<QString> opener = DefaultCodeReminder::PassAndRemind();
    if (!opener)
        return;
    const AuditLog::Acting acting(*opener);
    const TicketChange change = TicketStore::DeleteTicket(int(vbalGridOrders->CellItemData(row, 1)));
    if (change == TicketChange::WrongState)
        Prompts().message(TicketTexts::NotRemovedMessage(number));
    ShowTicketList(m_customerid);
    emit TicketListChanged();
}
