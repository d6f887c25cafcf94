// Lines and payments of the ticket shown: the scan box, the two lookups, the
// payment entry, in-place edits and the "Remove" cells.
#include "data/Twips.h"
#include "data/UserPrompts.h"
#include "sales/LookupPanel.h"
#include "sales/PaymentPanel.h"
#include "sales/SalesLayout.h"
#include "sales/TicketArea.h"
#include "sales/TicketTexts.h"
#include "sales/TicketTotals.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QLineEdit>

using TicketLines::Result;

namespace {

QRect twipsRect(int left, int top, int width, int height)
{
    using Twips::ToPixels;
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

// The part of the area its pane shows (the area scrolls inside the pane).
// Worked out from the geometry: the visible region the toolkit reports came
// back empty on X without a window manager, and the panels were cut off.
QRect shownPart(const QWidget *area)
{
    const QWidget *pane = area->parentWidget();
    if (!pane)
        return area->rect();
    return area->rect().intersected(QRect(area->mapFrom(pane, QPoint(0, 0)), pane->size()));
}

// A panel keeps its place and size where it can, but stays inside the part
// of the area the pane shows, so none of it is cut off.
QRect fitted(QRect panel, const QWidget *area)
{
    panel.setWidth(std::max(200, std::min(panel.width(), area->width() - panel.left() - 4)));
    const QRect shown = shownPart(area).adjusted(4, 4, -4, -4);
    if (shown.height() < 120)
        return panel;
    panel.setHeight(std::min(panel.height(), shown.height()));
    if (panel.bottom() > shown.bottom())
        panel.moveBottom(shown.bottom());
    if (panel.top() < shown.top())
        panel.moveTop(shown.top());
    return panel;
}

} // namespace

bool TicketArea::lineChanged(Result result)
{
    switch (result) {
    case Result::Done:
        return true;
    case Result::TicketNotOpen:
        if (TicketStore::LoadHeader(m_salesid)) {
            Prompts().message(TicketTexts::NotOpenMessage(m_salesid));
            emit TicketStatusChanged(m_salesid);
        } // else removed at another counter: the ticket's next showing says so
        return false;
    case Result::NotFound:
    case Result::BadInput:
    case Result::Failed: // the data layer has said why
        return false;
    }
    return false;
}

// A product none of which is left to sell (another counter's open tickets
// may hold the last one) is asked about before it goes on the ticket.
bool TicketArea::addEvenIfNoneAvailable(const QString &value, TicketLines::Source source)
{
    const std::optional<TicketLines::Availability> product = TicketLines::AvailabilityOf(value, source);
    if (!product)
        return false; // the data layer has said why
    if (!product->found || !(product->available.isZero() || product->available.isNegative()))
        return true;
    return Prompts().askYesNo(
        TicketTexts::NoneAvailableQuestion(product->name, QString::number(product->available.roundedWhole())));
}

void TicketArea::onScan()
{
    const QString code = txtScan->text().trimmed();
    txtScan->clear();
    lblScanNotice->clear();
    if (m_salesid == 0)
        return;
    // The beep follows every scan; a code no product has adds nothing and is
    // said beside the box, so the clerk hears and sees that it was missed.
    if (!code.isEmpty() && !addEvenIfNoneAvailable(code, TicketLines::Source::Barcode)) {
        txtScan->setFocus(Qt::OtherFocusReason);
        return;
    }
    const Result result = code.isEmpty() ? Result::NotFound
                                         : TicketLines::AddTicketLine(m_salesid, code, TicketLines::Source::Barcode);
    QApplication::beep();
    if (result == Result::NotFound && !code.isEmpty())
        lblScanNotice->setText(TicketTexts::UnknownBarcodeNotice(code));
    m_newestLineWanted = lineChanged(result);
    ShowTicket(m_salesid);
    txtScan->setFocus(Qt::OtherFocusReason);
}

// Each panel has its place in the area; the pane first scrolls that place
// into view (the payment entry with the totals beside it, so the amount due
// is read while it is typed), then the panel opens there.
void TicketArea::openEquipmentLookup()
{
    if (!CommitOpenEdit())
        return;
    hidePanels();
    const QRect place = twipsRect(300, 1500, 14370, 7755);
    emit PartWanted(place);
    picEquipment->open(fitted(place, this));
}

void TicketArea::openLaborLookup()
{
    if (!CommitOpenEdit())
        return;
    hidePanels();
    const QRect place = twipsRect(300, 3360, 12000, 4250);
    emit PartWanted(place);
    picLabor->open(fitted(place, this));
}

void TicketArea::openPaymentEntry()
{
    if (!CommitOpenEdit())
        return;
    hidePanels();
    const int inset = Twips::ToPixels(100);
    const QRect grid(vbalPayment->mapTo(this, QPoint(0, 0)), vbalPayment->size());
    const QRect place = grid.translated(inset, inset);
    const QRect totals(m_totals->mapTo(this, QPoint(0, 0)), m_totals->size());
    emit PartWanted(place.united(totals));
    picPayment->open(fitted(place, this));
}

void TicketArea::onEquipmentPicked(int row, int)
{
    const qint64 productId = picEquipment->grid()->CellItemData(row, 1);
    if (productId <= 0 || !addEvenIfNoneAvailable(QString::number(productId), TicketLines::Source::ProductId))
        return;
    const Result result = TicketLines::AddTicketLine(m_salesid, QString::number(productId),
                                                     TicketLines::Source::ProductId);
    picEquipment->closeAndClear();
    m_newestLineWanted = lineChanged(result);
    queueShow();
}

void TicketArea::onLaborPicked(int row, int col)
{
    const QString key = picLabor->grid()->ColumnKeyAt(col).toUpper();
    if (key != QLatin1String("OURS") && key != QLatin1String("COG")) {
        Prompts().message(TicketTexts::ChoosePriceMessage());
        return;
    }
    const qint64 laborId = picLabor->grid()->CellItemData(row, 1);
    const auto price = key == QLatin1String("COG") ? TicketLines::PriceColumn::Cog : TicketLines::PriceColumn::Ours;
    const Result result = TicketLines::AddTicketLine(m_salesid, QString::number(laborId), TicketLines::Source::LaborId,
                                                     price);
    picLabor->closeAndClear();
    lineChanged(result);
    queueShow();
}

void TicketArea::onPaymentEntered(const QString &payType, const QString &amount)
{
    if (payType.trimmed().isEmpty()) {
        Prompts().message(TicketTexts::NoPayTypeMessage(), QStringLiteral("Payment"));
        return;
    }
    QString refusal;
    const Result result = TicketLines::AddPayment(m_salesid, payType, amount, &refusal);
    if (result == Result::BadInput) {
        Prompts().message(refusal, QStringLiteral("Payment"));
        picPayment->selectAmount();
        return;
    }
    if (result == Result::Failed)
        return; // the entry stays open, as typed
    if (lineChanged(result))
        picPayment->closeRecorded();
    ShowTicket(m_salesid);
}

// --- In-place edits ---

void TicketArea::onRequestEdit(vbalGrid *grid, int row, int col, int keyAscii, bool *cancel)
{
    const QString key = grid->ColumnKeyAt(col).trimmed().toUpper();
    const QString money = grid == vbalGrid2 ? QStringLiteral("PRICE") : QStringLiteral("CHARGE");
    if (m_loading || (key != QLatin1String("NOTE") && key != QLatin1String("QUANTITY") && key != money)) {
        *cancel = true;
        return;
    }
    txtEdit->setFont(grid->CellFont(row, col));
    const bool typed = keyAscii > 0 && QChar(keyAscii).isPrint();
    txtEdit->setText(typed ? QString(QChar(keyAscii)) : grid->CellValue(row, col).trimmed());
    grid->EditOverCell(txtEdit);
    if (typed)
        txtEdit->setCursorPosition(1);
    else
        txtEdit->selectAll();
}

void TicketArea::onCommitEdit(vbalGrid *grid, int row, int col)
{
    const QString key = grid->ColumnKeyAt(col).trimmed().toUpper();
    const int lineId = int(grid->CellItemData(row, 1));
    const QString typed = txtEdit->text();
    QString refusal;
    Result result = Result::NotFound;
    if (grid == vbalGrid2) {
        using C = TicketLines::EquipmentColumn;
        const C column = key == QLatin1String("QUANTITY") ? C::Quantity
            : key == QLatin1String("PRICE")               ? C::Price
                                                          : C::Note;
        result = TicketLines::EditEquipmentLine(m_salesid, lineId, column, typed, &refusal);
    } else {
        using C = TicketLines::LaborColumn;
        const C column = key == QLatin1String("QUANTITY") ? C::Quantity
            : key == QLatin1String("CHARGE")              ? C::Charge
                                                          : C::Note;
        result = TicketLines::EditLaborLine(m_salesid, lineId, column, typed, &refusal);
    }
    m_editRefused = result != Result::Done;
    if (result == Result::NotFound)
        Prompts().message(TicketTexts::LineGoneMessage());
    else if (result == Result::BadInput)
        Prompts().message(refusal);
    else
        lineChanged(result);
    queueShow();
}

bool TicketArea::CommitOpenEdit()
{
    for (vbalGrid *grid : {vbalGrid2, vbalGrid3}) {
        if (!grid->InEditMode())
            continue;
        m_editRefused = false;
        grid->EndEdit();
        if (m_editRefused)
            return false;
    }
    return true;
}

// --- "Remove" cells ---

void TicketArea::onGridMouseUp(vbalGrid *grid, int button, int x, int y)
{
    const int row = grid->RemoveCellHit(button, x, y);
    if (row == 0 || m_salesid == 0)
        return;
    const QString lineNo = grid->CellValue(row, 1);
    QString question;
    if (grid == vbalGrid2)
        question = TicketTexts::RemoveEquipmentQuestion(lineNo, grid->CellValue(row, 4));
    else if (grid == vbalGrid3)
        question = TicketTexts::RemoveLaborQuestion(lineNo, grid->CellValue(row, 2));
    else
        question = TicketTexts::RemovePaymentQuestion(lineNo, grid->CellValue(row, 2), grid->CellValue(row, 3));
    if (!Prompts().askYesNo(question))
        return;
    const int id = int(grid->CellItemData(row, 1));
    const Result result = grid == vbalGrid2 ? TicketLines::RemoveEquipmentLine(m_salesid, id)
        : grid == vbalGrid3                 ? TicketLines::RemoveLaborLine(m_salesid, id)
                                            : TicketLines::RemovePayment(m_salesid, id);
    if (result == Result::NotFound)
        Prompts().message(TicketTexts::LineGoneMessage());
    else
        lineChanged(result);
    queueShow();
}
