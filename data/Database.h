#pragma once

#include "data/Dialect.h"
#include "data/Recordset.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

// The data access layer: one place that opens the database, runs statements
// and reads results. Values always travel as bound parameters ("?" in the SQL
// text, in order); failures are shown through Prompts() with the labels
// "GetConnection:", "Execute:" and "GetRS:" and reported to the caller, who
// can stop instead of carrying on as if the statement had worked.
namespace Database {

struct ConnectionSettings
{
    Engine engine = Engine::SQLite;
    QString serverName; // PostgreSQL / SQL Server: host or host:port
    QString sqliteFile; // SQLite: the database file
    QString catalog = QStringLiteral("Tessaly");
    QString user = QStringLiteral("kzv");
    QString password = QStringLiteral("kzv");
    bool createIfMissing = true; // SQLite: a missing file becomes a new database
    bool readOnly = false;       // SQLite: open without write access
    QString problem;             // why these settings can't be used (an unknown engine); "" when they can

    bool operator==(const ConnectionSettings &) const = default;
};

// Settings section "Database": "Engine" ("SQLite", "PostgreSQL" or
// "SQLServer"; SQLite when absent), "Servername" (default "localhost"),
// "File" (SQLite file; the program folder's tessaly.db when absent, a
// relative name taken within the program folder) and "Catalog" (default
// "Tessaly"). Read afresh on every call. An engine the program does not know
// is never taken for SQLite: `problem` says what is wrong and nothing opens.
ConnectionSettings SettingsFromStore();

// A choice that outranks the settings store for this process (command line
// --database, tests). nullopt returns to the store. Open connections close.
void SetOverride(std::optional<ConnectionSettings> settings);
ConnectionSettings CurrentSettings();

// "SQLite /home/…/tessaly.db" or "PostgreSQL Tessaly on host:5432".
QString Describe(const ConnectionSettings &settings);

// The ODBC connection string that reaches SQL Server through FreeTDS.
// Servername "HOST\INSTANCE" names an instance, whose port FreeTDS asks the
// server for; "HOST:PORT" or "HOST,PORT" a port; "HOST" alone port 1433.
// A catalog, login or password holding ';', '{', '}' or blanks at either end
// is written between braces. "" when a value can't be written (one holding
// "};"), with *problem saying which.
QString SqlServerConnectionString(const ConnectionSettings &settings, QString *problem = nullptr);

// The open connection of this thread, opened (and the schema created when
// missing) if need be. An invalid QSqlDatabase after a failure, which has
// been shown as "GetConnection:" & the reason.
QSqlDatabase GetConnection();

// Runs a statement that returns no rows. Returns the number of rows it
// changed, or -1 after a failure (shown as "Execute:" & the reason).
qint64 Execute(const QString &sql, const QVariantList &params = {});

// Runs a query and reads all of its rows. nullopt after a failure (shown as
// "GetRS:" & the reason).
std::optional<Recordset> GetRS(const QString &sql, const QVariantList &params = {});

// Inserts one row and returns the id the engine gave it, or -1 after a
// failure (shown as "Execute:" & the reason).
qint64 InsertRow(const QString &table, const QStringList &columns, const QVariantList &values);
// Inserts many rows (each its values of the columns, in order) through one
// prepared statement, for an import of thousands: the number inserted, or
// -1 after the first failure (shown as "Execute:" & the reason). Run it
// inside a Transaction, so a failure leaves none of them.
qint64 InsertRows(const QString &table, const QStringList &columns, const QList<QVariantList> &rows);

// Runs body as one all-or-nothing unit: it is committed when body returns
// true and no statement inside failed, else rolled back and the first failure
// shown. A deadlock or serialization failure runs body again (a few times), so
// body must only read and write through this layer. Nested calls join the
// outer unit. Returns true when committed.
bool Transaction(const std::function<bool()> &body);
bool InTransaction();

// Transaction for a change whose outcome says more than yes or no: body
// returns the outcome, the unit is committed when it is `done`, and a body
// that finished but whose commit failed gives `failed`. A rerun after a
// deadlock gives whatever that run of body returns.
template <typename Result, typename Body> Result TransactionOutcome(Result done, Result failed, Body body)
{
    Result result = failed;
    const bool committed = Transaction([&] {
        result = body();
        return result == done;
    });
    return !committed && result == done ? failed : result;
}

// How many writes this process has made that changed rows (statements and
// inserts, on any thread): two counts that differ tell that something was
// written between them.
quint64 WritesMade();

// The dialect of the database in use.
Dialect CurrentDialect();

// Closes this thread's connection; the next call opens it again from the
// current settings.
void CloseConnections();

// Every write first checks the database's restore generation: when the
// database was restored at another counter since this one read what it
// shows, the write is refused with a message saying so, and the handler
// (the program's: show the sales window afresh) runs. Every write is then
// refused, silently, until it calls StartAfreshAfterRestore; without a
// handler writes go on at once.
void SetRestoredElsewhereHandler(std::function<void()> handler);
void StartAfreshAfterRestore();
// Gives the database a new restore generation, after a restore at this
// counter: the other counters' next writes are refused, this one's are not.
bool MarkRestored();

// What opening the connection did to the database's schema ("The database
// was upgraded from schema version 1 to 2. …"), once; "" when nothing.
QString TakeSchemaNote();

// The text of the last failure of this thread ("" after a success).
QString LastError();
// The same without the data layer's label ("no such table: sales").
QString LastReason();
// Whether the last failure was a statement naming a column its table or view
// does not have.
bool LastFailureNamedMissingColumn();
// Whether the last failure was a value longer than its column allows (only
// engines that give text columns a width refuse one).
bool LastFailureWasValueTooLong();
// Whether the last failure was a row a unique index of the schema forbids
// (a second open time row of one employee).
bool LastFailureWasDuplicate();

// While one lives, this thread's failures are kept (LastError, LastReason)
// instead of shown: for a caller that shows the reason once, under a label
// of its own (a report). Scopes nest.
class HeldErrors
{
public:
    HeldErrors();
    ~HeldErrors();
    HeldErrors(const HeldErrors &) = delete;
    HeldErrors &operator=(const HeldErrors &) = delete;
};

// While one lives, a row this thread writes that a unique index refuses is
// not shown: the caller says it in its own words (LastFailureWasDuplicate).
// Every other failure is shown as ever.
class DuplicatesExpected
{
public:
    DuplicatesExpected();
    ~DuplicatesExpected();
    DuplicatesExpected(const DuplicatesExpected &) = delete;
    DuplicatesExpected &operator=(const DuplicatesExpected &) = delete;
};

// Whether the database in use can be read but not changed (a file the
// program may not write, a read-only disk, a server in read-only mode).
bool IsReadOnly();

} // namespace Database
