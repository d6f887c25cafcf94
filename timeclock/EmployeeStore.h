#pragma once

#include "data/Money.h"
#include "data/Recordset.h"

#include <QList>
#include <QString>
#include <optional>

// An employee's record as the employee window edits it.
struct EmployeeRecord
{
    int id = 0;
    QString firstName, lastName, title, pin; // trimmed; NULL as ""
    bool active = true;
    std::optional<Money> payNormal; // the hourly rate; none while NULL

    // "Lee,Ann", as the payroll reports name an employee.
    QString lastCommaFirst() const { return lastName + QLatin1Char(',') + firstName; }
};

// The one reader and writer of the employee rows: the time clock, the
// employee window, the payroll reports and the demo pictures read them here.
// Only the administrator gate (gate/AdminGate), which the time clock itself
// depends on, checks administrators' PINs with a query of its own.
namespace EmployeeStore {

// ByName: last name, then first name, case-blind (a missing name sorts as
// empty), as the clock and the employee window list them. ByLastName: the
// last name as the engine compares it, then id, as the all-employee hours
// report has always listed them.
enum class Order { ByName, ByLastName };

// Every employee, active or not. Records: the same as records.
std::optional<Recordset> List(Order order = Order::ByName);
std::optional<QList<EmployeeRecord>> Records(Order order = Order::ByName);
// The employee's record; nullopt when there is no such employee or the query
// failed (then, and only then, Database::LastError() is not empty).
std::optional<EmployeeRecord> Load(int employeeId);

// The employees the clock lists (the active ones), ordered as List().
// withOpenRows adds every employee, active or not, who has a row without a
// clock-out, so the administrator can always close it.
std::optional<Recordset> Listed(bool withOpenRows = false);

// Writes the fields of the record to its own row (trimmed, bound), in one
// transaction. False when it failed or the row is gone.
bool Save(const EmployeeRecord &record);

// A new employee with first name "first name", last name "last name" and the
// PIN "9527"; returns its id, or 0 after a failure.
int AddNew();

} // namespace EmployeeStore
