#pragma once

#include <QString>
#include <optional>

// A ticket number as the user types it in "Search Ticket".
namespace TicketNumber {

// The ticket id of the typed text: blanks around it allowed, otherwise only
// the digits 0-9 (leading zeros are fine), written as the invoice prints the
// number or without its marks: "9", "0009", "A0009" and "#A0009" are ticket 9
// (the letter in either case). nullopt for anything else, for 0, and for
// numbers too large to be a ticket id. Reads no database.
std::optional<int> Parse(const QString &typed);

} // namespace TicketNumber
