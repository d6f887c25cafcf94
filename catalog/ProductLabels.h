#pragma once

#include "catalog/LabelSheet.h"
#include "data/Money.h"
#include "reports/ReportRun.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

class clsMultiPgPreview;
class Recordset;

// Bar-code labels for products, printed by the sheet: each label carries the
// product's Code 39 bars, the code under them, the model number, the price
// and as much of the description as fits. A run starts at any position of
// the first sheet, so a sheet half used by an earlier run is used up.
namespace ProductLabels {

// What a label shows of a product.
struct Product
{
    int id = 0;
    QString barcode;
    QString modelNumber;
    QString description;
    Money price;
    double qoh = 0;

    // The product as the clerk knows it: "Description [ Model ]".
    QString Name() const;
};

// How many labels each product gets: one, or one per piece on hand.
enum class Count { One, OnHand };

// What the clerk chose: the sheet, the position of its first free label
// (1-based) and the count per product.
struct Choice
{
    LabelSheet sheet;
    int start = 1;
    Count count = Count::One;
};

// The narrowest bar module a common scanner reads, and the widest a label
// uses (that of the single label), in inches.
constexpr double kMinimumModule = 0.0075;
constexpr double kMaximumModule = 0.015;
// The blank a reader needs on each side of the bars, in modules.
constexpr int kQuietModules = 10;

// The products of these ids, in the order given (an id that is not there is
// left out); nothing when the database could not be read (already shown).
std::optional<QList<Product>> Read(const QList<int> &ids);
// Every product, in the order of the inventory list.
std::optional<QList<Product>> ReadAll();

// The labels a product gets: 1, or the whole pieces on hand (none when there
// are none).
int LabelsFor(const Product &product, Count count);
// One entry per label, in the order they go on the sheets.
QList<Product> Labels(const QList<Product> &products, Count count);

// The module that makes a completed code, with its quiet zones, as wide as
// the room allows, up to kMaximumModule; nothing when it would be narrower
// than kMinimumModule.
std::optional<double> ModuleFor(const QString &completedCode, double roomWidth);
// The longest code (without its stars) that fits a room at the narrowest module.
int LongestCode(double roomWidth);

// Where the labels of a sheet may draw on a page whose printable area is
// given (both in inches from the paper's corner): each label's content area
// within the printable area. Empty when a label lies outside the paper.
QList<QRectF> Areas(const LabelSheet &sheet, const QRectF &paper, const QRectF &printable);
// The width every label of the sheet has for its bars on that page: the
// narrowest of its areas.
double BarRoom(const QList<QRectF> &areas);

// Why a product's label cannot be printed in that width, naming the
// product: no bar code, characters Code 39 has not, or a code too long.
// Empty when it can.
QString Refusal(const Product &product, const QString &sheetName, double barRoom);

// Draws one label in its area (in the recorder's coordinates) with the bars
// at the given module; the text is in fontSize points and cut to fit.
void DrawLabel(clsMultiPgPreview &recorder, const QRectF &area, const Product &product, double module, double fontSize);

// Prints the labels of the products: every label is checked first, and the
// first that cannot be printed is shown through the prompts (the run fails,
// nothing is drawn). Then the sheets go through RunReport ("Labels: "),
// upright. Nothing to print (no products, or none on hand) is NoDocument.
ReportResult PrintLabels(const QList<Product> &products, const Choice &choice, const ReportOutput &output);

// Prints the labels of every product of a list the clerk did not pick one by
// one, leaving out the products that have no bar code: after the others are
// printed, a message names them ("3 products have no bar code and got no
// label: ..."). When none of them has one, nothing is printed and the
// message says so (Failed). Any other refusal stops the run as above.
ReportResult PrintEveryLabel(const QList<Product> &products, const Choice &choice, const ReportOutput &output);

} // namespace ProductLabels
