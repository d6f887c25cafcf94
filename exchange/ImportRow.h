#pragma once

#include "exchange/ExchangeTable.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <optional>

// One field of an imported row read the way the table's editor reads what
// is typed into its box: the same readers of money, quantities, phones,
// state codes and bar codes, so a file cannot store what a clerk could not.
namespace ImportRow {

// What the readers look up in the database, read once for the whole file.
struct Lookups
{
    QHash<QString, QString> stateCodes; // upper-cased code → the code as stored
};
// nullopt after a failure the data layer has shown.
std::optional<Lookups> ReadLookups(ExchangeTable::Table table);

// The value a field's text stores (a NULL QVariant for none), or nullopt
// with *reason saying why the editor would refuse it.
std::optional<QVariant> Read(ExchangeTable::Table table, const QString &column, const QString &text,
                             const Lookups &lookups, QString *reason);

// The columns by which a row is taken for an existing record: last name,
// first name and home phone of a customer, a product's bar code, a labor
// item's category and description.
QStringList KeyColumns(ExchangeTable::Table table);
// The key of a row's stored values (keyed by column, as Read gives them),
// compared without regard to case or surrounding blanks; "" when the row has
// none (a product without a bar code).
QString KeyOf(ExchangeTable::Table table, const QHash<QString, QVariant> &values);

} // namespace ImportRow
