// Building the ticket area: its rows of controls, the grids, the pop-up
// panels, and what each control is connected to.
#include "sales/LookupPanel.h"
#include "sales/PaymentPanel.h"
#include "sales/TicketArea.h"
#include "sales/TicketGrids.h"
#include "sales/TicketTotals.h"
#include "widgets/ButtonKey.h"
#include "widgets/vbalGrid.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace {

const QString kVehicleCaption = QStringLiteral("Year:                Make:                             Model: ");

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

// The width of a caption's words and blanks up to the next word, less the
// spacing of the row: a box that starts under its word ends under the next.
int widthUnder(const QFontMetrics &fm, const QString &caption, const QString &word, const QString &next, int spacing)
{
    const int start = caption.indexOf(word);
    const int end = next.isEmpty() ? caption.size() : caption.indexOf(next);
    return fm.horizontalAdvance(caption.mid(start, end - start)) - spacing;
}

} // namespace

void TicketArea::buildControls()
{
    picTicket = named(new QWidget(this), "picTicket");
    picTicket->setAutoFillBackground(true);
    auto *rows = new QVBoxLayout(picTicket);
    rows->setContentsMargins(8, 6, 8, 8);
    rows->setSpacing(6);
    rows->addWidget(buildHeaderRows());
    rows->addWidget(buildScanRow());

    vbalGrid2 = named(new vbalGrid(picTicket), "vbalGrid2");
    vbalGrid3 = named(new vbalGrid(picTicket), "vbalGrid3");
    TicketGrids::BuildEquipmentLines(vbalGrid2);
    TicketGrids::BuildLaborLines(vbalGrid3);
    // The grids give up height first (they scroll their own rows), so the
    // header, Finalize and the totals fit a short pane together.
    vbalGrid2->setMinimumHeight(24 + 2 * 30);
    vbalGrid3->setMinimumHeight(24 + 2 * 20);
    rows->addWidget(vbalGrid2, 3);
    rows->addWidget(vbalGrid3, 2);
    rows->addWidget(buildBottomRow());

    txtEdit = named(new QLineEdit(picTicket), "txtEdit");
    txtEdit->hide();
    buildPanels();

    cmdFinalize = button(QStringLiteral("Finalize Ticket"), "cmdFinalize", this);
    cmdPrint = button(QStringLiteral("Print Ticket"), "cmdPrint", this);
    const int buttonWidth = cmdFinalize->fontMetrics().horizontalAdvance(QStringLiteral("Re-Open Ticket")) + 32;
    cmdFinalize->setFixedWidth(buttonWidth);
    cmdPrint->setFixedWidth(buttonWidth);
    BindButtonKey(cmdFinalize, Qt::Key_F9);
    cmdFinalize->setToolTip(QStringLiteral("Finalize or re-open this ticket (F9)"));
    BindButtonKey(cmdPrint, QKeySequence::Print);
    cmdPrint->setToolTip(QStringLiteral("Print this ticket (Ctrl+P)"));
    connectControls();
}

QWidget *TicketArea::buildHeaderRows()
{
    auto *box = new QWidget(picTicket);
    auto *rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(3);

    auto *top = new QHBoxLayout;
    lblHeader = named(new QLabel(box), "lblHeader");
    lblHeader->setTextFormat(Qt::PlainText);
    QFont bold = lblHeader->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    lblHeader->setFont(bold);
    lblStatus = named(new QLabel(QStringLiteral(" "), box), "lblStatus");
    lblStatus->setAutoFillBackground(true);
    lblStatus->setAlignment(Qt::AlignCenter);
    lblStatus->setMinimumWidth(90);
    lblStatus->setFont(bold);
    top->addWidget(lblHeader);
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("Status:"), box));
    top->addWidget(lblStatus);
    rows->addLayout(top);

    lblVehicle = named(new QLabel(kVehicleCaption, box), "lblVehicle");
    lblVehicle->setTextFormat(Qt::PlainText);
    rows->addWidget(lblVehicle);
    auto *vehicle = new QHBoxLayout;
    const int spacing = 6;
    vehicle->setSpacing(spacing);
    txtYear = named(new QLineEdit(box), "txtYear");
    txtMake = named(new QLineEdit(box), "txtMake");
    txtModel = named(new QLineEdit(box), "txtModel");
    const QFontMetrics fm = lblVehicle->fontMetrics();
    txtYear->setFixedWidth(widthUnder(fm, kVehicleCaption, QStringLiteral("Year:"), QStringLiteral("Make:"), spacing));
    txtMake->setFixedWidth(widthUnder(fm, kVehicleCaption, QStringLiteral("Make:"), QStringLiteral("Model:"), spacing));
    txtModel->setFixedWidth(std::max(200, txtMake->width()));
    vehicle->addWidget(txtYear);
    vehicle->addWidget(txtMake);
    vehicle->addWidget(txtModel);
    vehicle->addStretch(1);
    rows->addLayout(vehicle);

    auto *note = new QHBoxLayout;
    note->setSpacing(spacing);
    auto *notes = new QLabel(QStringLiteral("Notes:"), box);
    note->addWidget(notes, 0, Qt::AlignTop);
    txtNote = named(new QPlainTextEdit(box), "txtNote");
    txtNote->setTabChangesFocus(true);
    txtNote->installEventFilter(this);
    box->installEventFilter(this);
    txtNote->setFixedSize(520, txtNote->fontMetrics().lineSpacing() * 3 + 12);
    note->addWidget(txtNote);
    // Room for the two buttons that stand beside the note box.
    note->addSpacing(txtNote->fontMetrics().horizontalAdvance(QStringLiteral("Re-Open Ticket")) + 32 + 16);
    note->addStretch(1);
    rows->addLayout(note);
    return box;
}

QWidget *TicketArea::buildScanRow()
{
    auto *box = new QWidget(picTicket);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("UPC SCAN:"), box));
    txtScan = named(new QLineEdit(box), "txtScan");
    // The sample code shows only while the box is empty, so it never mixes
    // with a scanned one.
    txtScan->setPlaceholderText(QStringLiteral("0000000000000000"));
    txtScan->setFixedWidth(txtScan->fontMetrics().horizontalAdvance(QStringLiteral("00000000000000000000")) + 12);
    txtScan->installEventFilter(this);
    row->addWidget(txtScan);
    row->addSpacing(12);
    cmdEquipment = button(QStringLiteral("Equipment..."), "cmdEquipment", box);
    cmdInstall = button(QStringLiteral("Install..."), "cmdInstall", box);
    cmdPayment = button(QStringLiteral("Payment..."), "cmdPayment", box);
    BindButtonKey(cmdEquipment, Qt::Key_F6);
    cmdEquipment->setToolTip(QStringLiteral("Search the equipment in stock (F6)"));
    BindButtonKey(cmdInstall, Qt::Key_F7);
    cmdInstall->setToolTip(QStringLiteral("Search the install labor (F7)"));
    BindButtonKey(cmdPayment, Qt::Key_F8);
    cmdPayment->setToolTip(QStringLiteral("Record a payment (F8)"));
    row->addWidget(cmdEquipment);
    row->addWidget(cmdInstall);
    row->addWidget(cmdPayment);
    row->addSpacing(12);
    // A code no product has is said here, not in a box: the clerk goes on
    // scanning while reading it.
    lblScanNotice = named(new QLabel(box), "lblScanNotice");
    lblScanNotice->setTextFormat(Qt::PlainText);
    QPalette notice = lblScanNotice->palette();
    notice.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lblScanNotice->setPalette(notice);
    QFont bold = lblScanNotice->font();
    bold.setBold(true);
    lblScanNotice->setFont(bold);
    lblScanNotice->setMinimumWidth(0);
    lblScanNotice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(lblScanNotice, 1);
    return box;
}

QWidget *TicketArea::buildBottomRow()
{
    auto *box = new QWidget(picTicket);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    vbalPayment = named(new vbalGrid(box), "vbalPayment");
    TicketGrids::BuildPayments(vbalPayment);
    // As wide as its columns, with room for its frame and a vertical scroll
    // bar (the style's measures are known only once it is shown).
    int width = 40;
    for (int c = 1; c <= vbalPayment->ColumnCount(); ++c)
        width += vbalPayment->ColumnWidth(c);
    vbalPayment->setFixedWidth(width);
    m_totals = new TicketTotals(box);
    vbalPayment->setFixedHeight(m_totals->sizeHint().height());
    row->addWidget(vbalPayment, 0, Qt::AlignTop);
    row->addStretch(1);
    row->addWidget(m_totals, 0, Qt::AlignTop);
    return box;
}

// The pop-up panels stand in front of everything of the area, the two
// outside buttons included; they are only opened from the part that locks.
void TicketArea::buildPanels()
{
    picEquipment = new LookupPanel(QStringLiteral("picEquipment"),
                                   QStringLiteral("Equipment found: (double click to add item)"),
                                   QStringLiteral("vbalGrid1"), this);
    TicketGrids::BuildEquipmentLookup(picEquipment->grid());
    picEquipment->setSearch([](vbalGrid *grid, const QString &words) {
        if (const auto found = TicketLines::SearchEquipment(words))
            TicketGrids::FillEquipmentLookup(grid, *found);
    });
    picLabor = new LookupPanel(QStringLiteral("picLabor"),
                               QStringLiteral("Install cost found: (double click to add item)"),
                               QStringLiteral("vbalGrid4"), this);
    TicketGrids::BuildLaborLookup(picLabor->grid());
    picLabor->setStartColumn(3); // Enter takes the OURS price, Right then Enter the COG one
    picLabor->setSearch([](vbalGrid *grid, const QString &words) {
        if (const auto found = TicketLines::SearchLabor(words))
            TicketGrids::FillLaborLookup(grid, *found);
    });
    picPayment = new PaymentPanel(this);
}

void TicketArea::connectControls()
{
    m_retry = new QTimer(this);
    m_retry->setInterval(2000);
    connect(m_retry, &QTimer::timeout, this, &TicketArea::retryUnsaved);
    connect(txtYear, &QLineEdit::textEdited, this,
            [this](const QString &t) { saveField(TicketStore::TicketField::Year, t); });
    connect(txtMake, &QLineEdit::textEdited, this,
            [this](const QString &t) { saveField(TicketStore::TicketField::Make, t); });
    connect(txtModel, &QLineEdit::textEdited, this,
            [this](const QString &t) { saveField(TicketStore::TicketField::Model, t); });
    for (QLineEdit *box : {txtYear, txtMake, txtModel})
        connect(box, &QLineEdit::editingFinished, this, &TicketArea::vehicleBoxLeft);
    connect(txtNote, &QPlainTextEdit::textChanged, this,
            [this] { saveField(TicketStore::TicketField::Note, txtNote->toPlainText()); });
    connect(m_totals, &TicketTotals::ExemptClicked, this, &TicketArea::onExemptClicked);
    connect(cmdFinalize, &QPushButton::clicked, this, &TicketArea::onFinalizeClicked);
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        if (m_salesid != 0 && CommitOpenEdit())
            emit PrintTicketRequested(m_salesid);
    });
    connect(txtScan, &QLineEdit::returnPressed, this, &TicketArea::onScan);
    connect(cmdEquipment, &QPushButton::clicked, this, &TicketArea::openEquipmentLookup);
    connect(cmdInstall, &QPushButton::clicked, this, &TicketArea::openLaborLookup);
    connect(cmdPayment, &QPushButton::clicked, this, &TicketArea::openPaymentEntry);
    connect(picEquipment, &LookupPanel::Picked, this, &TicketArea::onEquipmentPicked);
    connect(picLabor, &LookupPanel::Picked, this, &TicketArea::onLaborPicked);
    connect(picPayment, &PaymentPanel::PaymentEntered, this, &TicketArea::onPaymentEntered);
    // Hiding a panel would pass the keyboard on to whatever comes next (the
    // finalize button); it goes to the scan box, where the next item starts,
    // and the pane scrolls back to the header, Finalize and that box.
    const auto backToScan = [this] {
        if (txtScan->isEnabled())
            txtScan->setFocus(Qt::OtherFocusReason);
        const int scanBottom = txtScan->mapTo(this, QPoint(0, txtScan->height())).y();
        emit PartWanted(QRect(0, 0, width(), std::max(scanBottom, cmdPrint->geometry().bottom() + 1)));
    };
    connect(picEquipment, &LookupPanel::Closed, this, backToScan);
    connect(picLabor, &LookupPanel::Closed, this, backToScan);
    connect(picPayment, &PaymentPanel::Closed, this, backToScan);
    connectLineGrid(vbalGrid2);
    connectLineGrid(vbalGrid3);
    connect(vbalPayment, &vbalGrid::MouseUp, this,
            [this](int button, int, int x, int y) { onGridMouseUp(vbalPayment, button, x, y); });
}

void TicketArea::connectLineGrid(vbalGrid *grid)
{
    connect(grid, &vbalGrid::RequestEdit, this,
            [this, grid](int row, int col, int key, bool *cancel) { onRequestEdit(grid, row, col, key, cancel); });
    connect(grid, &vbalGrid::CommitEdit, this,
            [this, grid](int row, int col, const QString &, bool *) { onCommitEdit(grid, row, col); });
    connect(grid, &vbalGrid::EditCancelled, txtEdit, &QWidget::hide);
    connect(grid, &vbalGrid::MouseUp, this,
            [this, grid](int button, int, int x, int y) { onGridMouseUp(grid, button, x, y); });
}
