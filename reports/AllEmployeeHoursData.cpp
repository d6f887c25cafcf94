#include "reports/AllEmployeeHoursData.h"

#include "data/Database.h"
#include "reports/ReportRun.h"

AllEmployeeHoursData AllEmployeeHoursData::read(const QDateTime &from, const QDateTime &to)
{
    const auto employees = EmployeeStore::Records(EmployeeStore::Order::ByLastName);
    if (!employees)
        throw ReportFailure(Database::LastReason());
    const auto rows = ReadTimeRows(std::nullopt, from, to);
    if (!rows)
        throw ReportFailure(Database::LastReason());
    return {*employees, *rows};
}
