#pragma once

#include "data/Money.h"

#include <QString>

class clsMultiPgPreview;

// Shared pieces of the landscape payroll reports.
namespace PayrollHeading {

// The ends of their rules, inches.
constexpr double kRuleLeft = 0.55;
constexpr double kRuleRight = 10.05;
// The bottom of the printable area they keep free.
constexpr double kBottomMargin = 0.2;

// "Payroll and Withholdings for 2026" in the letterhead (no shop lines),
// then Arial 10 bold from 1.0 inch down, rules 2 units wide.
void printLetterhead(clsMultiPgPreview &rec, int year);
QString title(int year);

// Worked minutes as hours to the hundredth, as the reports print them
// (12.22 for 733 minutes), so their sheets hold the printed figures and
// their totals add what was printed.
Money PrintedHours(qint64 minutes);

} // namespace PayrollHeading
