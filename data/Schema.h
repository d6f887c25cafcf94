#pragma once

#include "data/Dialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <optional>

// The tables, indexes and views the whole program relies on, per engine.
namespace Schema {

// What Ensure did to a database that was there already.
struct Outcome
{
    QString note;         // what happened, for the program to tell once; "" when nothing
    int newerVersion = 0; // the schema version of a database a newer release made; 0 when none
};

// Creates whatever is missing: the ten tables with their indexes, the five
// views, the State codes and the program's own marker. A database that holds
// the tables already keeps its rows: one made by an earlier release is
// upgraded to this one's schema (in one transaction, the embedded file
// copied beside itself first), views that are missing are added, and one
// made by a newer release is left as it is, for the caller to open
// read-only. A catalog with the tables but without the marker (a shop's own)
// is adopted: only what it lacks is added, and a table without a column the
// program needs stops the opening with the table and column named.
bool Ensure(QSqlDatabase &db, const Dialect &dialect, QString *error, Outcome *outcome = nullptr);

// "the database was made by a newer release of Tessaly (schema version 4;
// this program knows 3)".
QString NewerReleaseText(int version);

// What an embedded database file holds, read before anything is written to
// it: nothing yet (a new or 0-byte file), a Tessaly database, or tables of
// some other program's.
enum class SqliteContents { Empty, Tessaly, Foreign };
// nullopt when the file can't be read; *error is the engine's failure.
std::optional<SqliteContents> InspectSqlite(QSqlDatabase &db, QSqlError *error);

// The statements that create an empty database on an engine, in order.
QStringList CreateStatements(Engine engine);
// The statements that create (or re-create) the five views.
QStringList ViewStatements(Engine engine);
// The columns of each of the five views, in their order: what the program
// reads from them, and what a shop's view of the same name must have.
QList<QStringList> ViewColumns();
// What takes a database from the version before `version` to it.
QStringList UpgradeStep(Engine engine, int version);
// The statements Ensure sends to find the tables, views and indexes, to read
// the columns of a catalog it adopts, and to read, write and lock the schema
// version it keeps in tessaly_info.
QStringList MarkerStatements(Engine engine);

// The two-letter codes of the State table.
QStringList StateCodes();
// The tables that hold a shop's own rows: every table but the State list
// (the audit log among them).
QStringList ShopTables();

// The application id the embedded database carries ("TSLY").
constexpr int kSqliteApplicationId = 0x54534C59;
// Version 2 re-creates the five views with this release's definitions;
// version 3 adds when each customer was entered and allows one open time
// row per employee; version 4 adds the audit log, whose rows the engine
// refuses to change or delete; version 5 has the engine refuse to empty it
// with TRUNCATE as well; version 6 adds the indexes the customer search
// list reads its pages on.
constexpr int kSchemaVersion = 6;

} // namespace Schema
