#pragma once

#include "data/Money.h"
#include "data/Recordset.h"

#include <QString>
#include <optional>

// The lines and payments of an open ticket. Every change is refused when the
// ticket is no longer open (another counter may have finalized it), checked
// in the same unit of work that makes the change.
namespace TicketLines {

enum class Result {
    Done,
    NotFound,      // no product / labor item / line of that id or code
    TicketNotOpen, // the ticket is closed or gone; nothing changed
    BadInput,      // the typed value is not acceptable; nothing changed
    Failed,        // a statement failed (the data layer said why)
};

enum class Source { Barcode, ProductId, LaborId };
enum class PriceColumn { Ours, Cog };

// Adds one line copied from the product (by bar code or id) or the labor item
// (with its "OURS" or "COG" price). Quantity and note are left to the
// column defaults.
Result AddTicketLine(int salesId, const QString &value, Source source, PriceColumn price = PriceColumn::Ours);

// What a product (by bar code or id, as AddTicketLine finds it) has
// available once the open tickets' lines are held back.
struct Availability
{
    bool found = false;
    QString name; // its part number and description
    Money available;
};
// nullopt when it could not be read (the data layer has said why).
std::optional<Availability> AvailabilityOf(const QString &value, Source source);

enum class EquipmentColumn { Quantity, Price, Note };
enum class LaborColumn { Quantity, Charge, Note };

// In-place edits. A quantity is a number rounded to a whole one ("2.6" → 3,
// "1,250" → 1250), a price or charge an amount to the cent, a note the
// trimmed text. Text that is not such a number ("abc", "12.345", more than
// the program can total), or a quantity and price whose product is more
// than that, is BadInput: nothing is written and *refusal says why.
Result EditEquipmentLine(int salesId, int lineId, EquipmentColumn column, const QString &typed,
                         QString *refusal = nullptr);
Result EditLaborLine(int salesId, int lineId, LaborColumn column, const QString &typed, QString *refusal = nullptr);

Result RemoveEquipmentLine(int salesId, int lineId);
Result RemoveLaborLine(int salesId, int lineId);

// Records a payment; the amount must be an amount to the cent other than 0
// (negative amounts are credits and coupons). BadInput, with nothing stored
// and *refusal saying why, otherwise.
Result AddPayment(int salesId, const QString &payType, const QString &amountText, QString *refusal = nullptr);
Result RemovePayment(int salesId, int paymentId);

// The lookups of the ticket area.
std::optional<Recordset> SearchEquipment(const QString &words);
std::optional<Recordset> SearchLabor(const QString &words);

// The value an edit stores, as the grid then shows it ("00", "00.00" for
// text that is refused).
QString QuantityText(const QString &typed); // "00"
QString MoneyText(const QString &typed);    // "00.00"

} // namespace TicketLines
