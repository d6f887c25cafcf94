#pragma once

#include "data/Dialect.h"

#include <QString>

// Customers and tickets for the customer tests, written straight to the
// database.
namespace CustomerFixtures {

// A customer at "1 Main St", zip 78701; returns its id.
int AddCustomer(const QString &first, const QString &last, const QString &phone1 = QString(), int preferPhone = 0);
int AddTicket(int customerId, const QString &status);
int CustomerCount();

// Makes the server refuse every update of a customer row (and allows them
// again), to see what a failed save leaves behind.
void RefuseUpdates(Engine engine);
void AllowUpdates(Engine engine);

} // namespace CustomerFixtures
