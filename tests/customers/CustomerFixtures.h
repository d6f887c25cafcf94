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

// Makes the server refuse every update and delete of a customer row (and
// allows them again), to see what a failed save or delete leaves behind.
void RefuseChanges(Engine engine);
void AllowChanges(Engine engine);

} // namespace CustomerFixtures
