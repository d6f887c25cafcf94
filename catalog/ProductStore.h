#pragma once

#include "catalog/ProductRecord.h"
#include "data/TextNumber.h"

#include <QString>
#include <QVariant>
#include <optional>

class Recordset;

// Everything the catalog windows read from and write to the product table.
// Database failures have been shown by the data layer ("GetRS:", "Execute:")
// when these return their failure values.
namespace ProductStore {

// The column a field edits ("barcode", "cost", …) and its label on the form.
QString ColumnOf(ProductField field);
QString LabelOf(ProductField field);
// Cost, MSRP, price, QOH and GM hold numbers.
bool IsNumeric(ProductField field);
// Cost, MSRP and price show as "00.00".
bool IsMoney(ProductField field);

// The value a box's text writes: the trimmed text for a text field; for a
// numeric one the number, 0 for an emptied box, and nothing when the text is
// not a number the program can keep (money to the cent, other numbers to
// four decimals, within what it can total), which is then not written.
std::optional<QVariant> ValueOf(ProductField field, const QString &boxText);
// How a numeric box's text reads, with the reason when it can't be kept.
TextNumber::Reading ReadingOf(ProductField field, const QString &boxText);

// One stored field as it is, for putting it back after an edit that could
// not be kept; nullopt when it could not be read.
std::optional<QVariant> StoredValue(int id, ProductField field);
// A stored value as its box shows it.
QString TextOf(ProductField field, const QVariant &value);
bool WriteValue(int id, ProductField field, const QVariant &value);

// The texts of a product as the editor shows them: each value through
// NullToSpace, cost, MSRP and price formatted "00.00", the model number
// trimmed. A product that is not there gives empty texts with QOH and GM
// "0". False only when the database could not be read.
bool Load(int id, ProductTexts *texts, bool *found = nullptr);
// The empty form of a new product.
ProductTexts EmptyTexts();

// Writes one field of a product. False when it was not written (the text is
// not a number, or the database refused).
bool WriteField(int id, ProductField field, const QString &boxText);

// Writes what the editor has in one box. `loadedText` is what the box showed
// when the product was read: QOH is written as the difference from it,
// added to what is stored, so what another counter sold or restocked since
// is kept; every other field is written as typed. Gone when the product is
// not there any more (nothing is written).
enum class BoxWrite { Written, NotANumber, Gone, Failed };
BoxWrite WriteBox(int id, ProductField field, const QString &boxText, const QString &loadedText);

// Inserts a new product from the texts typed in the form; the engine gives
// the id. The first numeric field whose text is not a number is named in
// *badField and nothing is written. A bar code that another product has
// already (compared as a scan finds it) is not written either: that product
// is named in *barcodeOwner ("Remote start [ RS-100 ]"). Returns the new id,
// or -1.
qint64 Create(const ProductTexts &texts, std::optional<ProductField> *badField = nullptr,
              QString *barcodeOwner = nullptr);

// True when the form holds nothing a product is made of: every text box
// empty and every number box empty or 0.
bool IsBlank(const ProductTexts &texts);

// Deletes a product; false when the database refused.
bool Delete(int id);

// The inventory list: every product of vw_product_available with its
// reserved and available stock, by category and model number.
std::optional<Recordset> AvailableList();

// The caption under the bar-code picture: "[ " model " ]   " and the first
// 30 characters of the description; the label printed by "Print UPC" has
// four blanks after the bracket.
QString PictureCaption(const QString &modelNumber, const QString &description);
QString LabelCaption(const QString &modelNumber, const QString &description);

} // namespace ProductStore
