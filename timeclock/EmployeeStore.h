#pragma once

#include "data/Money.h"
#include "data/Recordset.h"

#include <QString>
#include <optional>

// An employee's record as the employee window edits it.
struct EmployeeRecord
{
    int id = 0;
    QString firstName, lastName, title, pin; // trimmed; NULL as ""
    bool active = true;
    std::optional<Money> payNormal; // the hourly rate; none while NULL
};

namespace EmployeeStore {

// Every employee, active or not, by last name (a missing name sorts as empty).
std::optional<Recordset> List();
std::optional<EmployeeRecord> Load(int employeeId);

// Writes the fields of the record to its own row (trimmed, bound), in one
// transaction. False when it failed or the row is gone.
bool Save(const EmployeeRecord &record);

// A new employee with first name "first name", last name "last name" and the
// PIN "9527"; returns its id, or 0 after a failure.
int AddNew();

} // namespace EmployeeStore
