// The ticket's own changes: finalize, re-open behind the administrator gate,
// the vehicle and note boxes and the tax-exempt box.
#include "data/AuditLog.h"
#include "data/Database.h"
#include "data/UserPrompts.h"
#include "gate/DefaultCodeReminder.h"
#include "sales/StockMoves.h"
#include "sales/TicketArea.h"
#include "sales/TicketDisplay.h"
#include "sales/TicketTexts.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

void TicketArea::onFinalizeClicked()
{
    if (m_salesid == 0 || !CommitOpenEdit())
        return;
    if (cmdFinalize->text().left(5).toUpper() == QLatin1String("FINAL"))
        finalizeTicket();
    else
        reopenTicket();
}

// Asks the close question about the ticket as it stands in the database:
// when another counter changed its lines or payments since it was shown,
// it is shown afresh and asked about again. Then a ticket left owing (or
// owed) money, or with nothing on it, and lines whose part number no
// product has are asked about once more: a closed ticket is locked.
bool TicketArea::readyToClose(int id)
{
    for (;;) {
        if (!Prompts().askYesNo(TicketTexts::CloseQuestion(id)))
            return false;
        TicketDisplay now;
        const TicketReadResult read = ReadTicketDisplay(id, &now);
        if (read == TicketReadResult::Failed)
            return false; // the data layer has said why; nothing is closed unseen
        if (read == TicketReadResult::NoTicket || !now.isOpen())
            return true; // the close itself says what became of it
        if (!SameLinesAndPayments(now, m_drawn)) {
            Prompts().message(TicketTexts::ChangedBeforeCloseMessage(id));
            ShowTicket(id);
            continue;
        }
        const bool noLines = now.equipment.isEmpty() && now.labor.isEmpty();
        if ((noLines || !now.figures.changeDue.isZero())
            && !Prompts().askYesNo(TicketTexts::UnsettledCloseQuestion(now.figures.changeDue, noLines)))
            return false;
        const std::optional<QStringList> unmatched = StockMoves::UnmatchedLines(id);
        if (!unmatched)
            return false;
        if (!unmatched->isEmpty() && !Prompts().askYesNo(TicketTexts::UnmatchedLinesQuestion(*unmatched)))
            return false;
        // Once more after the questions: another counter may have written
        // while one of them was on screen.
        TicketDisplay last;
        if (ReadTicketDisplay(id, &last) != TicketReadResult::Read || !last.isOpen()
            || SameLinesAndPayments(last, m_drawn))
            return true;
        Prompts().message(TicketTexts::ChangedBeforeCloseMessage(id));
        ShowTicket(id);
    }
}

void TicketArea::finalizeTicket()
{
    const int id = m_salesid;
    if (m_showQueued)
        ShowTicket(id); // this counter's own last change, drawn before it is compared
    if (!readyToClose(id))
        return;
    const TicketChange change = TicketStore::CloseTicket(id);
    if (change == TicketChange::WrongState)
        Prompts().message(TicketTexts::NotOpenMessage(id));
    if (change != TicketChange::Failed)
        emit TicketStatusChanged(id);
    ShowTicket(id);
    wantHeader();
}

void TicketArea::reopenTicket()
{
    const int id = m_salesid;
    // The state as it stands now, not as this window last showed it.
    const std::optional<TicketHeader> header = TicketStore::LoadHeader(id);
    if (!header || header->state() != TicketState::Closed) {
        if (header && header->state() == TicketState::Other)
            Prompts().message(TicketTexts::CantReopenMessage(id, header->status));
        else
            emit TicketStatusChanged(id); // gone, or re-opened elsewhere
        ShowTicket(id);
        return;
    }
    const std::optional<QString> opener = DefaultCodeReminder::PassAndRemind();
    if (!opener)
        return;
    const AuditLog::Acting acting(*opener);
    const TicketChange change = TicketStore::ReopenTicket(id);
    if (change == TicketChange::WrongState)
        Prompts().message(TicketTexts::NotClosedMessage(id));
    if (change != TicketChange::Failed)
        emit TicketStatusChanged(id);
    ShowTicket(id);
    wantHeader();
}

bool TicketArea::changeMade(TicketChange change)
{
    if (change == TicketChange::WrongState && !TicketStore::LoadHeader(m_salesid)) {
        ShowTicket(m_salesid); // removed at another counter: said there
        return false;
    }
    if (change == TicketChange::WrongState) {
        Prompts().message(TicketTexts::NotOpenMessage(m_salesid));
        emit TicketStatusChanged(m_salesid);
        ShowTicket(m_salesid);
    }
    return change == TicketChange::Done;
}

void TicketArea::saveField(TicketStore::TicketField field, const QString &text)
{
    if (m_loading || m_salesid == 0)
        return;
    m_vehicleEdited = m_vehicleEdited || field != TicketStore::TicketField::Note;
    QString &seen = m_seen[int(field)];
    const TicketStore::FieldSave saved = TicketStore::SaveFieldOver(m_salesid, field, text, seen);
    markUnsaved(field, saved == TicketStore::FieldSave::Failed);
    switch (saved) {
    case TicketStore::FieldSave::Saved:
        seen = TicketStore::StoredFormOf(field, text);
        break;
    case TicketStore::FieldSave::ChangedElsewhere: {
        // Said once: the box then shows what is stored, and the next
        // keystroke edits that.
        static const char *const names[] = {"year", "make", "model", "note"};
        Prompts().message(TicketTexts::ChangedElsewhereMessage(m_salesid, QLatin1String(names[int(field)])));
        ShowTicket(m_salesid);
        if (field == TicketStore::TicketField::Note)
            txtNote->moveCursor(QTextCursor::End);
        break;
    }
    case TicketStore::FieldSave::WrongState:
        changeMade(TicketChange::WrongState);
        break;
    case TicketStore::FieldSave::Failed:
        break; // the data layer has said why
    }
}

QWidget *TicketArea::boxOf(TicketStore::TicketField field) const
{
    switch (field) {
    case TicketStore::TicketField::Year:
        return txtYear;
    case TicketStore::TicketField::Make:
        return txtMake;
    case TicketStore::TicketField::Model:
        return txtModel;
    case TicketStore::TicketField::Note:
        return txtNote;
    }
    return nullptr;
}

QString TicketArea::textOf(TicketStore::TicketField field) const
{
    return field == TicketStore::TicketField::Note ? txtNote->toPlainText()
                                                   : static_cast<QLineEdit *>(boxOf(field))->text();
}

void TicketArea::markUnsaved(TicketStore::TicketField field, bool unsaved)
{
    if (m_unsaved[int(field)] == unsaved)
        return;
    m_unsaved[int(field)] = unsaved;
    QWidget *box = boxOf(field);
    box->setProperty("unsaved", unsaved);
    box->setToolTip(unsaved ? QStringLiteral("Not saved yet: the database cannot be reached. It is saved as soon as "
                                             "the database is back.")
                            : QString());
    box->setStyleSheet(unsaved ? QStringLiteral("background-color: #fff2a8;") : QString());
    if (unsaved)
        m_retry->start();
}

void TicketArea::retryUnsaved()
{
    const Database::HeldErrors quiet; // said when it first failed
    bool left = false;
    for (int f = 0; f < 4; ++f) {
        const auto field = TicketStore::TicketField(f);
        if (m_unsaved[f] && m_salesid != 0)
            saveField(field, textOf(field));
        left = left || m_unsaved[f];
    }
    if (!left)
        m_retry->stop();
}

void TicketArea::vehicleBoxLeft()
{
    if (!m_vehicleEdited || m_salesid == 0)
        return;
    m_vehicleEdited = false;
    emit TicketVehicleChanged(m_salesid);
}

void TicketArea::onExemptClicked(bool exempt)
{
    if (m_loading || m_salesid == 0)
        return;
    const TicketChange change = TicketStore::SetTaxExempt(m_salesid, exempt);
    if (change == TicketChange::WrongState) {
        changeMade(change); // said so, and shown afresh
        return;
    }
    // The totals follow; after a failure the box shows again what is stored.
    ShowTicket(m_salesid);
}
