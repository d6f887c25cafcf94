#pragma once

#include <QString>
#include <optional>

class Recordset;

// The install-labor price list: what its window reads and writes.
// Database failures have been shown by the data layer when these return
// their failure values.
namespace LaborStore {

// The columns of a labor item the list edits in place.
enum class Column { Category, Description, Ours, Cog };

// The column a grid column key edits ("category", "OURS", … without regard
// to case or blanks); nothing for any other key.
std::optional<Column> ColumnOfKey(const QString &key);

// The list, by category and description.
std::optional<Recordset> ReadList();

// The text a committed edit shows and stores: category and description
// trimmed; a price in "00.00" (a typed 5 is 05.00, "1,250" 1250.00).
// nullopt, with *refusal saying why, for a price that is not an amount to
// the cent the program can total ("$5", "1,25", "12.345").
std::optional<QString> EditedText(Column column, const QString &typed, QString *refusal = nullptr);

// Writes an edited value (as EditedText gives it). False when the database
// refused.
bool Write(int id, Column column, const QString &editedText);

// A new placeholder row ("_newcat", "_new labor") for the user to edit;
// its id, or -1.
qint64 AddPlaceholder();

bool Delete(int id);

} // namespace LaborStore
