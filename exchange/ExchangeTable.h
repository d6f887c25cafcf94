#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The tables a shop moves in and out as spreadsheets, and how a file's
// header names their columns.
namespace ExchangeTable {

enum class Table { Customers, Products, Labor };

// "customers", "products", "labor" (as the command line names them); nullopt
// for any other word.
std::optional<Table> FromName(const QString &name);
QString NameOf(Table table);
// The table in the database ("customer", "product", "labor").
QString SqlTable(Table table);

// The columns a file of the table holds, as the export writes them in its
// header and the import fills them.
QStringList Columns(Table table);

// The column a file's header names, without regard to case or blanks, with
// the names spreadsheets commonly give them ("Phone" → "phone1", "Zip" →
// "zipcode", "UPC" → "barcode", "Qty" → "qoh"); "" for a header that names
// none of the table's columns.
QString ColumnOfHeader(Table table, const QString &header);

} // namespace ExchangeTable
