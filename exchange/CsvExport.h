#pragma once

#include "exchange/ExchangeTable.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Customers, products, the labor price list and closed tickets written to
// comma-separated files, whole or not at all. The tables' files have the
// columns the import reads, so an exported file imports as it was.
namespace CsvExport {

// The table's rows with its header first, in the order its window lists
// them: customers by name, products as the inventory window lists them
// (with their reserve and available stock), labor by category and
// description. Money has two decimals, other numbers no trailing zeros.
// nullopt after a failure the data layer has shown.
std::optional<QList<QStringList>> TableRows(ExchangeTable::Table table);

// The tickets closed from `from` to `to` (whole days), by ticket number,
// each followed by its equipment lines, labor lines and payments: one row
// per line or payment, the ticket's number, close date and customer on each.
std::optional<QList<QStringList>> TicketRows(const QDate &from, const QDate &to);

// Writes them to `path`; false with *error saying why. *rows gets the
// number of rows after the header.
bool ExportTable(ExchangeTable::Table table, const QString &path, QString *error, int *rows = nullptr);
bool ExportTickets(const QDate &from, const QDate &to, const QString &path, QString *error, int *rows = nullptr);

} // namespace CsvExport
