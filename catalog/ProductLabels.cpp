#include "catalog/ProductLabels.h"

#include "catalog/ProductStore.h"
#include "catalog/modBarCode.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/UserPrompts.h"
#include "print/PrinterAccess.h"
#include "print/clsMultiPgPreview.h"

#include <cmath>

namespace ProductLabels {

namespace {

const QString kLabel = QStringLiteral("PrintLabels: ");
const QString kTitle = QStringLiteral("Labels");
constexpr int kModulesPerCharacter = 16;
// The products a message names before it only counts the rest.
constexpr qsizetype kNamesListed = 10;

Product productOf(const Recordset &rs, int row)
{
    Product p;
    p.id = rs.value(row, QStringLiteral("id")).toInt();
    p.barcode = rs.text(row, QStringLiteral("barcode"));
    p.modelNumber = rs.text(row, QStringLiteral("modelnumber"));
    p.description = rs.text(row, QStringLiteral("description"));
    p.price = Money::fromVariant(rs.value(row, QStringLiteral("price")));
    p.qoh = rs.value(row, QStringLiteral("qoh")).toDouble();
    return p;
}

QString completedCode(const Product &product)
{
    return modBarCode::CompleteCode(product.barcode.trimmed());
}

bool hasBarCode(const Product &product)
{
    return !modBarCode::CodeText(completedCode(product)).isEmpty();
}

// "3 products have no bar code and got no label: A, B, C."
QString leftOutText(const QList<Product> &leftOut)
{
    QStringList names;
    for (qsizetype i = 0; i < std::min(leftOut.size(), kNamesListed); ++i)
        names << leftOut[i].Name();
    if (leftOut.size() > kNamesListed)
        names << QStringLiteral("and %1 more").arg(leftOut.size() - kNamesListed);
    const QString count = leftOut.size() == 1 ? QStringLiteral("1 product has")
                                              : QStringLiteral("%1 products have").arg(leftOut.size());
    return QStringLiteral("%1 no bar code and got no label: %2.").arg(count, names.join(QStringLiteral(", ")));
}

QString paperRefusal(const LabelSheet &sheet, const QPageLayout &layout)
{
    const QSizeF paper = layout.fullRect(QPageLayout::Inch).size();
    return QStringLiteral("The labels of a %1 sheet do not fit on the printer's paper (%2 x %3 inches): label sheets "
                          "are Letter paper, printed upright.")
        .arg(sheet.name)
        .arg(paper.width(), 0, 'g', 4)
        .arg(paper.height(), 0, 'g', 4);
}

QList<QRectF> areasOn(const LabelSheet &sheet, const QPageLayout &layout)
{
    return Areas(sheet, layout.fullRect(QPageLayout::Inch), layout.paintRect(QPageLayout::Inch));
}

// The first reason a label of the run cannot be printed on that page.
QString firstRefusal(const QList<Product> &labels, const LabelSheet &sheet, const QPageLayout &layout)
{
    const QList<QRectF> areas = areasOn(sheet, layout);
    if (areas.isEmpty())
        return paperRefusal(sheet, layout);
    const double room = BarRoom(areas);
    int checked = 0;
    for (const Product &label : labels) {
        if (label.id == checked)
            continue; // the copies of one product follow each other
        checked = label.id;
        const QString why = Refusal(label, sheet.name, room);
        if (!why.isEmpty())
            return why;
    }
    return QString();
}

void drawSheets(clsMultiPgPreview &rec, const QList<Product> &labels, const Choice &choice)
{
    const QPageLayout layout = rec.document().layout;
    const QList<QRectF> areas = areasOn(choice.sheet, layout);
    if (areas.isEmpty())
        throw ReportFailure(paperRefusal(choice.sheet, layout));
    const double room = BarRoom(areas);
    const QPointF origin = layout.paintRect(QPageLayout::Inch).topLeft();
    const int perSheet = choice.sheet.Count();
    int page = 0;
    for (int i = 0; i < labels.size(); ++i) {
        const int place = choice.start - 1 + i;
        if (place / perSheet > page) {
            rec.pNewPage();
            page = place / perSheet;
        }
        const Product &label = labels[i];
        const std::optional<double> module = ModuleFor(completedCode(label), room);
        if (!module)
            throw ReportFailure(Refusal(label, choice.sheet.name, room));
        DrawLabel(rec, areas[place % perSheet].translated(-origin), label, *module, choice.sheet.fontSize);
    }
}

} // namespace

QString Product::Name() const
{
    QString name = description.trimmed();
    if (!modelNumber.trimmed().isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(" "))
            + QStringLiteral("[ %1 ]").arg(modelNumber.trimmed());
    return name.isEmpty() ? QStringLiteral("product %1").arg(id) : name;
}

std::optional<QList<Product>> Read(const QList<int> &ids)
{
    QList<Product> products;
    for (const int id : ids) {
        const std::optional<Recordset> rs = Database::GetRS(
            QStringLiteral("select id, barcode, modelnumber, description, price, qoh from product where id = ?"), {id});
        if (!rs)
            return std::nullopt;
        if (!rs->isEmpty())
            products.append(productOf(*rs, 0));
    }
    return products;
}

std::optional<QList<Product>> ReadAll()
{
    const std::optional<Recordset> rs = ProductStore::AvailableList();
    if (!rs)
        return std::nullopt;
    QList<Product> products;
    for (int r = 0; r < rs->rowCount(); ++r)
        products.append(productOf(*rs, r));
    return products;
}

int LabelsFor(const Product &product, Count count)
{
    if (count == Count::One)
        return 1;
    // Stock kept by length or weight counts its whole pieces.
    return product.qoh >= 1 ? int(std::min(std::floor(product.qoh + 1e-9), 1e6)) : 0;
}

QList<Product> Labels(const QList<Product> &products, Count count)
{
    QList<Product> labels;
    for (const Product &product : products) {
        for (int n = LabelsFor(product, count); n > 0; --n)
            labels.append(product);
    }
    return labels;
}

std::optional<double> ModuleFor(const QString &completedCode, double roomWidth)
{
    const double modules = double(modBarCode::Modules(completedCode).size() + 2 * kQuietModules);
    const double module = std::min(kMaximumModule, roomWidth / modules);
    if (module < kMinimumModule - 1e-12)
        return std::nullopt;
    return module;
}

int LongestCode(double roomWidth)
{
    const int characters = int(
        std::floor((roomWidth / kMinimumModule + 1e-9 - 2 * kQuietModules) / kModulesPerCharacter));
    return std::max(0, characters - 2);
}

QList<QRectF> Areas(const LabelSheet &sheet, const QRectF &paper, const QRectF &printable)
{
    QList<QRectF> areas;
    for (int position = 1; position <= sheet.Count(); ++position) {
        if (!paper.contains(sheet.Cell(position)))
            return {};
        areas.append(sheet.ContentArea(position).intersected(printable));
    }
    return areas;
}

double BarRoom(const QList<QRectF> &areas)
{
    double room = areas.isEmpty() ? 0 : areas.first().width();
    for (const QRectF &area : areas)
        room = std::min(room, area.width());
    return room;
}

QString Refusal(const Product &product, const QString &sheetName, double barRoom)
{
    const QString code = completedCode(product);
    if (modBarCode::CodeText(code).isEmpty())
        return QStringLiteral("%1 has no bar code to put on a label. No labels were printed.").arg(product.Name());
    if (const std::optional<modBarCode::Refusal> refusal = modBarCode::CheckCode(code, int(code.size()) * 16))
        return QStringLiteral("%1: %2 No labels were printed.").arg(product.Name(), refusal->text);
    if (!ModuleFor(code, barRoom))
        return QStringLiteral("The bar code \"%1\" of %2 is too long for a %3 label: %4 characters fit at most. No "
                              "labels were printed.")
            .arg(modBarCode::CodeText(code), product.Name(), sheetName)
            .arg(LongestCode(barRoom));
    return QString();
}

ReportResult PrintLabels(const QList<Product> &products, const Choice &choice, const ReportOutput &output)
{
    const QList<Product> labels = Labels(products, choice.count);
    if (labels.isEmpty())
        return ReportResult::nothing();
    if (choice.start < 1 || choice.start > choice.sheet.Count())
        return ReportFailed(kLabel,
                            QStringLiteral("a %1 sheet has labels 1 to %2, not %3")
                                .arg(choice.sheet.name)
                                .arg(choice.sheet.Count())
                                .arg(choice.start));
    // The page the labels go on upright decides what fits; a printer setup
    // that turns or changes it is checked again as the sheets are drawn.
    const QString why = firstRefusal(labels, choice.sheet, Printer().pageLayout(1));
    if (!why.isEmpty()) {
        Prompts().message(why, kTitle);
        return ReportResult::failed(why);
    }
    ReportJob job;
    job.label = kLabel;
    job.orientation = 1;
    job.draw = [&labels, &choice](clsMultiPgPreview &rec) {
        rec.setReportTitle(QStringLiteral("Labels %1").arg(choice.sheet.name));
        drawSheets(rec, labels, choice);
    };
    return RunReport(job, output);
}

ReportResult PrintEveryLabel(const QList<Product> &products, const Choice &choice, const ReportOutput &output)
{
    QList<Product> coded;
    QList<Product> leftOut; // only those that would have had a label
    for (const Product &product : products) {
        if (hasBarCode(product))
            coded.append(product);
        else if (LabelsFor(product, choice.count) > 0)
            leftOut.append(product);
    }
    if (leftOut.isEmpty())
        return PrintLabels(coded, choice, output);
    if (Labels(coded, choice.count).isEmpty()) {
        const QString why = leftOutText(leftOut) + QStringLiteral(" No labels were printed.");
        Prompts().message(why, kTitle);
        return ReportResult::failed(why);
    }
    const ReportResult result = PrintLabels(coded, choice, output);
    if (result.done())
        Prompts().message(leftOutText(leftOut), kTitle);
    return result;
}

} // namespace ProductLabels
