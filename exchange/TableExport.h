#pragma once

#include "exchange/ExchangeTable.h"
#include "exchange/Sheet.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// Customers, products, the labor price list and closed tickets written to
// comma-separated files or workbooks (SheetFile), whole or not at all. The
// tables' files have the columns the import reads, so an exported file
// imports as it was.
namespace TableExport {

// The table's rows in the order its window lists them: customers by name,
// products as the inventory window lists them (with their reserve and
// available stock), labor by category and description. nullopt after a
// failure the data layer has shown.
std::optional<Sheet> TableRows(ExchangeTable::Table table);

// The tickets closed from `from` to `to` (whole days), by ticket number,
// each followed by its equipment lines, labor lines, shop fee and tax (rows
// of kind "fee" and "tax", where not zero) and payments: one row per line,
// charge or payment, the ticket's number, close date and customer on each.
// Equipment, labor, fee and tax add up to the ticket's total.
std::optional<Sheet> TicketRows(const QDate &from, const QDate &to);

// Writes them to `path`, as a workbook when its name ends in ".xlsx"; false
// with *error saying why. *rows gets the number of rows after the header.
bool ExportTable(ExchangeTable::Table table, const QString &path, QString *error, int *rows = nullptr);
bool ExportTickets(const QDate &from, const QDate &to, const QString &path, QString *error, int *rows = nullptr);

} // namespace TableExport
