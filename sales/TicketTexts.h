#pragma once

#include "data/Money.h"
#include "sales/TicketStore.h"

#include <QString>
#include <QStringList>

// The words of the ticket windows: the header line, the questions asked
// before a change and the messages after a refused one.
namespace TicketTexts {

// "Ticket No: 0007              Sales Date: 3/4/2026 10:15:00 AM"; the
// blank header when no ticket is shown.
QString HeaderText(const TicketHeader *header);

QString CloseQuestion(int salesId);
// Asked after CloseQuestion when the ticket is not settled or has nothing on
// it: "Balance due 310.10. Close anyway?", the balance as the Change Due box
// shows it, after "No lines on this ticket. " when it has none.
QString UnsettledCloseQuestion(const Money &balance, bool noLines);
QString RemoveTicketQuestion(const QString &numberText, const QString &dateText);
QString RemoveEquipmentQuestion(const QString &lineNo, const QString &modelNumber);
QString RemoveLaborQuestion(const QString &lineNo, const QString &description);
QString RemovePaymentQuestion(const QString &lineNo, const QString &description, const QString &amount);

// The ticket changed under this window (another counter finalized,
// re-opened or removed it); nothing was written.
QString NotOpenMessage(int salesId);
QString NotClosedMessage(int salesId);
// The ticket shown is no longer in the database.
QString RemovedElsewhereMessage(int salesId);
// Said before the close question is asked again: the lines or payments
// changed at another counter since the ticket was shown.
QString ChangedBeforeCloseMessage(int salesId);
// Asked before a ticket closes whose lines ("line 2 (HU-9, Head unit)")
// have part numbers no product has: no stock is taken for them.
QString UnmatchedLinesQuestion(const QStringList &lines);
// Asked before a product none of which is available goes on a ticket.
QString NoneAvailableQuestion(const QString &product, const QString &available);
// A vehicle or note box ("year", "make", "model", "note") whose text was
// changed at another counter since this one read it: nothing was written.
QString ChangedElsewhereMessage(int salesId, const QString &boxName);
QString NotRemovedMessage(const QString &numberText);
// A status that is neither open nor closed.
QString CantReopenMessage(int salesId, const QString &status);
// The edited or removed line is no longer on the ticket.
QString LineGoneMessage();
// A payment amount that is not a number.
QString BadAmountMessage(const QString &typed);
// A payment of 0, which would record nothing.
QString ZeroPaymentMessage();
// A quantity or price whose line would come to more than can be totalled.
QString LineTooLargeMessage(const QString &typed);
// A payment without a pay type.
QString NoPayTypeMessage();
// A double-click in the labor lookup outside the two price columns.
QString ChoosePriceMessage();
// The notice beside the scan box after a code no product has: "No product
// has bar code 999" (a very long code is cut short).
QString UnknownBarcodeNotice(const QString &code);

QString NewTicketFailedMessage();
QString CustomerGoneMessage();

} // namespace TicketTexts
