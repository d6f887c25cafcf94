#pragma once

#include "reports/ReportRun.h"
#include "reports/SalesSummaryData.h"

#include <QDate>
#include <QString>

// The daily, weekly and monthly sales summaries: one line per ticket closed
// in the period, in closing order, with its product, labor, shop fee, tax
// and total and how it was paid, then the column totals. A period without
// closed tickets shows "No sales found for " and the start date, and nothing
// else. Failures are shown as "Report- Sales Summary: " and the reason.
//
// The text form takes the start date as "mm/dd/yyyy" (whatever the locale)
// and the period as "Daily", "Weekly" or "Monthly":
//
//     PrintSalesSummary(QStringLiteral("03/01/2026"), QStringLiteral("Monthly"));   // printer setup, preview
//     PrintSalesSummary(QDate(2026, 3, 1), SummaryPeriod::Weekly, ReportOutput::pdf(path)); // a PDF, no window
ReportResult PrintSalesSummary(const QString &startText, const QString &periodType,
                               const ReportOutput &output = ReportOutput::interactive());
ReportResult PrintSalesSummary(const QDate &start, SummaryPeriod period,
                               const ReportOutput &output = ReportOutput::interactive());
