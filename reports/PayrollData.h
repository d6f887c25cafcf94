#pragma once

#include "data/Money.h"
#include "timeclock/PayPeriods.h"
#include "timeclock/WorkedTime.h"

#include <QList>
#include <QString>
#include <optional>

// What one employee's payroll report prints from the database: the
// employee's line and pay rate, and the time rows of the pay periods.
struct PayrollData
{
    int employeeId = 0;
    QString name; // "Lastname,Firstname"
    Money rate;   // the hourly rate; NULL as 0

    // "Employee: Lastname,Firstname"
    QString employeeLine() const { return QStringLiteral("Employee: ") + name; }

    // The employee's row. nullopt when it cannot be read, with the reason
    // ("there is no employee number 777" when there is none) in *reason;
    // nothing has been shown then.
    static std::optional<PayrollData> read(int employeeId, QString *reason);

    // The employee's time rows clocked in from the first period's start up
    // to the last one's end. Throws ReportFailure when they cannot be read;
    // a view without a needed column is said first in a message of its own.
    QList<TimeRow> timeRows(const QList<PayPeriod> &periods) const;
};
