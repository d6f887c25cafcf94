#include "sales/TicketLines.h"

#include "data/AuditLog.h"
#include "data/Database.h"
#include "data/Money.h"
#include "data/TextNumber.h"
#include "sales/TicketStore.h"
#include "sales/TicketTexts.h"

#include <cmath>
#include <functional>

namespace TicketLines {

namespace {

// Runs a change of an open ticket as one unit of work.
Result onOpenTicket(int salesId, const std::function<Result()> &change)
{
    return Database::TransactionOutcome(Result::Done, Result::Failed, [&] {
        const TicketChange lock = TicketStore::LockOpenTicket(salesId);
        if (lock != TicketChange::Done)
            return lock == TicketChange::WrongState ? Result::TicketNotOpen : Result::Failed;
        return change();
    });
}

Result fromCount(qint64 changed)
{
    if (changed < 0)
        return Result::Failed;
    return changed == 0 ? Result::NotFound : Result::Done;
}

// What a quantity or price edit stores, or why it can't be kept.
TextNumber::Reading readingFor(bool quantity, const QString &typed)
{
    return quantity ? TextNumber::readQuantity(typed) : TextNumber::readMoney(typed);
}

void tell(QString *refusal, const QString &text)
{
    if (refusal)
        *refusal = text;
}

// The product a bar code or id names, as a line is copied from it: the
// first one with that bar code. nullopt after a failure; no rows when none.
std::optional<Recordset> productNamed(const QString &table, const QString &value, Source source)
{
    const QString where = source == Source::Barcode ? Database::CurrentDialect().textEquals(QStringLiteral("barcode"))
                                                    : QStringLiteral("id = ?");
    QVariant key = value.trimmed();
    if (source == Source::ProductId) {
        bool ok = false;
        key = value.trimmed().toInt(&ok);
        if (!ok)
            return Recordset();
    }
    return Database::GetRS(QStringLiteral("select * from %1 where %2 order by id").arg(table, where), {key});
}

Result addProduct(int salesId, const QString &value, Source source)
{
    const auto product = productNamed(QStringLiteral("product"), value, source);
    if (!product)
        return Result::Failed;
    if (product->isEmpty())
        return Result::NotFound;
    const qint64 id = Database::InsertRow(
        QStringLiteral("salesitem"),
        {QStringLiteral("salesid"), QStringLiteral("partnumber"), QStringLiteral("barcode"),
         QStringLiteral("modelnumber"), QStringLiteral("description"), QStringLiteral("price")},
        {salesId, product->value(0, QStringLiteral("partnumber")), product->value(0, QStringLiteral("barcode")),
         product->value(0, QStringLiteral("modelnumber")), product->value(0, QStringLiteral("description")),
         product->value(0, QStringLiteral("price"))});
    return id > 0 ? Result::Done : Result::Failed;
}

Result addLabor(int salesId, const QString &value, PriceColumn price)
{
    bool ok = false;
    const int laborId = value.trimmed().toInt(&ok);
    if (!ok)
        return Result::NotFound;
    const auto labor = Database::GetRS(QStringLiteral("select * from labor where id = ?"), {laborId});
    if (!labor)
        return Result::Failed;
    if (labor->isEmpty())
        return Result::NotFound;
    const QString column = price == PriceColumn::Cog ? QStringLiteral("cog") : QStringLiteral("ours");
    const qint64 id = Database::InsertRow(
        QStringLiteral("saleslabor"),
        {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("charge")},
        {salesId, labor->value(0, QStringLiteral("description")), labor->value(0, column)});
    return id > 0 ? Result::Done : Result::Failed;
}

// Writes one column of a line. On a ticket that had been closed the change
// is recorded under the administrator who re-opened it, with the line
// before and after, in the unit of work of the change; a value typed again
// unchanged records nothing.
Result writeColumn(int salesId, int lineId, const QString &table, const QString &column, const QVariant &value)
{
    const std::optional<QString> reopener = AuditLog::ReopenedBy(salesId);
    if (!reopener)
        return Result::Failed;
    const std::optional<QString> before = reopener->isEmpty() ? QString() : AuditLog::RowText(table, lineId);
    if (!before)
        return Result::Failed;
    const Result written = fromCount(
        Database::Execute(QStringLiteral("update %1 set %2 = ? where id = ? and salesid = ?").arg(table, column),
                          {value, lineId, salesId}));
    if (written != Result::Done || reopener->isEmpty())
        return written;
    const std::optional<QString> after = AuditLog::RowText(table, lineId);
    if (!after)
        return Result::Failed;
    if (*after == *before)
        return Result::Done;
    return AuditLog::RecordAs(*reopener, AuditLog::kLineChanged, AuditLog::TicketSubject(salesId),
                              QStringLiteral("before: %1 %2\nafter: %1 %3").arg(table, *before, *after))
        ? Result::Done
        : Result::Failed;
}

Result editLine(int salesId, int lineId, const QString &table, const QString &column, const QVariant &value)
{
    return onOpenTicket(salesId, [&] { return writeColumn(salesId, lineId, table, column, value); });
}

// A line's quantity times its price (or charge) must stay an amount the
// ticket can total: the other factor is read in the same unit of work that
// writes the new one.
Result editAmount(int salesId, int lineId, const QString &table, const QString &column, const QString &typed,
                  QString *refusal)
{
    const bool quantity = column == QLatin1String("quantity");
    const TextNumber::Reading reading = readingFor(quantity, typed);
    if (!reading) {
        tell(refusal, reading.message());
        return Result::BadInput;
    }
    const Money value = Money::fromDouble(*reading.value);
    const QString other = quantity
        ? (table == QLatin1String("salesitem") ? QStringLiteral("price") : QStringLiteral("charge"))
        : QStringLiteral("quantity");
    return onOpenTicket(salesId, [&] {
        const auto line = Database::GetRS(
            QStringLiteral("select %1 from %2 where id = ? and salesid = ?").arg(other, table), {lineId, salesId});
        if (!line)
            return Result::Failed;
        if (line->isEmpty())
            return Result::NotFound;
        const Money extended = Money::product(value, Money::fromVariant(line->value(0, 0)));
        if (extended.abs() > Money::fromDouble(TextNumber::kLargestAmount)) {
            tell(refusal, TicketTexts::LineTooLargeMessage(typed));
            return Result::BadInput;
        }
        return writeColumn(salesId, lineId, table, column, value.toDouble());
    });
}

// A line or payment taken off a ticket that had been closed is recorded
// under the administrator who re-opened it, with the row as it was.
bool recordRemoval(int salesId, int rowId, const QString &table)
{
    const std::optional<QString> reopener = AuditLog::ReopenedBy(salesId);
    if (!reopener)
        return false;
    if (reopener->isEmpty())
        return true;
    const std::optional<QString> before = AuditLog::RowText(table, rowId);
    return before
        && AuditLog::RecordAs(*reopener,
                              table == QLatin1String("payment") ? AuditLog::kPaymentRemoved : AuditLog::kLineRemoved,
                              AuditLog::TicketSubject(salesId), QStringLiteral("before: %1 %2").arg(table, *before));
}

Result removeRow(int salesId, int rowId, const QString &table)
{
    return onOpenTicket(salesId, [&] {
        if (!recordRemoval(salesId, rowId, table))
            return Result::Failed;
        return fromCount(Database::Execute(QStringLiteral("delete from %1 where id = ? and salesid = ?").arg(table),
                                           {rowId, salesId}));
    });
}

} // namespace

QString QuantityText(const QString &typed)
{
    return Money::fromDouble(TextNumber::readQuantity(typed).value.value_or(0)).formatWhole00();
}

QString MoneyText(const QString &typed)
{
    return Money::fromDouble(TextNumber::readMoney(typed).value.value_or(0)).format00();
}

std::optional<Availability> AvailabilityOf(const QString &value, Source source)
{
    const auto product = productNamed(QStringLiteral("vw_product_available"), value, source);
    if (!product)
        return std::nullopt;
    Availability a;
    if (product->isEmpty())
        return a;
    a.found = true;
    const QString part = product->value(0, QStringLiteral("partnumber")).toString().trimmed();
    const QString description = product->value(0, QStringLiteral("description")).toString().trimmed();
    a.name = part.isEmpty() ? description : description.isEmpty() ? part : part + QStringLiteral(" ") + description;
    a.available = Money::fromVariant(product->value(0, QStringLiteral("available")));
    return a;
}

Result AddTicketLine(int salesId, const QString &value, Source source, PriceColumn price)
{
    return onOpenTicket(salesId, [&] {
        return source == Source::LaborId ? addLabor(salesId, value, price) : addProduct(salesId, value, source);
    });
}

Result EditEquipmentLine(int salesId, int lineId, EquipmentColumn column, const QString &typed, QString *refusal)
{
    switch (column) {
    case EquipmentColumn::Quantity:
        return editAmount(salesId, lineId, QStringLiteral("salesitem"), QStringLiteral("quantity"), typed, refusal);
    case EquipmentColumn::Price:
        return editAmount(salesId, lineId, QStringLiteral("salesitem"), QStringLiteral("price"), typed, refusal);
    case EquipmentColumn::Note:
        return editLine(salesId, lineId, QStringLiteral("salesitem"), QStringLiteral("note"), typed.trimmed());
    }
    return Result::Failed;
}

Result EditLaborLine(int salesId, int lineId, LaborColumn column, const QString &typed, QString *refusal)
{
    switch (column) {
    case LaborColumn::Quantity:
        return editAmount(salesId, lineId, QStringLiteral("saleslabor"), QStringLiteral("quantity"), typed, refusal);
    case LaborColumn::Charge:
        return editAmount(salesId, lineId, QStringLiteral("saleslabor"), QStringLiteral("charge"), typed, refusal);
    case LaborColumn::Note:
        return editLine(salesId, lineId, QStringLiteral("saleslabor"), QStringLiteral("note"), typed.trimmed());
    }
    return Result::Failed;
}

Result RemoveEquipmentLine(int salesId, int lineId)
{
    return removeRow(salesId, lineId, QStringLiteral("salesitem"));
}

Result RemoveLaborLine(int salesId, int lineId)
{
    return removeRow(salesId, lineId, QStringLiteral("saleslabor"));
}

Result AddPayment(int salesId, const QString &payType, const QString &amountText, QString *refusal)
{
    const TextNumber::Reading amount = TextNumber::readMoney(amountText);
    if (!amount) {
        tell(refusal,
             amount.refusal == TextNumber::Reading::Refusal::NotANumber ? TicketTexts::BadAmountMessage(amountText)
                                                                        : amount.message());
        return Result::BadInput;
    }
    if (Money::fromDouble(*amount.value).isZero()) {
        tell(refusal, TicketTexts::ZeroPaymentMessage());
        return Result::BadInput;
    }
    return onOpenTicket(salesId, [&] {
        const qint64 id = Database::InsertRow(
            QStringLiteral("payment"),
            {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("amount")},
            {salesId, payType.trimmed(), Money::fromDouble(*amount.value).toDouble()});
        return id > 0 ? Result::Done : Result::Failed;
    });
}

Result RemovePayment(int salesId, int paymentId)
{
    return removeRow(salesId, paymentId, QStringLiteral("payment"));
}

std::optional<Recordset> SearchEquipment(const QString &words)
{
    const Dialect d = Database::CurrentDialect();
    const QString pattern = Dialect::likeContains(words.trimmed());
    return Database::GetRS(
        QStringLiteral("select * from vw_product_available where %1 or %2 "
                       "order by %3, %4")
            .arg(d.textContains(QStringLiteral("description")), d.textContains(QStringLiteral("modelnumber")),
                 d.orderText(QStringLiteral("category")), d.orderText(QStringLiteral("modelnumber"))),
        {pattern, pattern});
}

std::optional<Recordset> SearchLabor(const QString &words)
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select * from labor where %1 order by %2, %3")
                               .arg(d.textContains(QStringLiteral("description")),
                                    d.orderText(QStringLiteral("category")),
                                    d.orderText(QStringLiteral("description"))),
                           {Dialect::likeContains(words.trimmed())});
}

} // namespace TicketLines
