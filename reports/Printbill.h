#pragma once

#include "reports/ReportRun.h"

#include <QStringList>

class clsMultiPgPreview;
class ReportPager;

// The customer invoice of one ticket: letterhead, customer and vehicle,
// equipment and install lines with their notes, the totals, the payments
// with the card surcharge figures, the balance and the receipt notice. Every
// figure is computed from the ticket's rows the way the sales window
// computes it. Does nothing for ticket 0 or a ticket without a customer.
// Failures are shown as "Printbill: " and the reason.
//
//     Printbill(m_salesid);                                        // printer setup, preview or printer
//     Printbill(id, ReportOutput::pdf(QStringLiteral("a7.pdf")));  // a PDF file, no window
ReportResult Printbill(int ticketId, const ReportOutput &output = ReportOutput::interactive());

// The invoice's texts that state the money rules, written from TicketRules:
// "Tax (8.25%):" and the two card surcharge remarks under the payments.
QString InvoiceTaxLabel();
QStringList InvoiceSurchargeRemarks();

// The receipt notice of the program folder, line by line at the left margin
// in the current font, into the document being drawn (after making room for
// each line when a pager is given). A missing or empty file prints nothing;
// one that is there but can't be read throws ReportFailure.
void PrintReceiptNotice(clsMultiPgPreview &rec, ReportPager *pager = nullptr);
