#include "reports/PayrollData.h"

#include "data/Database.h"
#include "data/UserPrompts.h"
#include "reports/ReportRun.h"
#include "timeclock/EmployeeStore.h"

#include <QCoreApplication>

std::optional<PayrollData> PayrollData::read(int employeeId, QString *reason)
{
    std::optional<EmployeeRecord> employee;
    {
        Database::HeldErrors held; // told by the caller, under the report's label
        employee = EmployeeStore::Load(employeeId);
    }
    if (!employee) {
        *reason = Database::LastError().isEmpty()
            ? QCoreApplication::translate("PrintPayroll", "there is no employee number %1").arg(employeeId)
            : Database::LastReason();
        return std::nullopt;
    }
    return PayrollData{employeeId, employee->lastCommaFirst(), employee->payNormal.value_or(Money())};
}

QList<TimeRow> PayrollData::timeRows(const QList<PayPeriod> &periods) const
{
    const auto rows = ReadTimeRows(employeeId, periods.first().start, periods.last().end);
    if (!rows) {
        // The view's columns were changed: worth a word of its own. Any
        // other failure (a dropped connection) is only the reason itself.
        if (Database::LastFailureNamedMissingColumn())
            ReportError(QStringLiteral("Table is missing a needed column - probably new column was added/removed"));
        throw ReportFailure(Database::LastReason());
    }
    return *rows;
}
