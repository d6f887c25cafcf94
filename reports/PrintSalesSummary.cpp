#include "reports/SalesSummary.h"

#include "data/Database.h"
#include "data/DateText.h"
#include "data/UserPrompts.h"
#include "print/clsMultiPgPreview.h"
#include "reports/ReportLetterhead.h"
#include "reports/ReportPager.h"

#include <array>

// Named, so the helpers of the report files never meet in one batch.
namespace SalesSummaryReport {
namespace {

const QString kSummaryLabel = QStringLiteral("Report- Sales Summary: ");

struct ColumnHeading
{
    const char *text;
    double x;
};

constexpr std::array<ColumnHeading, 10> kHeadings = {{{"No.", 0.55},
                                                      {"Date", 1.0},
                                                      {"Product", 1.8},
                                                      {"Labor", 2.6},
                                                      {"Shop Fee", 3.1},
                                                      {"Tax", 4.0},
                                                      {"Ticket Total", 4.4},
                                                      {"Cash", 5.7},
                                                      {"Charge", 6.2},
                                                      {"Checks", 7.0}}};

// The right edges of the money columns, in the order of SummaryFigures.
constexpr std::array<double, 8> kMoneyRight = {2.4, 3.1, 3.7, 4.4, 5.2, 6.0, 6.7, 7.4};
// Money is placed by a fixed width per character, so the columns line up
// the same on every printer.
constexpr double kCharWidth = 0.075;

constexpr double kNumberLeft = 0.5;
constexpr double kDateLeft = 1.0;
constexpr double kTableLeft = 0.5;
constexpr double kTableRight = 7.5;
constexpr double kTableWidth = 7.0;
constexpr double kBandHeight = 0.25;
constexpr double kFirstBandTop = 1.75;
constexpr double kNextBandTop = 0.75;
constexpr double kCashRuleX = 5.3;       // between "Ticket Total" and "Cash"
constexpr double kSummaryRuleGap = 0.03; // pLine's gap above and below its rule

std::array<Money, 8> moneyColumns(const SummaryFigures &f)
{
    return {f.product, f.labor, f.shopFee, f.tax, f.ticketTotal, f.cash, f.charge, f.checks};
}

// The table of one summary: the column band and headings at the top of
// every page, a vertical rule down to the last line of each page, one line
// per ticket and the totals line.
class SummaryTable
{
public:
    SummaryTable(clsMultiPgPreview &rec, QString title)
        : m_rec(rec)
        , m_title(std::move(title))
        , m_pager(rec, [this](int page) { printContinuation(page); })
    { }

    void print(const QList<SummaryRow> &rows)
    {
        printHeadings(kFirstBandTop);
        for (const SummaryRow &row : rows) {
            makeRoom(m_pager.lines(1));
            printRow(row);
        }
        printTotals(SummaryTotals(rows));
    }

private:
    void printHeadings(double bandTop)
    {
        PrintBand(m_rec, QRectF(kTableLeft, bandTop, kTableWidth, kBandHeight));
        m_ruleTop = bandTop;
        m_rec.setCurrentY(bandTop + 0.05);
        m_rec.setFontBold(true);
        m_rec.setFontItalic(false);
        for (std::size_t i = 0; i < kHeadings.size(); ++i)
            m_rec.pPrint(QString::fromLatin1(kHeadings[i].text), kHeadings[i].x, i + 1 < kHeadings.size());
        m_rec.setFontBold(false);
        m_rec.pPrint(QString(), -1, false);
    }

    // Pages after the first carry the title and their number above the band.
    void printContinuation(int page)
    {
        PrintContinuationTitle(m_rec, m_title, page, kTableLeft, m_rec.GetPaperWidth() - kTableRight);
        printHeadings(kNextBandTop);
    }

    // A new page when the height doesn't fit above the page's foot; the
    // finished page's rule runs down to where its lines end.
    void makeRoom(double height)
    {
        if (m_pager.fits(height))
            return;
        drawRule();
        m_pager.newPage();
    }

    void drawRule() { m_rec.pVerticalLine(kCashRuleX, m_ruleTop, m_rec.CurrentY(), 0); }

    void printMoney(const std::array<Money, 8> &values)
    {
        for (std::size_t i = 0; i < values.size(); ++i) {
            const QString text = values[i].format0();
            m_rec.pPrint(text, kMoneyRight[i] - text.size() * kCharWidth, i + 1 < values.size());
        }
    }

    void printRow(const SummaryRow &row)
    {
        m_rec.pPrint(row.salesId, kNumberLeft, true);
        m_rec.pPrint(row.closed.isValid() ? row.closed.toString(QStringLiteral("MM/dd/yy")) : QString(), kDateLeft,
                     true);
        printMoney(moneyColumns(row.figures));
    }

    void printTotals(const SummaryFigures &totals)
    {
        // The blank line, the rule and the totals stay together.
        makeRoom(m_pager.lines(2) + 2 * kSummaryRuleGap);
        m_rec.pPrint(QString(), -1, false);
        m_rec.pLine(kTableLeft, kTableRight, 2, true);
        drawRule();
        m_rec.setFontBold(true);
        m_rec.pPrint(QStringLiteral("Total Sales: "), kTableLeft, true);
        printMoney(moneyColumns(totals));
        m_rec.pPrint(QString(), -1, false);
    }

    clsMultiPgPreview &m_rec;
    QString m_title;
    ReportPager m_pager;
    double m_ruleTop = kFirstBandTop;
};

void drawSummary(clsMultiPgPreview &rec, const QList<SummaryRow> &rows, const QString &title, SummaryPeriod period)
{
    Letterhead head;
    head.title = title;
    // The week's longer title starts an inch left of the middle.
    head.titleOffset = period == SummaryPeriod::Weekly ? -1.0 : 0.0;
    head.logoAt = QPointF(0.5, 0.28);
    PrintLetterhead(rec, head);
    rec.setFontBold(true);
    SummaryTable(rec, title).print(rows);
}

QVariantList moneyCells(const SummaryFigures &figures)
{
    QVariantList cells;
    for (const Money &m : moneyColumns(figures))
        cells << QVariant::fromValue(qint64(m.cents()));
    return cells;
}

// The summary as a table, the printed columns in order: a row per ticket,
// then the totals.
Sheet sheetOf(const QList<SummaryRow> &rows)
{
    Sheet sheet;
    sheet.name = QStringLiteral("Sales Summary");
    sheet.addColumn(QString::fromLatin1(kHeadings[0].text))
        .addColumn(QString::fromLatin1(kHeadings[1].text), Sheet::Kind::Date);
    for (std::size_t i = 2; i < kHeadings.size(); ++i)
        sheet.addColumn(QString::fromLatin1(kHeadings[i].text), Sheet::Kind::Money);
    for (const SummaryRow &row : rows)
        sheet.addRow(QVariantList{row.salesId, row.closed.isValid() ? QVariant(row.closed.date()) : QVariant()}
                     + moneyCells(row.figures));
    sheet.addRow(QVariantList{QStringLiteral("Total"), QVariant()} + moneyCells(SummaryTotals(rows)));
    return sheet;
}

} // namespace
} // namespace SalesSummaryReport

ReportResult PrintSalesSummary(const QString &startText, const QString &periodType, const ReportOutput &output)
{
    // The lists of the reports window give "mm/dd/yyyy"; the machine's date
    // format has no say in how the text is read.
    const QDate start = QDate::fromString(startText.trimmed(), QStringLiteral("M/d/yyyy"));
    if (!start.isValid())
        return ReportFailed(SalesSummaryReport::kSummaryLabel,
                            QStringLiteral("\"%1\" is not a date (mm/dd/yyyy).").arg(startText.trimmed()));
    const std::optional<SummaryPeriod> period = SummaryPeriodFromText(periodType);
    if (!period)
        return ReportFailed(SalesSummaryReport::kSummaryLabel,
                            QStringLiteral("\"%1\" is not a period (Daily, Weekly or Monthly).").arg(periodType));
    return PrintSalesSummary(start, *period, output);
}

ReportResult PrintSalesSummary(const QDate &start, SummaryPeriod period, const ReportOutput &output)
{
    if (!start.isValid())
        return ReportFailed(SalesSummaryReport::kSummaryLabel, QStringLiteral("No start date was given."));
    std::optional<QList<SummaryRow>> rows;
    {
        Database::HeldErrors held; // told once, under the report's label
        rows = ReadSummaryRows(SummaryRangeOf(start, period));
    }
    if (!rows)
        return ReportFailed(SalesSummaryReport::kSummaryLabel, Database::LastReason());
    if (rows->isEmpty()) {
        Prompts().message(QStringLiteral("No sales found for ") + DateText::shortDate(start));
        return ReportResult::nothing();
    }
    const QString title = SummaryTitle(start, period);
    ReportJob job;
    job.label = SalesSummaryReport::kSummaryLabel;
    job.orientation = 1;
    job.draw = [rows, title, period](clsMultiPgPreview &rec) {
        SalesSummaryReport::drawSummary(rec, *rows, title, period);
        rec.setSheets({SalesSummaryReport::sheetOf(*rows)});
    };
    return RunReport(job, output);
}
