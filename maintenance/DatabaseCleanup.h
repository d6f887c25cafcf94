#pragma once

#include <QList>
#include <optional>

// "Remove Blank Records": customers that no ticket refers to. Counting and
// deleting use NOT EXISTS, so a ticket without a customer id never stops the
// clean-up (NOT IN with a NULL in its list would delete nobody).
//
// Another counter may enter a customer, or open a ticket for one, while the
// question is on screen: the clean-up deletes only the customers it
// counted, only while they still have no ticket, and never one entered in
// the last 24 hours (a customer without the moment of entry, from before it
// was kept, counts as old).
namespace DatabaseCleanup {

// The ids of the customers without a ticket that may be removed now;
// nullopt when the query failed.
std::optional<QList<int>> CustomersWithoutTickets();

// Deletes those of the counted customers that still have no ticket, in one
// transaction. Returns how many were deleted; nullopt when it failed
// (nothing deleted).
std::optional<int> RemoveCustomers(const QList<int> &counted);

} // namespace DatabaseCleanup
