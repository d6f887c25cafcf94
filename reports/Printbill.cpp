#include "reports/Printbill.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Recordset.h"
#include "data/TicketRules.h"
#include "data/UserPrompts.h"
#include "print/clsMultiPgPreview.h"
#include "reports/InvoiceData.h"
#include "reports/ReportLetterhead.h"
#include "reports/ReportPager.h"

namespace {

const QString kBillLabel = QStringLiteral("Printbill: ");

// Column positions, inches from the right edge of the printable area.
constexpr double kQtyFromRight = 3.0;
constexpr double kPriceFromRight = 2.0;
constexpr double kTotalFromRight = 1.0;
constexpr double kTextLeft = 0.5;
constexpr double kHeadingLeft = 0.55;
constexpr double kNoteLeft = 1.0;
constexpr double kTotalsLeft = 4.0;
constexpr double kRuleRight = 7.5;
constexpr double kSurchargeLeft = 7.3;
constexpr double kFirstBandTop = 2.45;
constexpr double kRuleGap = 0.03; // pLine's gap above and below its rule

// Payments print as credits: 25 as "-25.00", a coupon of -5 as "5.00".
QString credit(const Money &amount)
{
    return (-amount).format0();
}

void blank(clsMultiPgPreview &rec)
{
    rec.pPrint(QString(), -1, false);
}

void printColumnHeadings(clsMultiPgPreview &rec, double bandTop)
{
    PrintBand(rec, QRectF(0.5, bandTop, 7.0, 0.25));
    rec.setCurrentY(bandTop + 0.05);
    rec.setFontBold(true);
    rec.pPrint(QStringLiteral("Description "), kHeadingLeft, true);
    rec.pRightTab(QStringLiteral("Qty"), kQtyFromRight, true);
    rec.pRightTab(QStringLiteral("Price"), kPriceFromRight, true);
    rec.pRightTab(QStringLiteral("Total"), kTotalFromRight, false);
    rec.setFontBold(false);
}

// The top of every page after the first: the invoice's title and page
// number, then the column band again.
void printContinuation(clsMultiPgPreview &rec, const QString &title, int page)
{
    PrintContinuationTitle(rec, title, page, kTextLeft, kTotalFromRight);
    printColumnHeadings(rec, 0.6);
    blank(rec);
}

void printCustomer(clsMultiPgPreview &rec, const InvoiceCustomer &c)
{
    rec.setFontBold(true);
    rec.setFontItalic(false);
    rec.pPrint(c.name, kTextLeft, false);
    rec.pPrint(c.address, kTextLeft, false);
    rec.pPrint(c.cityLine, kTextLeft, false);
    if (c.phone)
        rec.pPrint(*c.phone, kTextLeft, false);
    blank(rec);
    rec.pPrint(QStringLiteral("Vehicle:   "), kTextLeft, true);
    rec.setFontBold(false);
    rec.pPrint(c.vehicle, -1, true);
    rec.pRightTab(DateText::generalDate(Clock::now()), kTotalFromRight, false);
    blank(rec);
}

void printSectionHeading(clsMultiPgPreview &rec, ReportPager &pager, const QString &heading)
{
    // The heading stays with the first row under it.
    pager.ensureRoom(pager.lines(4));
    blank(rec);
    rec.setFontBold(true);
    rec.setFontItalic(true);
    rec.pPrint(heading, kHeadingLeft, false);
    blank(rec);
    rec.setFontBold(false);
    rec.setFontItalic(false);
}

// The line's text in pieces that each fit the room left of the quantity,
// broken after a blank where there is one and inside a word (a long model
// number) where there is not. Nothing of the text is left out: the
// customer paid for all of it.
QStringList fittedLines(const clsMultiPgPreview &rec, QString text, const QString &quantity)
{
    const double room = rec.GetPaperWidth() - kQtyFromRight - rec.GetTextWidth(quantity) - 0.15 - kTextLeft;
    QStringList pieces;
    while (rec.GetTextWidth(text) > room) {
        qsizetype fits = 1; // at least one character a line, however narrow the room
        while (fits < text.size() && rec.GetTextWidth(text.left(fits + 1)) <= room)
            ++fits;
        const qsizetype blank = text.left(fits + 1).lastIndexOf(QLatin1Char(' '));
        const qsizetype cut = blank > 0 ? blank : fits;
        pieces << text.left(cut).trimmed();
        text = text.mid(cut).trimmed();
    }
    pieces << text;
    return pieces;
}

void printLine(clsMultiPgPreview &rec, ReportPager &pager, const InvoiceLine &line)
{
    const double right = rec.GetPaperWidth() - 0.5;
    const double noteHeight = line.note.isEmpty() ? 0 : pager.wrappedHeight(line.note, kNoteLeft, right);
    const QStringList pieces = fittedLines(rec, line.text, line.quantity);
    pager.ensureRoom(pager.lines(double(pieces.size())) + noteHeight);
    rec.pPrint(pieces.first(), kTextLeft, true);
    rec.pRightTab(line.quantity, kQtyFromRight, true);
    rec.pRightTab(line.unit.format0(), kPriceFromRight, true);
    rec.pRightTab(line.extended.format0(), kTotalFromRight, false);
    for (qsizetype i = 1; i < pieces.size(); ++i)
        rec.pPrint(pieces.at(i), kTextLeft, false);
    if (line.note.isEmpty())
        return;
    rec.setFontItalic(true);
    pager.printWrapped(line.note, kNoteLeft, right);
    rec.setFontItalic(false);
}

void printFigure(clsMultiPgPreview &rec, const QString &label, const QString &value)
{
    rec.setFontBold(true);
    rec.pPrint(label, kTotalsLeft, true);
    rec.setFontBold(false);
    rec.pRightTab(value, kTotalFromRight, false);
}

void printTotals(clsMultiPgPreview &rec, ReportPager &pager, const TicketFigures &f)
{
    pager.ensureRoom(pager.lines(8) + 2 * kRuleGap);
    blank(rec);
    blank(rec);
    rec.pLine(kTotalsLeft, kRuleRight, 1, true);
    printFigure(rec, QStringLiteral("Parts:"), f.parts.format0());
    printFigure(rec, QStringLiteral("Labor:"), f.labor.format0());
    printFigure(rec, QStringLiteral("Shop Fee:"), f.shopFee.format0());
    printFigure(rec, QStringLiteral("Sub-Total:"), f.base.format0());
    printFigure(rec, InvoiceTaxLabel(), f.tax.format0());
    printFigure(rec, QStringLiteral("Total:"), f.total.format0());
}

void printPayment(clsMultiPgPreview &rec, ReportPager &pager, const InvoicePayment &payment)
{
    pager.ensureRoom(pager.lines(1));
    rec.pPrint(payment.description, kHeadingLeft, true);
    if (!payment.withSurcharge) {
        rec.pRightTab(credit(payment.amount), kTotalFromRight, false);
        return;
    }
    rec.pRightTab(credit(payment.amount), kTotalFromRight, true);
    rec.setFontItalic(true);
    const QString figure = QLatin1Char('(') + credit(*payment.withSurcharge) + QLatin1Char(')');
    // A large figure moves left rather than run off the page.
    const double left = std::min(kSurchargeLeft, rec.GetPaperWidth() - rec.GetTextWidth(figure) - 0.02);
    rec.pPrint(figure, left, false);
    rec.setFontItalic(false);
}

void printPayments(clsMultiPgPreview &rec, ReportPager &pager, const InvoiceBody &body)
{
    printSectionHeading(rec, pager, QStringLiteral("Payments / Credits"));
    for (const InvoicePayment &payment : body.payments)
        printPayment(rec, pager, payment);

    pager.ensureRoom(pager.lines(3));
    blank(rec);
    rec.setFontItalic(true);
    for (const QString &remark : InvoiceSurchargeRemarks())
        rec.pPrint(remark, kHeadingLeft, false);
    rec.setFontItalic(false);

    pager.ensureRoom(pager.lines(1) + 2 * kRuleGap);
    rec.pLine(kTotalsLeft, kRuleRight, 1, true);
    printFigure(rec, QStringLiteral("Total Payments:"), credit(body.figures.payments));

    pager.ensureRoom(pager.lines(3) + 4 * kRuleGap);
    blank(rec);
    blank(rec);
    rec.pDoubleLine(kTotalsLeft, kRuleRight, 1, true);
    printFigure(rec, QStringLiteral("Balance:"), body.figures.changeDue.format0());
}

void drawInvoice(clsMultiPgPreview &rec, int ticketId, const InvoiceCustomer &customer)
{
    const InvoiceBody body = ReadInvoiceBody(ticketId, customer.taxExempt);
    const QString title = InvoiceTitle(ticketId);
    Letterhead head;
    head.title = title;
    PrintLetterhead(rec, head);
    printCustomer(rec, customer);
    // The band stands at its place below the customer block, lower only when
    // the block is taller than usual.
    printColumnHeadings(rec, std::max(kFirstBandTop, rec.CurrentY()));

    ReportPager pager(rec, [&rec, title](int page) { printContinuation(rec, title, page); });
    printSectionHeading(rec, pager, QStringLiteral("Equipment"));
    for (const InvoiceLine &line : body.equipment)
        printLine(rec, pager, line);
    printSectionHeading(rec, pager, QStringLiteral("Installs:"));
    for (const InvoiceLine &line : body.installs)
        printLine(rec, pager, line);
    printTotals(rec, pager, body.figures);
    printPayments(rec, pager, body);
    // A line of room between the balance and the shop's notice.
    blank(rec);
    PrintReceiptNotice(rec, &pager);
}

} // namespace

QString InvoiceTaxLabel()
{
    return QStringLiteral("Tax (%1%):").arg(TicketRules::kTaxPercent.text());
}

QStringList InvoiceSurchargeRemarks()
{
    using namespace TicketRules;
    return {QStringLiteral("A %1% surcharge will be applied to Visa and Mastercsard sales under $%2 "
                           "(excluding tax and fees)")
                .arg(kVisaSurchargePercent.text(), SurchargeThreshold().format0()),
            QStringLiteral("A %1% surcharge will be applied to all Discover and American Express sales ")
                .arg(kDiscoverSurchargePercent.text())};
}

ReportResult Printbill(int ticketId, const ReportOutput &output)
{
    if (ticketId == 0)
        return ReportResult::nothing();
    std::optional<Recordset> row;
    {
        Database::HeldErrors held; // told below, under the invoice's label
        row = ReadInvoiceHeaderRow(ticketId);
    }
    if (!row)
        return ReportFailed(kBillLabel, Database::LastReason());
    // A ticket whose customer row is gone has nothing to print.
    if (row->isEmpty())
        return ReportResult::nothing();
    const InvoiceCustomer customer = InvoiceCustomerFromRow(*row);
    ReportJob job;
    job.label = kBillLabel;
    job.orientation = 1;
    job.draw = [ticketId, customer](clsMultiPgPreview &rec) { drawInvoice(rec, ticketId, customer); };
    return RunReport(job, output);
}
