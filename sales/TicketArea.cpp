#include "sales/TicketArea.h"

#include "sales/LookupPanel.h"
#include "sales/PaymentPanel.h"
#include "sales/TicketDisplay.h"
#include "sales/TicketGrids.h"
#include "sales/TicketTexts.h"
#include "sales/TicketTotals.h"
#include "widgets/OleColor.h"
#include "widgets/vbalGrid.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QTimer>

namespace {

constexpr qint64 kOpenBack = OleColor::Rgb(192, 192, 192);
constexpr qint64 kClosedBack = OleColor::Rgb(128, 128, 128);
constexpr int kGap = 7; // 100 twips

void setBack(QWidget *w, qint64 color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, OleColor::ToQColor(color));
    w->setPalette(p);
}

} // namespace

TicketArea::TicketArea(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picTicketArea"));
    buildControls();
    setBack(picTicket, kOpenBack);
    keepLockedTextReadable();
    hide();
}

void TicketArea::KeepColumnWidths()
{
    for (vbalGrid *g : {picEquipment->grid(), vbalGrid2, vbalGrid3, picLabor->grid(), vbalPayment})
        g->KeepColumnWidths();
}

void TicketArea::setPrintAvailable(bool available)
{
    m_printAvailable = available;
    cmdPrint->setEnabled(available);
}

void TicketArea::TakeKeyboard()
{
    if (m_salesid == 0 || !isVisible() || !picTicket->isEnabled())
        return;
    const bool noVehicle = txtYear->text().isEmpty() && txtMake->text().isEmpty() && txtModel->text().isEmpty();
    QLineEdit *box = noVehicle ? txtYear : txtScan;
    box->setFocus(Qt::OtherFocusReason);
}

// --- Showing a ticket ---

void TicketArea::ShowTicket(int salesid)
{
    // The grids are rebuilt: an edit still open is written first, not dropped;
    // so is a box the database could not take yet.
    CommitOpenEdit();
    retryUnsaved();
    m_showQueued = false;
    bool another = false;
    TicketDisplay ticket;
    TicketReadResult read = ReadTicketDisplay(salesid, &ticket);
    if (read == TicketReadResult::Failed)
        return; // the data layer has said why; the area stays as it was
    if (read == TicketReadResult::NoTicket && salesid != 0) {
        // Removed at another counter: said, and nothing left enabled for it.
        Prompts().message(TicketTexts::RemovedElsewhereMessage(salesid));
        const int gone = salesid;
        salesid = 0;
        QTimer::singleShot(0, this, [this, gone] { emit TicketStatusChanged(gone); });
    }
    m_drawn = ticket;
    if (salesid != m_salesid) {
        for (int f = 0; f < 4; ++f)
            markUnsaved(TicketStore::TicketField(f), false); // the boxes show another ticket now
    }
    {
        const QScopedValueRollback loading(m_loading, true);
        another = salesid != m_salesid;
        m_salesid = salesid;
        if (another)
            lblScanNotice->clear(); // it was about the ticket shown before
        cancelEdits();
        hidePanels();
        setVisible(salesid != 0);
        if (read == TicketReadResult::NoTicket)
            showNoTicket();
        else
            showTicketRead(ticket);
    }
    if (m_newestLineWanted) {
        // Once the grid has its rows' heights and its own height.
        QTimer::singleShot(0, vbalGrid2, [grid = vbalGrid2] {
            if (grid->RowCount() > 0)
                grid->EnsureVisible(grid->RowCount());
        });
    }
    m_newestLineWanted = false;
    emit TicketShown(m_salesid);
    if (another)
        wantHeader();
}

// Another ticket, or a new state, is read from its header down: the pane
// goes back to the ticket number, the status and the two buttons beside the
// note.
void TicketArea::wantHeader()
{
    if (m_salesid != 0)
        emit PartWanted(QRect(0, 0, width(), cmdPrint->geometry().bottom() + 1));
}

void TicketArea::showNoTicket()
{
    lblHeader->setText(TicketTexts::HeaderText(nullptr));
    for (QLineEdit *box : {txtYear, txtMake, txtModel})
        box->clear();
    txtNote->clear();
    for (QString &seen : m_seen)
        seen.clear();
    lblStatus->setText(QStringLiteral(" "));
    setBack(lblStatus, kOpenBack);
    m_totals->setExempt(false);
    m_totals->clear();
    cmdFinalize->hide();
    for (vbalGrid *g : {vbalGrid2, vbalGrid3, vbalPayment})
        g->ClearRows();
    lockArea(false);
}

void TicketArea::showTicketRead(const TicketDisplay &t)
{
    const TicketHeader &h = t.header;
    lblHeader->setText(TicketTexts::HeaderText(&h));
    txtYear->setText(h.year);
    txtMake->setText(h.make);
    txtModel->setText(h.model);
    m_totals->setExempt(h.taxExempt);
    lblStatus->setText(h.status.toUpper());
    const bool open = t.isOpen();
    setBack(lblStatus, open ? OleColor::Green : OleColor::Red);
    cmdFinalize->setText(open ? QStringLiteral("Finalize Ticket") : QStringLiteral("Re-Open Ticket"));
    cmdFinalize->show();
    if (txtNote->toPlainText() != h.note)
        txtNote->setPlainText(h.note);
    m_seen[int(TicketStore::TicketField::Year)] = h.year;
    m_seen[int(TicketStore::TicketField::Make)] = h.make;
    m_seen[int(TicketStore::TicketField::Model)] = h.model;
    m_seen[int(TicketStore::TicketField::Note)] = h.note;

    TicketGrids::FillEquipmentLines(vbalGrid2, t.equipment, t.figures.equipmentExtended, open);
    TicketGrids::FillLaborLines(vbalGrid3, t.labor, t.figures.laborExtended, open);
    TicketGrids::FillPayments(vbalPayment, t.payments, t.figures.paymentFigures, open);
    m_totals->showFigures(t.figures);
    lockArea(h.state() == TicketState::Closed);
}

void TicketArea::lockArea(bool locked)
{
    picTicket->setEnabled(!locked);
    setBack(picTicket, locked ? kClosedBack : kOpenBack);
}

void TicketArea::keepLockedTextReadable()
{
    // A closed ticket is still read at the counter: its words and figures stay
    // dark on the grey; only the buttons look disabled.
    const QColor dark(24, 24, 24);
    QPalette p = picTicket->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, dark);
    picTicket->setPalette(p);
    // The grids' views don't take that from the area (they are styled for
    // their grid lines): without their own, their cells go pale grey on grey.
    for (vbalGrid *g : {vbalGrid2, vbalGrid3, vbalPayment}) {
        QPalette gp = g->view()->palette();
        gp.setColor(QPalette::Disabled, QPalette::Text, dark);
        g->view()->setPalette(gp);
    }
}

void TicketArea::hidePanels()
{
    picEquipment->hide();
    picLabor->hide();
    picPayment->hide();
}

void TicketArea::cancelEdits()
{
    for (vbalGrid *g : {vbalGrid2, vbalGrid3}) {
        if (g->InEditMode())
            g->CancelEdit();
    }
    txtEdit->hide();
}

// A change made from inside a grid event (an edit being committed, a click
// on "Remove") redisplays once that event is over, so the grid is not
// rebuilt under its own feet.
void TicketArea::queueShow()
{
    if (m_showQueued)
        return;
    m_showQueued = true;
    QTimer::singleShot(0, this, [this] {
        if (m_showQueued)
            ShowTicket(m_salesid);
    });
}

// --- Layout ---

QSize TicketArea::minimumSizeHint() const
{
    return picTicket->layout()->minimumSize();
}

QSize TicketArea::sizeHint() const
{
    const QSize min = minimumSizeHint();
    return QSize(std::max(min.width(), 1000), min.height());
}

void TicketArea::resizeEvent(QResizeEvent *)
{
    picTicket->setGeometry(rect());
    picTicket->layout()->activate();
    placeOutsideButtons();
}

// The two buttons stand level with the top of the note box, 100 twips to the
// right of it, "Print Ticket" 100 twips below the other.
void TicketArea::placeOutsideButtons()
{
    if (!cmdFinalize || !cmdPrint)
        return; // still being built
    const QRect note(txtNote->mapTo(this, QPoint(0, 0)), txtNote->size());
    cmdFinalize->move(note.right() + 1 + kGap, note.top());
    cmdPrint->move(cmdFinalize->x(), cmdFinalize->geometry().bottom() + 1 + kGap);
}

bool TicketArea::eventFilter(QObject *watched, QEvent *event)
{
    // The note box finds its place only once its row is laid out, which
    // happens when the area is first shown and whenever the rows change:
    // the two buttons beside it follow it there.
    if ((watched == txtNote || watched == txtNote->parentWidget())
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeOutsideButtons();
    // A click into the scan box empties it for the next code.
    if (watched == txtScan && event->type() == QEvent::MouseButtonPress)
        txtScan->clear();
    return QWidget::eventFilter(watched, event);
}
