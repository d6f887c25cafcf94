#include "reports/ProductReports.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "data/Money.h"
#include "data/NullToSpace.h"
#include "print/clsMultiPgPreview.h"
#include "reports/InventoryData.h"
#include "reports/ReportLetterhead.h"

// Named, so the helpers of the report files never meet in one batch.
namespace InventoryReport {
namespace {

const QString kInventoryLabel = QStringLiteral("Print Inventory: ");

// The rows run down to here; then the page number and a new page.
constexpr double kLastRowTop = 7.0;
constexpr double kPageNumberTop = 7.6;
constexpr double kPageNumberLeft = 5.0;
constexpr double kCharacterWidth = 0.07; // the money columns end at their right edge by this
// A description ends this far before the QOH column, however wide its
// forty characters are.
constexpr double kDescriptionRoom = 5.2 - 2.67 - 0.08;

const QRectF kInventoryBand(0.5, 0.45, 10.0, 0.25);
const QRectF kHeadingBand(0.5, 1.75, 10.0, 0.25);

struct Heading
{
    const char *text;
    double x;
};

const Heading kHeadings[] = {{"Category", 0.55}, {"Model #", 1.55}, {"Description", 2.65}, {"QOH", 5.1},
                             {"MSRP", 5.7},      {"Price", 6.6},    {"Cost", 7.4},         {"GM", 8.1},
                             {"Reserved", 8.6},  {"Available", 9.6}};

// A value column: its field, where it starts (or, for money, where it
// ends) and how it is shown.
enum class Shown { Text, Cut40, Money };
struct ValueColumn
{
    const char *field;
    double x;
    Shown shown;
};

const ValueColumn kValues[] = {{"category", 0.57, Shown::Text},     {"modelnumber", 1.56, Shown::Text},
                               {"description", 2.67, Shown::Cut40}, {"qoh", 5.2, Shown::Text},
                               {"msrp", 6.2, Shown::Money},         {"price", 7.0, Shown::Money},
                               {"cost", 7.8, Shown::Money},         {"gm", 8.2, Shown::Text},
                               {"reserve", 8.8, Shown::Text},       {"available", 9.9, Shown::Text}};

// A value as printed: NULL as one blank, text on one line.
QString valueText(const QVariant &value, Shown shown)
{
    if (shown == Shown::Money)
        return value.isNull() ? QStringLiteral(" ") : Money::fromVariant(value).format0();
    const QString text = clsMultiPgPreview::GetRemoveCRLF(NullToSpace(value));
    return shown == Shown::Cut40 ? text.left(40) : text;
}

void printHeadings(clsMultiPgPreview &rec)
{
    rec.setFontBold(true);
    for (const Heading &h : kHeadings)
        rec.pPrint(QLatin1String(h.text), h.x, true);
    rec.pPrint(QString(), -1, false);
    rec.pPrint(QString(), -1, false);
    rec.setFontBold(false);
}

void printPageNumber(clsMultiPgPreview &rec, int page)
{
    rec.setCurrentY(kPageNumberTop);
    rec.pPrint(QStringLiteral("Page: %1").arg(page), kPageNumberLeft, false);
}

// Forty characters of a wide description would run into the QOH column.
QString fitted(const clsMultiPgPreview &rec, QString text)
{
    while (text.size() > 1 && rec.GetTextWidth(text) > kDescriptionRoom)
        text.chop(1);
    return text;
}

void printRow(clsMultiPgPreview &rec, const Recordset &rows, int r, const int *columns)
{
    for (int c = 0; c < 10; ++c) {
        const ValueColumn &v = kValues[c];
        QString text = valueText(rows.value(r, columns[c]), v.shown);
        if (v.shown == Shown::Cut40)
            text = fitted(rec, text);
        const double x = v.shown == Shown::Money ? v.x - double(text.size()) * kCharacterWidth : v.x;
        rec.pPrint(text, x, c < 9);
    }
}

// A cell of the table: money in cents, counts as numbers (a stored text
// that is no number stays text), texts on one line and whole.
QVariant cellOf(const QVariant &value, Shown shown, Sheet::Kind kind)
{
    if (value.isNull())
        return QVariant();
    if (shown == Shown::Money)
        return QVariant::fromValue(qint64(Money::fromVariant(value).cents()));
    const QString text = valueText(value, Shown::Text);
    if (kind != Sheet::Kind::Number)
        return text;
    bool number = false;
    const double n = text.toDouble(&number);
    return number ? QVariant(n) : QVariant(text);
}

// The stock list as a table, the printed columns in order (the
// description whole); the report has no totals.
Sheet sheetOf(const Recordset &rows, const int *columns)
{
    Sheet sheet;
    sheet.name = QStringLiteral("Inventory");
    QList<Sheet::Kind> kinds;
    for (int c = 0; c < 10; ++c) {
        const Shown shown = kValues[c].shown;
        kinds << (shown == Shown::Money  ? Sheet::Kind::Money
                      : c == 3 || c >= 7 ? Sheet::Kind::Number
                                         : Sheet::Kind::Text);
        sheet.addColumn(QLatin1String(kHeadings[c].text), kinds.last());
    }
    for (int r = 0; r < rows.rowCount(); ++r) {
        QVariantList cells;
        for (int c = 0; c < 10; ++c)
            cells << cellOf(rows.value(r, columns[c]), kValues[c].shown, kinds[c]);
        sheet.addRow(cells);
    }
    return sheet;
}

void drawInventory(clsMultiPgPreview &rec)
{
    const InventoryData data = InventoryData::read();
    const Recordset &rows = data.rows;
    Letterhead head;
    head.title = QStringLiteral("Product Inventory as of ") + DateText::shortDate(Clock::today());
    head.band = kInventoryBand;
    head.logoAt = QPointF(0.5, 0.28);
    PrintLetterhead(rec, head);
    rec.setFontBold(true);

    rec.setCurrentY(1.8);
    PrintBand(rec, kHeadingBand);
    printHeadings(rec);
    rec.setFontItalic(false);

    int columns[10];
    for (int c = 0; c < 10; ++c)
        columns[c] = rows.columnIndex(QLatin1String(kValues[c].field));
    int page = 1;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rec.CurrentY() > kLastRowTop) {
            printPageNumber(rec, page++);
            rec.pNewPage();
            rec.setCurrentY(0.5);
            PrintBand(rec, kInventoryBand);
            printHeadings(rec);
        }
        printRow(rec, rows, r, columns);
    }
    printPageNumber(rec, page);
    rec.setFontBold(true);
    rec.setSheets({sheetOf(rows, columns)});
}

} // namespace
} // namespace InventoryReport

ReportResult PrintInventory(const ReportOutput &output)
{
    ReportJob job;
    job.label = InventoryReport::kInventoryLabel;
    job.orientation = 2;
    job.draw = InventoryReport::drawInventory;
    return RunReport(job, output);
}
