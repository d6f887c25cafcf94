#include "exchange/ImportRow.h"

#include "catalog/LaborStore.h"
#include "catalog/ProductStore.h"
#include "catalog/modBarCode.h"
#include "customers/CustomerStore.h"
#include "customers/PhoneNumber.h"
#include "data/Money.h"
#include "data/TextNumber.h"

namespace ImportRow {

namespace {

using ExchangeTable::Table;

QString quotedReason(const QString &text, const QString &why)
{
    return QStringLiteral("\"%1\" %2").arg(text, why);
}

std::optional<QVariant> customerPhone(const QString &text, QString *reason)
{
    if (text.trimmed().isEmpty())
        return QVariant(QString());
    const auto boxes = PhoneNumber::SplitWritten(text);
    if (!boxes) {
        *reason = quotedReason(text, QStringLiteral("is not a phone number of ten digits"));
        return std::nullopt;
    }
    return QVariant(PhoneNumber::Join((*boxes)[0], (*boxes)[1], (*boxes)[2]));
}

// Which phone is preferred: as stored (0, 1, 2) or as the editor names its
// buttons; home, as for a new customer, when not given.
std::optional<QVariant> preferredPhone(const QString &text, QString *reason)
{
    static const QStringList names = {QStringLiteral("home"), QStringLiteral("work"), QStringLiteral("cell")};
    const QString t = text.trimmed().toLower();
    if (t.isEmpty())
        return QVariant(0);
    for (int i = 0; i < 3; ++i) {
        if (t == QString::number(i) || t == names[i])
            return QVariant(i);
    }
    *reason = quotedReason(text, QStringLiteral("is not 0, 1 or 2 (Home, Work or Cell)"));
    return std::nullopt;
}

std::optional<QVariant> customerValue(const QString &column, const QString &text, const Lookups &lookups,
                                      QString *reason)
{
    const QString trimmed = text.trimmed();
    if (column == QLatin1String("firstname") && trimmed.isEmpty()) {
        *reason = QStringLiteral("Customer name can not be blank.  Enter 'Cash' for Cash customers");
        return std::nullopt;
    }
    if (column.startsWith(QLatin1String("phone")))
        return customerPhone(text, reason);
    if (column == QLatin1String("PreferPhone"))
        return preferredPhone(text, reason);
    if (column == QLatin1String("state")) {
        if (trimmed.isEmpty())
            return QVariant(QMetaType(QMetaType::QString));
        const auto code = lookups.stateCodes.constFind(trimmed.toUpper());
        if (code == lookups.stateCodes.constEnd()) {
            *reason = quotedReason(text, QStringLiteral("is not a state code of the state list"));
            return std::nullopt;
        }
        return QVariant(*code);
    }
    return QVariant(trimmed);
}

std::optional<ProductField> productField(const QString &column)
{
    for (const ProductField f : AllProductFields) {
        if (ProductStore::ColumnOf(f) == column)
            return f;
    }
    return std::nullopt;
}

std::optional<QVariant> productValue(const QString &column, const QString &text, QString *reason)
{
    const std::optional<ProductField> field = productField(column);
    if (!field)
        return QVariant(text.trimmed());
    if (*field == ProductField::Barcode && !text.trimmed().isEmpty()) {
        const QString outside = modBarCode::OutsideCharacters(modBarCode::CompleteCode(text.trimmed()));
        if (!outside.isEmpty()) {
            *reason = quotedReason(text,
                                   QStringLiteral("has characters a Code 39 bar code cannot carry: %1").arg(outside));
            return std::nullopt;
        }
    }
    const std::optional<QVariant> value = ProductStore::ValueOf(*field, text);
    if (!value)
        *reason = quotedReason(text.trimmed(), ProductStore::ReadingOf(*field, text.trimmed()).reason());
    return value;
}

std::optional<QVariant> laborValue(const QString &column, const QString &text, QString *reason)
{
    const std::optional<LaborStore::Column> which = LaborStore::ColumnOfKey(column);
    const bool price = which == LaborStore::Column::Ours || which == LaborStore::Column::Cog;
    // A price not given stays empty, as a new item of the list has it.
    if (!which || (price && text.trimmed().isEmpty()))
        return price ? QVariant(QMetaType(QMetaType::Double)) : QVariant(text.trimmed());
    const std::optional<QString> edited = LaborStore::EditedText(*which, text);
    if (!edited) {
        *reason = quotedReason(text.trimmed(), TextNumber::readMoney(text).reason());
        return std::nullopt;
    }
    return price ? QVariant(Money::fromVariant(*edited).toDouble()) : QVariant(*edited);
}

QString keyPart(const QVariant &value)
{
    return value.toString().trimmed().toUpper();
}

} // namespace

std::optional<Lookups> ReadLookups(ExchangeTable::Table table)
{
    Lookups lookups;
    if (table != Table::Customers)
        return lookups;
    const auto codes = CustomerStore::StateCodes();
    if (!codes)
        return std::nullopt;
    for (const auto &[id, code] : *codes)
        lookups.stateCodes.insert(code.trimmed().toUpper(), code.trimmed());
    return lookups;
}

std::optional<QVariant> Read(ExchangeTable::Table table, const QString &column, const QString &text,
                             const Lookups &lookups, QString *reason)
{
    switch (table) {
    case Table::Customers:
        return customerValue(column, text, lookups, reason);
    case Table::Products:
        return productValue(column, text, reason);
    case Table::Labor:
        break;
    }
    return laborValue(column, text, reason);
}

QStringList KeyColumns(ExchangeTable::Table table)
{
    switch (table) {
    case Table::Customers:
        return {QStringLiteral("lastname"), QStringLiteral("firstname"), QStringLiteral("phone1")};
    case Table::Products:
        return {QStringLiteral("barcode")};
    case Table::Labor:
        break;
    }
    return {QStringLiteral("category"), QStringLiteral("description")};
}

QString KeyOf(ExchangeTable::Table table, const QHash<QString, QVariant> &values)
{
    QStringList parts;
    for (const QString &column : KeyColumns(table))
        parts << keyPart(values.value(column));
    if (table == Table::Products && parts.first().isEmpty())
        return QString();
    return parts.join(QChar(0x1F));
}

} // namespace ImportRow
