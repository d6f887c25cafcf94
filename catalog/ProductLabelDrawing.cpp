// One product label drawn in its area of the sheet.
#include "catalog/ProductLabels.h"

#include "catalog/modBarCode.h"
#include "print/PrintColor.h"
#include "print/clsMultiPgPreview.h"

namespace ProductLabels {

namespace {

// Blank between the lines of text and the bars.
constexpr double kGap = 0.03;

// The longest start of a text that the current font prints within a width.
QString cutToFit(const clsMultiPgPreview &rec, const QString &text, double width)
{
    if (rec.GetTextWidth(text) <= width)
        return text;
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (rec.GetTextWidth(text.left(middle).trimmed()) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    return text.left(fits).trimmed();
}

void printAt(clsMultiPgPreview &rec, const QString &text, double left, double top)
{
    if (text.isEmpty())
        return;
    rec.setCurrentY(top);
    rec.pPrint(text, left, false);
}

// Each bar one filled box without an outline, as on the single label.
void drawBars(clsMultiPgPreview &rec, const std::vector<bool> &modules, double left, double top, double height,
              double module)
{
    for (size_t i = 0; i < modules.size();) {
        size_t end = i;
        while (end < modules.size() && modules[end])
            ++end;
        if (end > i)
            rec.pFillBox(left + double(i) * module, top, double(end - i) * module, height, PrintColor::Black);
        i = std::max(end, i + 1);
    }
}

} // namespace

void DrawLabel(clsMultiPgPreview &rec, const QRectF &area, const Product &product, double module, double fontSize)
{
    const QString code = modBarCode::CompleteCode(product.barcode.trimmed());
    rec.setFontName(QStringLiteral("Arial"));
    rec.setFontSize(fontSize);
    rec.setFontItalic(false);
    const double line = rec.GetTextHeight();

    // The model number and the price on the first line, in bold.
    rec.setFontBold(true);
    const QString price = QStringLiteral("$") + product.price.format0();
    const double priceWidth = rec.GetTextWidth(price);
    printAt(rec, cutToFit(rec, price, area.width()), std::max(area.left(), area.right() - priceWidth), area.top());
    printAt(rec, cutToFit(rec, product.modelNumber.simplified(), area.width() - priceWidth - 2 * kGap), area.left(),
            area.top());
    rec.setFontBold(false);
    printAt(rec, cutToFit(rec, product.description.simplified(), area.width()), area.left(), area.top() + line);

    // The bars, centred with their quiet zones, and the code under them.
    const std::vector<bool> modules = modBarCode::Modules(code);
    const double barsWidth = double(modules.size()) * module;
    const double barTop = area.top() + 2 * line + kGap;
    const double barBottom = area.bottom() - line - kGap;
    drawBars(rec, modules, area.center().x() - barsWidth / 2, barTop, barBottom - barTop, module);
    const QString text = cutToFit(rec, modBarCode::CodeText(code), area.width());
    printAt(rec, text, area.center().x() - rec.GetTextWidth(text) / 2, area.bottom() - line);
}

} // namespace ProductLabels
