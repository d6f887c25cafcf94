#pragma once

#include "data/Recordset.h"
#include "sales/TicketState.h"

#include <QDateTime>
#include <QString>
#include <optional>

// A ticket's own row, as the sales window shows it.
struct TicketHeader
{
    int id = 0;
    int customerId = 0;
    QDateTime saleDate;
    QDateTime closeDate;
    QString status; // as stored
    bool taxExempt = false;
    QString year, make, model, note; // trimmed; NULL as ""

    TicketState state() const { return TicketStateOf(status); }
};

// What a lifecycle step did.
enum class TicketChange {
    Done,       // the ticket changed, and its stock moved with it
    WrongState, // the ticket was not in the state the step needs (another counter got there first); nothing changed
    Failed,     // a statement failed; nothing changed (the data layer said why)
};

// The ticket rows of the database: creating, finding, finalizing,
// re-opening and removing tickets, and the ticket's own fields. Every step
// that writes more than one row is one transaction, and each checks the
// ticket's state in the statement that changes it.
namespace TicketStore {

// A new open ticket for the customer, dated now. nullopt when the customer
// no longer exists (CustomerGone) or a statement failed.
enum class NewTicketResult { Created, CustomerGone, Failed };
NewTicketResult NewTicket(int customerId, int *newId = nullptr);

// The customer's tickets, oldest first.
std::optional<Recordset> TicketList(int customerId);

// The customer of a ticket typed as text, in *customerId when Found.
// NotFound when the text is not a ticket number or no such ticket exists;
// Failed when the tickets could not be read (the data layer has said why).
enum class TicketSearch { Found, NotFound, Failed };
TicketSearch CustomerOfTicket(const QString &typedNumber, int *customerId);

// The ticket's row; nullopt when there is none (or it could not be read).
std::optional<TicketHeader> LoadHeader(int salesId);
// The header of the first row of a "select * from sales" result.
TicketHeader HeaderFromRow(const Recordset &rs);

// Finalize: status "Close", close date now, and every equipment line's
// quantity taken out of the stock of every product with its part number.
TicketChange CloseTicket(int salesId);
// Re-open: status "Open", close date now (overwritten, not cleared), and the
// stock put back.
TicketChange ReopenTicket(int salesId);
// Remove an open ticket with its lines and payments.
TicketChange DeleteTicket(int salesId);

// The vehicle and note boxes and the tax-exempt box. Only an open ticket is
// written; WrongState otherwise.
enum class TicketField { Year, Make, Model, Note };
TicketChange SaveField(int salesId, TicketField field, const QString &text);
// The same for a counter that last saw `seen` stored in that box (as the
// ticket's header reads it): the text is written only over that. When
// another counter stored something else since, nothing is written,
// ChangedElsewhere is returned and *stored holds what is there now.
enum class FieldSave { Saved, ChangedElsewhere, WrongState, Failed };
FieldSave SaveFieldOver(int salesId, TicketField field, const QString &text, const QString &seen,
                        QString *stored = nullptr);
// A box's text as the ticket's header reads it back once written.
QString StoredFormOf(TicketField field, const QString &typed);
TicketChange SetTaxExempt(int salesId, bool exempt);

// Inside a transaction: takes the ticket's row for this unit of work when it
// is open, so no other counter can finalize it meanwhile. WrongState when it
// is not open or is gone.
TicketChange LockOpenTicket(int salesId);

} // namespace TicketStore
