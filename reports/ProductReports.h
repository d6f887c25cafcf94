#pragma once

#include "reports/ReportRun.h"

#include <QDate>
#include <QString>

// The two product reports.
//
// PrintInventory: the whole stock list of vw_product_available by category
// and model number, landscape, with "Page: n" at the foot of every page.
// Failures are shown as "Print Inventory: " and the reason.
//
//     PrintInventory();                                         // printer setup, preview or printer
//     PrintInventory(ReportOutput::pdf(QStringLiteral("i.pdf"))); // a PDF file, no window
ReportResult PrintInventory(const ReportOutput &output = ReportOutput::interactive());

// PrintProductSales: quantity and amount sold per model number on one day
// (monthly: in the calendar month of the day), from the moment the day
// starts up to, not including, the next day's start. A day without sales
// shows "No sales found for " and the date, and nothing else. The date
// text is "mm/dd/yyyy". Failures are shown as "Print Daily Product: " and
// the reason.
//
//     PrintProductSales(QStringLiteral("03/14/2026"), false);
//     PrintProductSales(day, false, ReportOutput::pdf(path));
ReportResult PrintProductSales(const QString &dateText, bool monthly,
                               const ReportOutput &output = ReportOutput::interactive());
ReportResult PrintProductSales(const QDate &day, bool monthly,
                               const ReportOutput &output = ReportOutput::interactive());
