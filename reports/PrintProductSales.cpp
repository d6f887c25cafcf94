#include "reports/ProductReports.h"

#include "data/Database.h"
#include "data/DateText.h"
#include "data/Money.h"
#include "data/Recordset.h"
#include "data/UserPrompts.h"
#include "print/clsMultiPgPreview.h"
#include "reports/ReportLetterhead.h"
#include "reports/ReportPager.h"

#include <QLocale>

// Named, so the helpers of the report files never meet in one batch.
namespace ProductSalesReport {
namespace {

const QString kProductSalesLabel = QStringLiteral("Print Daily Product: ");

constexpr double kModelLeft = 0.5;
constexpr double kQtyFromRight = 3.0;
constexpr double kAmountFromRight = 2.0;

struct SalesRange
{
    QDate first; // the first day of the range
    QDate end;   // the day after the last one
};

SalesRange rangeOf(const QDate &day, bool monthly)
{
    if (!monthly)
        return {day, day.addDays(1)};
    const QDate first(day.year(), day.month(), 1);
    return {first, first.addMonths(1)};
}

// One row per model number (matched without regard to case or blanks), by
// model number.
std::optional<Recordset> salesRows(const SalesRange &range)
{
    const Dialect d = Database::CurrentDialect();
    const QString model = d.trimUpper(QStringLiteral("coalesce(modelnumber, '')"));
    return Database::GetRS(QStringLiteral("SELECT min(modelnumber) AS modelnumber, sum(totalsales) AS totalamount, "
                                          "sum(quantity) AS totalquantity FROM vw_sales_product "
                                          "WHERE saledate >= ? AND saledate < ? GROUP BY %1 ORDER BY %1")
                               .arg(model),
                           {DateText::toDb(range.first), DateText::toDb(range.end)});
}

// One model number's sales as the report prints them.
struct ProductLine
{
    QString model;
    Money quantity;
    Money amount;
};

QList<ProductLine> linesOf(const Recordset &rows)
{
    QList<ProductLine> lines;
    for (int r = 0; r < rows.rowCount(); ++r)
        lines.append({rows.value(r, QStringLiteral("modelnumber")).toString().trimmed(),
                      Money::fromVariant(rows.value(r, QStringLiteral("totalquantity"))),
                      Money::fromVariant(rows.value(r, QStringLiteral("totalamount")))});
    return lines;
}

// The printed columns as a table; the report has no totals line.
Sheet sheetOf(const QList<ProductLine> &lines)
{
    Sheet sheet;
    sheet.name = QStringLiteral("Product Sales");
    sheet.addColumn(QStringLiteral("model number"))
        .addColumn(QStringLiteral("Qty"), Sheet::Kind::Number)
        .addColumn(QStringLiteral("Amount"), Sheet::Kind::Money);
    for (const ProductLine &line : lines)
        sheet.addRow({line.model, line.quantity.toDouble(), QVariant::fromValue(qint64(line.amount.cents()))});
    return sheet;
}

QString titleOf(const QDate &day, bool monthly)
{
    if (!monthly)
        return QStringLiteral("Daily Product Sales for ") + DateText::mmddyyyy(day);
    return QStringLiteral("Monthly Product Sales for ") + QLocale().standaloneMonthName(day.month()) + QLatin1Char(' ')
        + QString::number(day.year());
}

void printColumnHeadings(clsMultiPgPreview &rec, const QRectF &band)
{
    PrintBand(rec, band);
    rec.setCurrentY(band.top() + 0.05);
    rec.setFontBold(true);
    rec.pPrint(QStringLiteral("model number "), 0.55, true);
    rec.pRightTab(QStringLiteral("Qty"), kQtyFromRight, true);
    rec.pRightTab(QStringLiteral("Amount"), kAmountFromRight, false);
    rec.setFontBold(false);
    rec.pPrint(QString(), -1, false);
    rec.pPrint(QString(), -1, false);
}

// The top of the pages after the first: the title and the page, then the
// column headings again.
void printContinuation(clsMultiPgPreview &rec, const QString &title, int page)
{
    PrintContinuationTitle(rec, title, page, kModelLeft, kAmountFromRight);
    printColumnHeadings(rec, QRectF(0.5, 0.6, 7.0, 0.25));
}

void drawProductSales(clsMultiPgPreview &rec, const QList<ProductLine> &lines, const QString &title)
{
    Letterhead head;
    head.title = title;
    head.logoAt = QPointF(0.5, 0.28);
    PrintLetterhead(rec, head);
    rec.setFontBold(true);
    rec.setCurrentY(1.8);
    printColumnHeadings(rec, QRectF(0.5, 1.75, 7.0, 0.25));
    rec.setFontItalic(false);

    ReportPager pager(rec, [&rec, title](int page) { printContinuation(rec, title, page); });
    for (const ProductLine &line : lines) {
        pager.ensureRoom(pager.lines(1));
        rec.pPrint(line.model, kModelLeft, true);
        rec.pRightTab(line.quantity.toDbText(), kQtyFromRight, true);
        rec.pRightTab(line.amount.format0(), kAmountFromRight, false);
    }
}

} // namespace
} // namespace ProductSalesReport

ReportResult PrintProductSales(const QString &dateText, bool monthly, const ReportOutput &output)
{
    const QDate day = QDate::fromString(dateText.trimmed(), QStringLiteral("M/d/yyyy"));
    if (!day.isValid())
        return ReportFailed(ProductSalesReport::kProductSalesLabel,
                            QStringLiteral("\"%1\" is not a date (mm/dd/yyyy).").arg(dateText.trimmed()));
    return PrintProductSales(day, monthly, output);
}

ReportResult PrintProductSales(const QDate &day, bool monthly, const ReportOutput &output)
{
    std::optional<Recordset> rows;
    {
        Database::HeldErrors held; // told once, under the report's label
        rows = ProductSalesReport::salesRows(ProductSalesReport::rangeOf(day, monthly));
    }
    if (!rows)
        return ReportFailed(ProductSalesReport::kProductSalesLabel, Database::LastReason());
    if (rows->isEmpty()) {
        Prompts().message(QStringLiteral("No sales found for ") + DateText::shortDate(day));
        return ReportResult::nothing();
    }
    const QString title = ProductSalesReport::titleOf(day, monthly);
    ReportJob job;
    job.label = ProductSalesReport::kProductSalesLabel;
    job.orientation = 1;
    job.draw = [lines = ProductSalesReport::linesOf(*rows), title](clsMultiPgPreview &rec) {
        ProductSalesReport::drawProductSales(rec, lines, title);
        rec.setSheets({ProductSalesReport::sheetOf(lines)});
    };
    return RunReport(job, output);
}
