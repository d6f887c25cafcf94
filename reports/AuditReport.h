#pragma once

#include "reports/ReportRun.h"

#include <QDate>
#include <QString>

// The audit log of a range of days, newest first: when, at which counter,
// who opened the gate, what was done to which ticket or employee, and the
// details under each entry. An action or a person given keeps only their
// entries. A range without entries says "No audit entries from … to …" and
// prints nothing. Failures are shown as "Audit Log: " and the reason.
//
//     PrintAuditLog(from, to);                                       // printer setup, preview or printer
//     PrintAuditLog(from, to, {}, {}, ReportOutput::pdf(path));      // a PDF file, no window
ReportResult PrintAuditLog(const QDate &from, const QDate &to, const QString &action = QString(),
                           const QString &who = QString(), const ReportOutput &output = ReportOutput::interactive());
