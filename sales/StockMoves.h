#pragma once

#include <QStringList>
#include <optional>

// Stock follows a ticket only when it is finalized or re-opened: every
// equipment line's quantity leaves (or returns to) the stock of every product
// that carries its part number. A line without a part number belongs to its
// own product alone, the first one with the line's bar code: a blank part
// number is not a part that products share.
namespace StockMoves {

// Inside a transaction: moves the stock of the ticket's lines by sign × the
// quantities they hold now (sign −1 to finalize, +1 to re-open), in one
// statement for all its products however many lines it has. Part numbers
// are matched without regard to case or trailing blanks; a product that
// several lines reach moves once, by their sum. The statement promises no
// order in which the server takes the products' rows; when two counters
// finalizing tickets that share products meet in a deadlock, the server
// breaks it up and the data layer runs that unit of work again.
bool MoveTicketStock(int salesId, int sign);
// The statement MoveTicketStock runs; it binds the sign, then the ticket
// twice.
QString MoveStatement();

// The ticket's lines whose part number no product has, "line 2 (HU-9, Head
// unit)", in line order, read in one query: finalizing takes no stock for
// them. nullopt when
// they could not be read (the data layer has said why).
std::optional<QStringList> UnmatchedLines(int salesId);

} // namespace StockMoves
