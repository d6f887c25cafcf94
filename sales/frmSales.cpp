#include "sales/frmSales.h"

#include <QApplication>

#include "customers/CustomerInfo.h"
#include "data/UserPrompts.h"
#include "sales/CustomerPane.h"
#include "sales/SalesLayout.h"
#include "sales/TicketArea.h"
#include "sales/TicketListPane.h"
#include "sales/TicketNumber.h"
#include "sales/TicketPane.h"
#include "sales/TicketStore.h"
#include "widgets/ObjectSettings.h"
#include "widgets/OleColor.h"
#include "widgets/Splitter.h"
#include "widgets/WindowPlacement.h"
#include "widgets/vbalGrid.h"

#include <QCloseEvent>

frmSales::frmSales(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmSales"));
    setWindowTitle(QStringLiteral("Sales"));
    buildMenus();
    buildPanes();
    connectPanes();
    enableCommands();
}

void frmSales::buildPanes()
{
    auto *inner = new QWidget(this);
    inner->setObjectName(QStringLiteral("picInner"));
    setCentralWidget(inner);
    inner->installEventFilter(this);
    Splitter1 = new Splitter(inner);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    m_customerPane = new CustomerPane(Splitter1);
    m_ticketPane = new TicketPane(Splitter1);
    Splitter1->setOrientation(1);
    Splitter1->setChild1(m_customerPane);
    Splitter1->setChild2(m_ticketPane);
    Splitter1->setSplitPercent(SalesLayout::kCustomerPercent);
    Splitter1->setSplitterWidth(100);
    Splitter1->setSplitterColor(OleColor::Rgb(150, 0, 0));
    // The grids are in the window now, so their settings have a section.
    ticketArea()->KeepColumnWidths();
    ticketList()->grid()->KeepColumnWidths();
}

void frmSales::connectPanes()
{
    connect(customerInfo(), &CustomerInfo::CustomerLoad, this, &frmSales::onCustomerLoad);
    // A value still typed in a ticket's cell is written before another
    // customer replaces the ticket; a refused one keeps both on screen.
    customerInfo()->setLeaveCheck([this] { return ticketArea()->CommitOpenEdit(); });
    TicketListPane *list = ticketList();
    connect(list, &TicketListPane::SearchTicketClicked, this, &frmSales::SearchTicket);
    connect(list, &TicketListPane::NewTicketClicked, this, [this, list] {
        // A typed value still in a cell is written to its ticket first; a
        // refused one keeps the ticket on screen.
        if (ticketArea()->CommitOpenEdit())
            list->NewTicket();
    });
    connect(list, &TicketListPane::AutoHideClicked, this, &frmSales::applyAutoHide);
    connect(list, &TicketListPane::TicketChosen, this, &frmSales::onTicketChosen);
    connect(list, &TicketListPane::TicketListChanged, this, [this] { ticketArea()->ShowTicket(0); });
    TicketArea *area = ticketArea();
    connect(area, &TicketArea::TicketShown, this, &frmSales::onTicketShown);
    connect(area, &TicketArea::TicketStatusChanged, this, &frmSales::showTicketRowAfresh);
    connect(area, &TicketArea::TicketVehicleChanged, this, &frmSales::showTicketRowAfresh);
    connect(area, &TicketArea::PrintTicketRequested, this, [this](int salesid) {
        if (m_commands.printTicket && salesid != 0)
            m_commands.printTicket(salesid, this);
    });
    connect(m_ticketPane, &TicketPane::UpClicked, this, [this] {
        if (salesid() > 0)
            Splitter1->setSplitPercent(SalesLayout::kCustomerPercentCollapsed);
    });
    connect(m_ticketPane, &TicketPane::DownClicked, this,
            [this] { Splitter1->setSplitPercent(SalesLayout::kCustomerPercent); });
    connect(Splitter1, &Splitter::Resize, this, &frmSales::keepCustomerPaneInLimit);
}

CustomerInfo *frmSales::customerInfo() const
{
    return m_customerPane->customerInfo();
}

TicketListPane *frmSales::ticketList() const
{
    return m_customerPane->ticketList();
}

TicketArea *frmSales::ticketArea() const
{
    return m_ticketPane->area();
}

int frmSales::salesid() const
{
    return ticketArea()->salesid();
}

// --- Customers and tickets ---

void frmSales::onCustomerLoad(int customerid)
{
    ticketArea()->CommitOpenEdit(); // written already, before the customer changed
    ticketArea()->ShowTicket(0);
    ShowTicketList(customerid);
}

void frmSales::ShowAfresh()
{
    customerInfo()->LoadCustomerInfo(0);
}

void frmSales::ShowTicketList(int customerid)
{
    m_customerid = customerid;
    ticketList()->ShowTicketList(customerid);
    if (salesid() != 0)
        ticketArea()->ShowTicket(0);
}

void frmSales::SearchTicket()
{
    if (!ticketArea()->CommitOpenEdit())
        return;
    const std::optional<QString> typed = Prompts().inputText(QStringLiteral("Enter Ticket Number"),
                                                             QStringLiteral("Search Ticket"));
    if (!typed || typed->trimmed().isEmpty())
        return;
    int customer = 0;
    const TicketStore::TicketSearch found = TicketStore::CustomerOfTicket(*typed, &customer);
    if (found == TicketStore::TicketSearch::Failed)
        return; // the data layer has said why; the ticket may well exist
    if (found == TicketStore::TicketSearch::NotFound) {
        Prompts().message(QStringLiteral("Ticket Not Found"), QStringLiteral("Search Ticket"));
        return;
    }
    // Loading the customer lists the customer's tickets; the ticket found is
    // selected there, not opened.
    if (!customerInfo()->ConfirmLeave())
        return;
    customerInfo()->LoadCustomerInfo(customer);
    if (m_customerid == customer) {
        ticketList()->selectTicket(TicketNumber::Parse(*typed).value_or(0));
        ticketList()->grid()->setFocus(Qt::OtherFocusReason);
    }
}

void frmSales::onTicketChosen(int salesid)
{
    if (!ticketArea()->CommitOpenEdit())
        return;
    ticketArea()->ShowTicket(salesid);
    applyAutoHide();
    ticketArea()->TakeKeyboard();
}

void frmSales::showTicketRowAfresh(int salesid)
{
    ticketList()->ShowTicketList(m_customerid);
    ticketList()->selectTicket(salesid);
}

void frmSales::onTicketShown(int salesid)
{
    // With no ticket left to show, a folded customer pane comes back so the
    // next customer or ticket can be chosen.
    if (salesid == 0 && Splitter1->SplitPercent() <= SalesLayout::kCustomerPercentCollapsed)
        Splitter1->setSplitPercent(SalesLayout::kCustomerPercent);
}

// --- Panes ---

void frmSales::applyAutoHide()
{
    Splitter1->setSplitPercent(SalesLayout::AutoHidePercent(salesid() > 0, ticketList()->autoHide()));
}

void frmSales::keepCustomerPaneInLimit()
{
    const int percent = Splitter1->SplitPercent();
    if (SalesLayout::ClampCustomerPercent(percent) != percent)
        Splitter1->setSplitPercent(SalesLayout::ClampCustomerPercent(percent));
}

void frmSales::placeSplitter()
{
    Splitter1->setGeometry(SalesLayout::SplitterRect(centralWidget()->size(), Splitter1->geometry()));
}

bool frmSales::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        placeSplitter();
    return QMainWindow::eventFilter(watched, event);
}

// --- Geometry kept between runs ---

void frmSales::setVisible(bool visible)
{
    if (visible && !m_settingsLoaded) {
        m_settingsLoaded = true;
        loadWindowSettings();
    }
    QMainWindow::setVisible(visible);
}

void frmSales::loadWindowSettings()
{
    WindowPlacement::Restore(this);
}

void frmSales::saveWindowSettings()
{
    WindowPlacement::Save(this);
}

void frmSales::closeEvent(QCloseEvent *event)
{
    if (!ticketArea()->CommitOpenEdit() || !customerInfo()->ConfirmLeave()) {
        event->ignore();
        return;
    }
    saveWindowSettings();
    // The sales window is the program: closing it (or "Exit") closes the
    // windows opened beside it too, each saving its own settings, so the
    // program ends instead of running on behind an inventory window.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
    QMainWindow::closeEvent(event);
}
