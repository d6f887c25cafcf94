#pragma once

#include "sales/TicketDisplay.h"

#include "sales/TicketLines.h"

#include "sales/TicketStore.h"
#include <QTimer>

#include <QWidget>

class LookupPanel;
class PaymentPanel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TicketTotals;
class vbalGrid;

// The ticket shown in the sales window: its header, vehicle and note, the
// equipment and labor lines, the payments and the totals, with the scan box,
// the two lookups and the payment entry. Every change is written at once and
// the ticket is shown again from the database.
//
// Everything that edits the ticket sits in one part that is locked while the
// ticket is closed; "Finalize Ticket" / "Re-Open Ticket" and "Print Ticket"
// stand outside it, so they work on a closed ticket.
class TicketArea : public QWidget
{
    Q_OBJECT
public:
    explicit TicketArea(QWidget *parent = nullptr);

    // Shows a ticket and recomputes its figures; 0 hides the area.
    void ShowTicket(int salesid);
    int salesid() const { return m_salesid; }
    // Every command of the window runs this first: a cell still being edited
    // is committed as Enter would commit it, so what the clerk typed is not
    // lost or overtaken. False when that write was refused (its message has
    // been shown): the command then stops.
    bool CommitOpenEdit();

    // Reads the grids' saved column widths and keeps the ones the user sets.
    // Call once the area is inside its window (the settings section).
    void KeepColumnWidths();
    // Whether "Print Ticket" has something to run.
    void setPrintAvailable(bool available);
    // After the clerk chose the ticket: the keyboard goes to the box typed
    // into next on an open ticket, the year when it has no vehicle yet, else
    // the scan box. A closed ticket leaves it where it is.
    void TakeKeyboard();

    TicketTotals *totals() const { return m_totals; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After every display (0: no ticket).
    void TicketShown(int salesid);
    // The ticket was finalized or re-opened (or found changed by another
    // counter): its row in the ticket list shows an old status.
    void TicketStatusChanged(int salesid);
    // The year, make or model was edited and the clerk has moved on: the
    // ticket list shows the old vehicle.
    void TicketVehicleChanged(int salesid);
    void PrintTicketRequested(int salesid);
    // A panel is about to open over that part of the area (in the area's
    // own pixels): the pane scrolls it into view.
    void PartWanted(const QRect &part);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building.
    void buildControls();
    QWidget *buildHeaderRows();
    QWidget *buildScanRow();
    QWidget *buildBottomRow();
    void buildPanels();
    void connectControls();
    void connectLineGrid(vbalGrid *grid);

    // Showing.
    void showNoTicket();
    void showTicketRead(const TicketDisplay &ticket);
    void lockArea(bool locked);
    void keepLockedTextReadable();
    void hidePanels();
    void cancelEdits();
    void queueShow();
    void placeOutsideButtons();
    void wantHeader();

    // The ticket itself.
    void onFinalizeClicked();
    void finalizeTicket();
    void reopenTicket();
    void saveField(TicketStore::TicketField field, const QString &text);
    // A box whose text could not be written (the database unreachable) is
    // marked unsaved and written again, quietly, until it is.
    void markUnsaved(TicketStore::TicketField field, bool unsaved);
    void retryUnsaved();
    QWidget *boxOf(TicketStore::TicketField field) const;
    QString textOf(TicketStore::TicketField field) const;
    void vehicleBoxLeft();
    void onExemptClicked(bool exempt);
    // Reports a refused or failed change; true when the change was made.
    bool changeMade(TicketChange change);

    // Lines and payments.
    void onScan();
    void openEquipmentLookup();
    void openLaborLookup();
    void openPaymentEntry();
    void onEquipmentPicked(int row, int col);
    void onLaborPicked(int row, int col);
    void onPaymentEntered(const QString &payType, const QString &amount);
    void onRequestEdit(vbalGrid *grid, int row, int col, int keyAscii, bool *cancel);
    void onCommitEdit(vbalGrid *grid, int row, int col);
    void onGridMouseUp(vbalGrid *grid, int button, int x, int y);
    bool lineChanged(TicketLines::Result result);

    QWidget *picTicket = nullptr; // the part that locks
    QLabel *lblHeader = nullptr;
    QLabel *lblVehicle = nullptr;
    QLineEdit *txtYear = nullptr;
    QLineEdit *txtMake = nullptr;
    QLineEdit *txtModel = nullptr;
    QLabel *lblStatus = nullptr;
    QPlainTextEdit *txtNote = nullptr;
    QLineEdit *txtScan = nullptr;
    QPushButton *cmdEquipment = nullptr;
    QPushButton *cmdInstall = nullptr;
    QPushButton *cmdPayment = nullptr;
    QLabel *lblScanNotice = nullptr; // says what the last scan found nothing for
    vbalGrid *vbalGrid2 = nullptr;   // equipment lines
    vbalGrid *vbalGrid3 = nullptr;   // labor lines
    vbalGrid *vbalPayment = nullptr; // payments
    TicketTotals *m_totals = nullptr;
    QLineEdit *txtEdit = nullptr; // the one in-place edit box
    LookupPanel *picEquipment = nullptr;
    LookupPanel *picLabor = nullptr;
    PaymentPanel *picPayment = nullptr;
    QPushButton *cmdFinalize = nullptr;
    QPushButton *cmdPrint = nullptr;

    int m_salesid = 0;
    bool m_loading = false;
    bool m_vehicleEdited = false;
    // The year, make, model and note as this counter last read or wrote
    // them: a box is written only over that.
    QString m_seen[4];
    bool m_unsaved[4] = {false, false, false, false};
    QTimer *m_retry = nullptr;
    bool m_showQueued = false;
    TicketDisplay m_drawn; // what the shown ticket was read as, for a finalize to compare
    bool readyToClose(int id);
    bool addEvenIfNoneAvailable(const QString &value, TicketLines::Source source);
    // A line was just added: the next display scrolls the equipment grid to it.
    bool m_newestLineWanted = false;
    bool m_editRefused = false; // the last committed cell edit was not written
    bool m_printAvailable = false;
};
