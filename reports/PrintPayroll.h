#pragma once

#include "reports/ReportRun.h"

// The payroll reports, landscape, titled "Payroll and Withholdings for "
// and the year. Hours are the minutes worked per pay period
// (timeclock/WorkedTime.h) divided by 60.

// One employee's year: a row per week (53, from WeekThursday(year, 1)) or
// per half month (24, with a total after each quarter), with the hours, the
// pay rate and the gross pay; the withholding and deposit columns are left
// empty to be filled in by hand. Does nothing for employee 0. Failures are
// shown as "PrintPayroll: " and the reason.
//
//     PrintPayroll(id, 2026, true, false);                        // printer setup first
//     PrintPayroll(id, 2026, false, ReportOutput::pdf(path));     // a PDF file, no window
ReportResult PrintPayroll(int employeeId, int year, bool semiMonthly, const ReportOutput &output);
// skipPrinterSetup: straight to the preview.
ReportResult PrintPayroll(int employeeId, int year, bool semiMonthly, bool skipPrinterSetup);

// Every employee's hours in seven weeks from WeekThursday(year, firstWeek),
// one row per employee by last name. Failures are shown as
// "PrintAllEmployeeHours: " and the reason.
ReportResult PrintAllEmployeeHours(int year, int firstWeek, const ReportOutput &output);
ReportResult PrintAllEmployeeHours(int year, int firstWeek, bool skipPrinterSetup);
