#pragma once

#include <optional>

// "Remove Blank Records": customers that no ticket refers to. Counting and
// deleting use NOT EXISTS, so a ticket without a customer id never stops the
// clean-up (NOT IN with a NULL in its list would delete nobody).
namespace DatabaseCleanup {

// How many customers have no ticket; nullopt when the query failed.
std::optional<int> CountCustomersWithoutTickets();

// Deletes them, counting and deleting in one transaction. Returns how many
// were deleted; nullopt when it failed (nothing deleted).
std::optional<int> RemoveCustomersWithoutTickets();

} // namespace DatabaseCleanup
