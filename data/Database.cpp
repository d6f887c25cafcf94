#include "data/Database.h"

#include "data/AppPaths.h"
#include "data/PreparedStatements.h"
#include "data/Schema.h"
#include "data/ServerAddress.h"
#include "data/Settings.h"
#include "data/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>
#include <utility>

namespace Database {

namespace {

struct ThreadState
{
    std::optional<ConnectionSettings> open; // settings of the open connection
    int transactionDepth = 0;
    bool transactionFailed = false;
    QString transactionError;
    QString transactionErrorCode;
    QString lastError;
    QString lastReason; // lastError without its label
    bool lastMissingColumn = false;
    bool lastTooLong = false;
    bool lastDuplicate = false;
    int heldErrors = 0;         // HeldErrors scopes open on this thread
    int duplicatesExpected = 0; // DuplicatesExpected scopes open on this thread
    bool transactionDuplicate = false;
    QString schemaNote;  // what opening did to the schema, until taken
    int newerSchema = 0; // the schema version of a newer release's database, open read-only; 0 otherwise
    // The restore generation this counter's screens were read under, and the
    // database it belongs to; kept across reconnections, since a restore at
    // another counter ends this one's connection.
    std::optional<QString> generation;
    std::optional<ConnectionSettings> generationOf;
    bool restoredElsewhere = false; // said once; writes refused until the screens started afresh
    // When a lost or unreachable database was last said: what one step of the
    // clerk's runs next (its read after the failed write) is not said again.
    std::optional<std::chrono::steady_clock::time_point> outageSaid;
    quint64 settingsSeen = 0; // Settings::generation() when the settings were last compared
    PreparedStatements statements; // of the open connection (on SQLite only the glance at its tables)
    bool staleInTransaction = false; // a kept statement gone stale failed the running transaction
};

thread_local ThreadState t_state;

QMutex g_overrideMutex;
std::optional<ConnectionSettings> g_override;
std::atomic<quint64> g_writesMade{0};
std::function<void()> g_restoredElsewhere;

const QString &connectionName()
{
    thread_local const QString name = QStringLiteral("tessaly-%1").arg(quintptr(QThread::currentThreadId()));
    return name;
}

QString describeError(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (db.isEmpty())
        return driver;
    if (driver.isEmpty() || db.contains(driver))
        return db;
    return db + QStringLiteral(" (") + driver + QLatin1Char(')');
}

std::optional<Engine> engineFromText(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == QLatin1String("sqlite"))
        return Engine::SQLite;
    if (t == QLatin1String("postgresql") || t == QLatin1String("postgres") || t == QLatin1String("psql"))
        return Engine::PostgreSQL;
    if (t == QLatin1String("sqlserver") || t == QLatin1String("sql server") || t == QLatin1String("mssql")
        || t == QLatin1String("odbc"))
        return Engine::SQLServer;
    return std::nullopt;
}

// The engine's failure on an embedded database file, in the shop's words and
// with the file's whole path, instead of the statement that met it.
QString sqliteReason(const QString &file, const QSqlError &error)
{
    const QString name = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    switch (error.nativeErrorCode().toInt()) {
    case 8:
        return QStringLiteral("the database %1 is read-only").arg(name); // SQLITE_READONLY
    case 11:
        return QStringLiteral("the database %1 is damaged").arg(name); // SQLITE_CORRUPT
    case 13:
        return QStringLiteral("the disk holding the database %1 is full").arg(name); // SQLITE_FULL
    case 14:                                                                         // SQLITE_CANTOPEN
        return QStringLiteral("the database %1 cannot be opened: permission denied").arg(name);
    case 23:
        return QStringLiteral("the database %1 cannot be opened: permission denied").arg(name); // SQLITE_AUTH
    case 26:
        return QStringLiteral("%1 is not a database").arg(name); // SQLITE_NOTADB
    default:
        break;
    }
    return QStringLiteral("the database %1 cannot be opened: %2").arg(name, error.databaseText().trimmed());
}

QString sqliteFileOf(const ConnectionSettings &s)
{
    return s.sqliteFile.isEmpty() ? AppPaths::defaultDatabaseFile() : s.sqliteFile;
}

// A file (or, for a new one, its folder) this process may not write: the
// engine then opens it for reading only instead of failing at the first
// change.
bool cannotWrite(const QString &file)
{
    const QByteArray path = QFile::encodeName(file);
    return ::access(path.constData(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM);
}

void dropConnection()
{
    t_state.statements.clear();
    const QString name = connectionName();
    if (QSqlDatabase::contains(name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    t_state.open.reset();
    t_state.newerSchema = 0;
}

bool isRetryable(Engine engine, const QString &code)
{
    switch (engine) {
    case Engine::PostgreSQL:
        return code == QLatin1String("40001") || code == QLatin1String("40P01");
    case Engine::SQLite:
        return code == QLatin1String("5") || code == QLatin1String("6");
    case Engine::SQLServer:
        return code == QLatin1String("1205");
    }
    return false;
}

// A server that went away leaves a connection that fails every statement;
// drop it so the next call opens a fresh one.
// Returns true when it dropped the connection.
bool dropIfBroken()
{
    if (!t_state.open || t_state.open->engine == Engine::SQLite)
        return false;
    QSqlDatabase db = QSqlDatabase::database(connectionName(), false);
    bool alive = db.isOpen();
    if (alive) {
        QSqlQuery probe(db);
        alive = probe.exec(QStringLiteral("select 1"));
    }
    if (!alive) {
        db = QSqlDatabase();
        dropConnection();
    }
    return !alive;
}

// Whether the engine refused the statement for naming a column the table or
// view does not have (PostgreSQL's undefined_column; SQLite says it in words).
bool namesMissingColumn(const QSqlError &error)
{
    return error.nativeErrorCode() == QLatin1String("42703")
        || error.databaseText().contains(QLatin1String("no such column"), Qt::CaseInsensitive)
        || error.databaseText().contains(QLatin1String("Invalid column name"), Qt::CaseInsensitive);
}

// Whether the engine refused a value wider than its column (PostgreSQL's
// string_data_right_truncation; SQL Server's "would be truncated").
bool valueTooLong(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("22001") || code == QLatin1String("8152") || code == QLatin1String("2628")
        || error.databaseText().contains(QLatin1String("would be truncated"), Qt::CaseInsensitive);
}

// Whether the engine refused a row that a unique index forbids
// (PostgreSQL's unique_violation, SQLite's SQLITE_CONSTRAINT_UNIQUE, SQL
// Server's duplicate key).
bool duplicateKey(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("23505") || code == QLatin1String("2067") || code == QLatin1String("2601")
        || code == QLatin1String("2627")
        || error.databaseText().contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive);
}

void showUnlessHeld(const QString &text)
{
    if (t_state.heldErrors == 0)
        ReportError(text);
}

constexpr auto kOutageSaidFor = std::chrono::seconds(5);

// Shows a failure, or keeps it for the end of the transaction it happened in.
// A database that is gone is said once for what follows within seconds.
// The engine's refusal of a change on a connection kept read-only
// (SQLITE_READONLY; PostgreSQL's read_only_sql_transaction).
bool refusedAsReadOnly(const QSqlError &error)
{
    return error.nativeErrorCode() == QLatin1String("8") || error.nativeErrorCode() == QLatin1String("25006");
}

QString newerRefusal()
{
    return Schema::NewerReleaseText(t_state.newerSchema)
        + QStringLiteral("; this program can print from it but change "
                         "nothing in it");
}

// What a failure is called in the shop's words.
QString reasonOf(const QSqlError &error)
{
    if (t_state.newerSchema > 0 && refusedAsReadOnly(error))
        return newerRefusal();
    return describeError(error);
}

void fail(const QString &label, const QSqlError &error)
{
    const QString text = label + reasonOf(error);
    t_state.lastError = text;
    t_state.lastReason = reasonOf(error);
    t_state.lastMissingColumn = namesMissingColumn(error);
    t_state.lastTooLong = valueTooLong(error);
    t_state.lastDuplicate = duplicateKey(error);
    if (t_state.transactionDepth > 0) {
        if (!t_state.transactionFailed) {
            t_state.transactionFailed = true;
            t_state.transactionError = text;
            t_state.transactionErrorCode = error.nativeErrorCode();
            t_state.transactionDuplicate = t_state.lastDuplicate;
        }
        return;
    }
    const bool gone = dropIfBroken() || label == QLatin1String("GetConnection:");
    const auto now = std::chrono::steady_clock::now();
    if (gone && t_state.outageSaid && now - *t_state.outageSaid < kOutageSaidFor)
        return; // kept in LastError
    if (!(t_state.lastDuplicate && t_state.duplicatesExpected > 0))
        showUnlessHeld(text);
    if (gone && t_state.heldErrors == 0)
        t_state.outageSaid = now;
}

void failText(const QString &label, const QString &reason)
{
    QSqlError error(reason, QString(), QSqlError::ConnectionError);
    fail(label, error);
}

bool configure(QSqlDatabase &db, const ConnectionSettings &s, QString *reason)
{
    switch (s.engine) {
    case Engine::SQLite: {
        const QString file = QFileInfo(sqliteFileOf(s)).absoluteFilePath();
        if (!QFileInfo::exists(file)) {
            if (!s.createIfMissing || s.readOnly) {
                *reason = QStringLiteral("the database file %1 does not exist").arg(QDir::toNativeSeparators(file));
                return false;
            }
            QDir().mkpath(QFileInfo(file).absolutePath());
        } else if (!QFileInfo(file).isFile()) {
            *reason = QStringLiteral("%1 is not a database").arg(QDir::toNativeSeparators(file));
            return false;
        }
        db.setDatabaseName(file);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000");
        if (s.readOnly || (QFileInfo::exists(file) && cannotWrite(file)))
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        return true;
    }
    case Engine::PostgreSQL: {
        const ServerAddress server = ServerAddress::parse(s.serverName, 5432);
        db.setHostName(server.host);
        db.setPort(server.port);
        db.setDatabaseName(s.catalog);
        db.setUserName(s.user);
        db.setPassword(s.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        return true;
    }
    case Engine::SQLServer: {
        const QString connection = SqlServerConnectionString(s, reason);
        if (connection.isEmpty())
            return false;
        db.setDatabaseName(connection);
        // A server that accepts and never answers must not hold the counter
        // for minutes: the same five seconds as PostgreSQL.
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=5;SQL_ATTR_CONNECTION_TIMEOUT=5"));
        return true;
    }
    }
    return false;
}

void preparePragmas(QSqlDatabase &db, const ConnectionSettings &s)
{
    QSqlQuery q(db);
    if (s.engine == Engine::SQLite) {
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } else if (s.engine == Engine::PostgreSQL) {
        // Statements stay prepared (PreparedStatements), but each run is
        // still planned for its values: a customer search for "512" and one
        // for "5125551234" want other indexes, and a plan made once for any
        // value would serve one of them badly. A server older than 12 lacks
        // the setting; there a kept statement may come to use one plan.
        q.exec(QStringLiteral("SET plan_cache_mode = force_custom_plan"));
    }
}

// Two counters share an embedded file through its write-ahead log; the
// journal of a file this program may not change (read-only, or a newer
// release's) is left as it is.
void shareJournal(QSqlDatabase &db, const ConnectionSettings &s)
{
    if (s.engine == Engine::SQLite)
        QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
}

// Reads an embedded file before anything is written to it: a file of
// another program's is refused whole (not a single pragma written), and a
// file that can't be read is said so in the shop's words.
bool checkSqliteFile(QSqlDatabase &db, const ConnectionSettings &s, QString *reason)
{
    QSqlError error;
    const std::optional<Schema::SqliteContents> contents = Schema::InspectSqlite(db, &error);
    const QString file = QFileInfo(sqliteFileOf(s)).absoluteFilePath();
    if (!contents) {
        *reason = sqliteReason(file, error);
        return false;
    }
    if (*contents == Schema::SqliteContents::Foreign) {
        *reason =
            QStringLiteral("%1 is not a Tessaly database; it was left as it is").arg(QDir::toNativeSeparators(file));
        return false;
    }
    return true;
}

bool readOnlyConnection(const ConnectionSettings &s)
{
    return s.engine == Engine::SQLite && (s.readOnly || cannotWrite(QFileInfo(sqliteFileOf(s)).absoluteFilePath()));
}

// A database a newer release made is read through this connection and never
// written: the engine itself refuses every change, so no statement of an
// older program can damage what the newer one relies on.
bool keepFromChanges(QSqlDatabase &db, Engine engine, const Schema::Outcome &outcome, QString *reason)
{
    if (outcome.newerVersion == 0)
        return true;
    QSqlQuery q(db);
    bool ok = true;
    if (engine == Engine::SQLite)
        ok = q.exec(QStringLiteral("PRAGMA query_only = ON"));
    else if (engine == Engine::PostgreSQL)
        ok = q.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
    if (!ok)
        *reason = Schema::NewerReleaseText(outcome.newerVersion)
            + QStringLiteral(", and it could not be opened "
                             "read-only: ")
            + q.lastError().text();
    return ok;
}

// The restore generation the database holds now; "" before its first
// restore; nullopt when it can't be read.
std::optional<QString> storedGeneration(QSqlDatabase &db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select value from tessaly_info where name = 'restore_generation'")))
        return std::nullopt;
    return q.next() ? q.value(0).toString() : QString();
}

QSqlDatabase openConnection(const ConnectionSettings &s)
{
    if (!s.problem.isEmpty()) {
        failText(QStringLiteral("GetConnection:"), s.problem);
        return QSqlDatabase();
    }
    const Dialect dialect(s.engine);
    if (!QSqlDatabase::isDriverAvailable(dialect.driverName())) {
        failText(QStringLiteral("GetConnection:"),
                 QStringLiteral("the %1 driver (%2) is not installed").arg(dialect.engineName(), dialect.driverName()));
        return QSqlDatabase();
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(dialect.driverName(), connectionName());
    QString reason;
    if (!configure(db, s, &reason)) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName());
        failText(QStringLiteral("GetConnection:"), reason);
        return QSqlDatabase();
    }
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName());
        if (s.engine == Engine::SQLite)
            failText(QStringLiteral("GetConnection:"), sqliteReason(sqliteFileOf(s), error));
        else
            fail(QStringLiteral("GetConnection:"), error);
        return QSqlDatabase();
    }
    if (s.engine == Engine::SQLite && !checkSqliteFile(db, s, &reason)) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName());
        failText(QStringLiteral("GetConnection:"), reason);
        return QSqlDatabase();
    }
    ConnectionSettings opened = s;
    opened.readOnly = readOnlyConnection(s);
    preparePragmas(db, opened);
    Schema::Outcome outcome;
    if (!opened.readOnly
        && (!Schema::Ensure(db, dialect, &reason, &outcome) || !keepFromChanges(db, s.engine, outcome, &reason))) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName());
        failText(QStringLiteral("GetConnection:"), reason);
        return QSqlDatabase();
    }
    if (!opened.readOnly && outcome.newerVersion == 0)
        shareJournal(db, s);
    if (!t_state.generation) {
        // Learned before the first read: a counter that has only looked at
        // a ticket is held to what it saw, as one that wrote to it is.
        t_state.generation = storedGeneration(db);
        t_state.generationOf = s;
    }
    t_state.open = s;
    t_state.outageSaid.reset();
    t_state.newerSchema = outcome.newerVersion;
    t_state.settingsSeen = Settings::generation();
    if (!outcome.note.isEmpty()) {
        // Said once where an administrator looks, and kept for the window.
        fprintf(stderr, "Tessaly: %s\n", qPrintable(outcome.note));
        t_state.schemaNote = outcome.note;
    }
    return db;
}

void bindAll(QSqlQuery &q, const QVariantList &params)
{
    for (const QVariant &value : params)
        q.addBindValue(value);
}

// Whether a statement with these values is kept prepared for its next run:
// on a server, where each prepare is a round trip. The embedded engine
// and SQL Server through ODBC prepare each time, as they always did.
bool keepsStatement(const QVariantList &params)
{
    return !params.isEmpty() && params.size() <= PreparedStatements::kMostValues && t_state.open
        && t_state.open->engine == Engine::PostgreSQL;
}

// A kept statement the server no longer takes: a table under it changed
// its columns (a newer release's upgrade at another counter), or something
// between here and the server let it go.
bool isStaleStatement(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("0A000") || code == QLatin1String("26000");
}

// A kept statement run again with new values. One gone stale is let go; a
// stale one outside a transaction is run once more, prepared afresh
// (inside one, the transaction runs again).
bool runKept(QSqlQuery &own, const QString &sql, const QVariantList &params, QSqlQuery **ran)
{
    for (int attempt = 1;; ++attempt) {
        QSqlQuery *kept = t_state.statements.find(sql);
        if (!kept) {
            own.setForwardOnly(true);
            own.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
            if (!own.prepare(sql))
                return false;
            kept = t_state.statements.keep(sql, std::move(own));
        }
        for (int i = 0; i < params.size(); ++i)
            kept->bindValue(i, params[i]);
        if (kept->exec()) {
            *ran = kept;
            return true;
        }
        // A statement that failed on its values (a duplicate, a bad number,
        // a transaction already failed) is sound and stays kept; letting it
        // go inside a failed transaction would leave it on the server, which
        // refuses to release anything until the rollback.
        if (!isStaleStatement(kept->lastError())) {
            *ran = kept;
            return false;
        }
        if (t_state.transactionDepth > 0) {
            *ran = t_state.statements.retire(sql);
            t_state.staleInTransaction = true;
            return false;
        }
        own = t_state.statements.release(sql);
        if (attempt > 1)
            return false;
        own = QSqlQuery(QSqlDatabase::database(connectionName(), false));
    }
}

// The embedded engine compiles a statement against the tables as this
// connection last read them, and compiles it again by itself when it finds
// at its first step that another counter changed them (a newer release's
// upgrade adding a column); Qt's driver then reads the new, longer row into
// the old one's room and crashes, or leaves the new columns empty. A
// glance at the table list first makes the connection read the tables
// afresh when they changed: before each statement on its own, and once at
// the start of a transaction, whose view of the tables then holds.
void refreshEmbeddedSchema()
{
    if (!t_state.open || t_state.open->engine != Engine::SQLite)
        return;
    // Kept prepared: its one column never changes, and run again it costs
    // a microsecond where compiling it afresh costs many.
    static const QString glance = QStringLiteral("SELECT 1 FROM sqlite_master LIMIT 1");
    QSqlQuery *look = t_state.statements.find(glance);
    if (!look) {
        QSqlQuery q(QSqlDatabase::database(connectionName(), false));
        q.setForwardOnly(true);
        if (!q.prepare(glance))
            return;
        look = t_state.statements.keep(glance, std::move(q));
    }
    look->exec();
    look->finish();
}

// Runs one statement on this thread's connection; false after a failure,
// which has been shown (or kept for the transaction) under the label. The
// query it ran on, to read the rows or the error from, is *ran: `own`, or
// a kept prepared statement (finish it after reading).
bool runQuietly(QSqlQuery &own, const QString &sql, const QVariantList &params, QSqlQuery **ran)
{
    *ran = &own;
    if (t_state.transactionDepth == 0)
        refreshEmbeddedSchema();
    bool ok;
    if (keepsStatement(params)) {
        ok = runKept(own, sql, params, ran);
    } else {
        own.setForwardOnly(true);
        own.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        if (params.isEmpty()) {
            ok = own.exec(sql);
        } else {
            ok = own.prepare(sql);
            if (ok) {
                bindAll(own, params);
                ok = own.exec();
            }
        }
    }
    if (ok)
        t_state.lastError.clear();
    return ok;
}

bool run(QSqlQuery &own, const QString &label, const QString &sql, const QVariantList &params, QSqlQuery **ran)
{
    const bool ok = runQuietly(own, sql, params, ran);
    if (!ok)
        fail(label, (*ran)->lastError());
    return ok;
}

// A write is refused when the database was restored at another counter
// since this one read what it shows: the ticket it would write to may now
// be another customer's, or gone. The program then starts its screens
// afresh, and writes go on under the new generation.
// The write is refused, said once, and the program's screens start afresh;
// until they have, every write is refused silently.
bool refuseStaleScreens(const QString &reason)
{
    t_state.restoredElsewhere = true;
    failText(QStringLiteral("Execute:"),
             reason
                 + QStringLiteral(", so nothing was written; the sales window starts "
                                  "afresh"));
    if (g_restoredElsewhere)
        g_restoredElsewhere();
    else
        StartAfreshAfterRestore();
    return false;
}

bool generationHolds(QSqlDatabase &db)
{
    if (t_state.newerSchema > 0 && t_state.open && t_state.open->engine == Engine::SQLServer) {
        // SQL Server has no read-only session: the refusal is this layer's.
        failText(QStringLiteral("Execute:"), newerRefusal());
        return false;
    }
    std::optional<QString> now = storedGeneration(db);
    if (!now && !t_state.transactionDepth) {
        db = QSqlDatabase(); // let go of it, so a broken one can be closed
        if (!dropIfBroken()) {
            db = GetConnection();
            return true; // not broken: the write itself will say what is wrong
        }
        db = GetConnection();
        if (!db.isValid())
            return false;
        now = storedGeneration(db);
    }
    if (!now)
        return true; // the write itself will say what is wrong
    if (!t_state.generation) {
        t_state.generation = now;
        t_state.generationOf = t_state.open;
        t_state.restoredElsewhere = false;
        return true;
    }
    if (t_state.restoredElsewhere) {
        // Said already; what the screens write while they start afresh
        // belongs to rows read before.
        t_state.lastError = QStringLiteral("Execute:the sales window starts afresh; nothing was written");
        return false;
    }
    if (!(t_state.generationOf == t_state.open)) {
        // The settings now name another database: what the screens show
        // came from the one before, and its ids mean other rows here.
        t_state.generation = now;
        t_state.generationOf = t_state.open;
        return refuseStaleScreens(QStringLiteral("the database in use is now %1").arg(Describe(*t_state.open)));
    }
    if (*now == *t_state.generation)
        return true;
    return refuseStaleScreens(QStringLiteral("the database was restored at another counter"));
}

} // namespace

ConnectionSettings SettingsFromStore()
{
    ConnectionSettings s;
    const QString section = QStringLiteral("Database");
    const QString engine = Settings::get(section, QStringLiteral("Engine"), QStringLiteral("SQLite"));
    if (const std::optional<Engine> known = engineFromText(engine))
        s.engine = *known;
    else
        s.problem = QStringLiteral("the setting [Database] Engine=%1 names no engine Tessaly knows; "
                                   "use SQLite, PostgreSQL or SQLServer")
                        .arg(engine);
    s.serverName = Settings::get(section, QStringLiteral("Servername"), QStringLiteral("localhost"));
    s.sqliteFile = Settings::get(section, QStringLiteral("File")).trimmed();
    if (!s.sqliteFile.isEmpty())
        s.sqliteFile = QDir(AppPaths::programFolder()).absoluteFilePath(s.sqliteFile);
    s.catalog = Settings::get(section, QStringLiteral("Catalog"), QStringLiteral("Tessaly"));
    s.user = Settings::get(section, QStringLiteral("User"), s.user);
    s.password = Settings::get(section, QStringLiteral("Password"), s.password);
    return s;
}

void SetOverride(std::optional<ConnectionSettings> settings)
{
    {
        QMutexLocker lock(&g_overrideMutex);
        g_override = std::move(settings);
    }
    dropConnection();
    // A database chosen outright (the command line, a test) starts this
    // thread afresh: its failures and its restore generation are its own.
    t_state.outageSaid.reset();
    t_state.generation.reset();
    t_state.restoredElsewhere = false;
}

ConnectionSettings CurrentSettings()
{
    {
        QMutexLocker lock(&g_overrideMutex);
        if (g_override)
            return *g_override;
    }
    return SettingsFromStore();
}

QString Describe(const ConnectionSettings &s)
{
    switch (s.engine) {
    case Engine::SQLite:
        return QStringLiteral("SQLite %1")
            .arg(QDir::toNativeSeparators(s.sqliteFile.isEmpty() ? AppPaths::defaultDatabaseFile() : s.sqliteFile));
    case Engine::PostgreSQL:
        return QStringLiteral("PostgreSQL %1 on %2").arg(s.catalog, s.serverName);
    case Engine::SQLServer:
        return QStringLiteral("SQL Server %1 on %2").arg(s.catalog, s.serverName);
    }
    return QString();
}

namespace {

// A value of an ODBC connection string. FreeTDS (1.3) ends a value that
// begins with '{' at the first '}' followed by ';' or the end, and keeps a
// doubled "}}" as two: a '}' inside braces is therefore written once, and
// a value holding "};" can't be written at all.
std::optional<QString> odbcValue(const QString &value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{'))
        && !value.contains(QLatin1Char('}')) && value == value.trimmed();
    if (plain)
        return value;
    if (value.contains(QLatin1String("};")))
        return std::nullopt;
    return QLatin1Char('{') + value + QLatin1Char('}');
}

} // namespace

QString SqlServerConnectionString(const ConnectionSettings &s, QString *problem)
{
    const QString server = s.serverName.trimmed().isEmpty() ? QStringLiteral("localhost") : s.serverName.trimmed();
    QString host = server;
    QString port;
    const qsizetype separator = std::max(server.lastIndexOf(QLatin1Char(':')), server.lastIndexOf(QLatin1Char(',')));
    bool numeric = false;
    if (separator > 0)
        server.mid(separator + 1).toInt(&numeric);
    if (numeric) {
        // A port given with an instance ("HOST\INSTANCE,1435") is that
        // instance's: the name is not needed to reach it.
        host = server.left(separator).section(QLatin1Char('\\'), 0, 0);
        port = server.mid(separator + 1);
    } else if (!server.contains(QLatin1Char('\\'))) {
        port = QStringLiteral("1433");
    }
    const std::pair<const char *, QString> values[] = {
        {"Servername", host}, {"Catalog", s.catalog}, {"User", s.user}, {"Password", s.password}};
    QStringList written;
    for (const auto &[key, value] : values) {
        const std::optional<QString> v = odbcValue(value);
        if (!v) {
            if (problem)
                *problem = QStringLiteral("the setting [Database] %1 holds \"};\", which the SQL Server driver "
                                          "(FreeTDS) cannot be given")
                               .arg(QLatin1String(key));
            return QString();
        }
        written << *v;
    }
    QString text = QStringLiteral("DRIVER={FreeTDS};SERVER=%1;").arg(written[0]);
    if (!port.isEmpty())
        text += QStringLiteral("PORT=%1;").arg(port);
    return text
        + QStringLiteral("DATABASE=%1;UID=%2;PWD=%3;TDS_Version=7.4;ClientCharset=UTF-8;")
              .arg(written[1], written[2], written[3]);
}

namespace {

// A server, catalog or login changed in the settings takes effect at the
// next statement, not at the next start; never inside a transaction.
bool settingsChangedSinceOpen()
{
    const quint64 now = Settings::generation();
    if (now == t_state.settingsSeen || t_state.transactionDepth > 0)
        return false;
    t_state.settingsSeen = now;
    return t_state.open && !(CurrentSettings() == *t_state.open);
}

} // namespace

QSqlDatabase GetConnection()
{
    const QString name = connectionName();
    if (t_state.open && QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen() && !settingsChangedSinceOpen())
            return db;
    }
    if (t_state.transactionDepth > 0) {
        // The connection of a running transaction is gone; a new one would
        // commit the rest on its own.
        failText(QStringLiteral("GetConnection:"), QStringLiteral("the connection was lost during a transaction"));
        return QSqlDatabase();
    }
    dropConnection();
    return openConnection(CurrentSettings());
}

qint64 Execute(const QString &sql, const QVariantList &params)
{
    QSqlDatabase db = GetConnection();
    if (!db.isValid() || (t_state.transactionDepth == 0 && !generationHolds(db)))
        return -1;
    QSqlQuery own(db);
    QSqlQuery *q = nullptr;
    if (!run(own, QStringLiteral("Execute:"), sql, params, &q))
        return -1;
    const qint64 changed = qMax(0, q->numRowsAffected());
    q->finish();
    if (changed > 0)
        ++g_writesMade;
    return changed;
}

std::optional<Recordset> GetRS(const QString &sql, const QVariantList &params)
{
    for (int attempt = 1;; ++attempt) {
        QSqlDatabase db = GetConnection();
        if (!db.isValid())
            return std::nullopt;
        QSqlQuery own(db);
        QSqlQuery *q = nullptr;
        if (runQuietly(own, sql, params, &q)) {
            Recordset rs = Recordset::fromQuery(*q);
            q->finish();
            return rs;
        }
        const QSqlError error = q->lastError();
        own = QSqlQuery();
        db = QSqlDatabase();
        // A read on a connection the server dropped (a restart) is simply
        // asked again on a new one; a read changes nothing, so that is safe.
        if (attempt == 1 && t_state.transactionDepth == 0 && dropIfBroken())
            continue;
        fail(QStringLiteral("GetRS:"), error);
        return std::nullopt;
    }
}

qint64 InsertRow(const QString &table, const QStringList &columns, const QVariantList &values)
{
    QSqlDatabase db = GetConnection();
    if (!db.isValid() || (t_state.transactionDepth == 0 && !generationHolds(db)))
        return -1;
    const QString sql = CurrentDialect().insertReturningId(table, columns);
    QSqlQuery own(db);
    QSqlQuery *q = nullptr;
    if (!run(own, QStringLiteral("Execute:"), sql, values, &q))
        return -1;
    const bool returned = q->next();
    const qint64 id = returned ? q->value(0).toLongLong() : -1;
    q->finish();
    if (!returned) {
        fail(QStringLiteral("Execute:"),
             QSqlError(QStringLiteral("the new row's id was not returned"), QString(), QSqlError::StatementError));
        return -1;
    }
    t_state.lastError.clear();
    ++g_writesMade;
    return id;
}

namespace {

// How many rows one insert of InsertRows carries. On a server each statement
// is a round trip, so many rows go in one (SQL Server takes 2,100
// parameters at most). Qt's SQLite driver finds each parameter by its place
// at a cost that grows with their number, and the engine is in the process:
// one row a statement is the fastest there.
qsizetype rowsPerInsert(Engine engine, qsizetype columns)
{
    return engine == Engine::SQLite ? 1 : qMax<qsizetype>(1, 2000 / qMax<qsizetype>(1, columns));
}

// A prepared insert of `rows` rows; false after a failure, which is shown.
bool prepareInsert(QSqlQuery &q, const QString &table, const QStringList &columns, qsizetype rows)
{
    const QString oneRow = QStringLiteral("(%1)").arg(
        QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    q.setForwardOnly(true);
    if (q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                      .arg(table, columns.join(QStringLiteral(", ")),
                           QStringList(rows, oneRow).join(QStringLiteral(", "))))) {
        return true;
    }
    fail(QStringLiteral("Execute:"), q.lastError());
    return false;
}

} // namespace

qint64 InsertRows(const QString &table, const QStringList &columns, const QList<QVariantList> &rows)
{
    QSqlDatabase db = GetConnection();
    if (!db.isValid() || (t_state.transactionDepth == 0 && !generationHolds(db)))
        return -1;
    const qsizetype perInsert = rowsPerInsert(CurrentDialect().engine(), columns.size());
    QSqlQuery full(db);
    if (rows.size() >= perInsert && !prepareInsert(full, table, columns, perInsert))
        return -1;
    for (qsizetype from = 0; from < rows.size(); from += perInsert) {
        const qsizetype count = qMin(perInsert, rows.size() - from);
        QSqlQuery rest(db); // the last, shorter batch
        QSqlQuery &q = count == perInsert ? full : rest;
        if (count != perInsert && !prepareInsert(rest, table, columns, count))
            return -1;
        int place = 0;
        for (qsizetype r = from; r < from + count; ++r) {
            for (const QVariant &value : rows[r])
                q.bindValue(place++, value);
        }
        if (!q.exec()) {
            fail(QStringLiteral("Execute:"), q.lastError());
            return -1;
        }
    }
    t_state.lastError.clear();
    if (!rows.isEmpty())
        ++g_writesMade;
    return rows.size();
}

bool InTransaction()
{
    return t_state.transactionDepth > 0;
}

namespace {

// Starts a transaction on the connection: true with the depth at 1; true
// with the depth still 0 when the server had dropped the connection (a
// restart), which is then let go for a new one, said nowhere, as nothing was
// sent; false after any other failure, which has been shown.
bool begin(QSqlDatabase &db, const Dialect &dialect, int attempt)
{
    // Not through runQuietly: the embedded engine's glance at the tables
    // belongs inside the transaction, which Transaction makes.
    QSqlQuery q(db);
    if (q.exec(dialect.beginTransaction())) {
        t_state.lastError.clear();
        t_state.transactionDepth = 1;
        return true;
    }
    const QSqlError error = q.lastError();
    q = QSqlQuery();
    db = QSqlDatabase();
    if (attempt == 1 && dropIfBroken())
        return true;
    fail(QStringLiteral("Execute:"), error);
    return false;
}

} // namespace

bool Transaction(const std::function<bool()> &body)
{
    if (t_state.transactionDepth > 0)
        return body() && !t_state.transactionFailed;
    constexpr int kAttempts = 6;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        QSqlDatabase db = GetConnection();
        if (!db.isValid())
            return false;
        const Dialect dialect(t_state.open->engine);
        if (!begin(db, dialect, attempt))
            return false;
        if (t_state.transactionDepth == 0)
            continue; // the connection was lost before anything was sent: a new one
        refreshEmbeddedSchema();
        t_state.staleInTransaction = false;
        t_state.transactionFailed = false;
        t_state.transactionError.clear();
        t_state.transactionErrorCode.clear();
        t_state.transactionDuplicate = false;
        bool ok = generationHolds(db) && body();
        if (ok && !t_state.transactionFailed) {
            QSqlQuery commit(db);
            commit.setForwardOnly(true);
            if (!commit.exec(QStringLiteral("COMMIT")))
                fail(QStringLiteral("Execute:"), commit.lastError());
            else {
                t_state.transactionDepth = 0;
                t_state.statements.endTransaction();
                return true;
            }
        }
        t_state.transactionDepth = 0;
        {
            QSqlQuery rollback(db);
            rollback.exec(QStringLiteral("ROLLBACK"));
        }
        t_state.statements.endTransaction();
        if (!t_state.transactionFailed)
            return false; // body declined; it says why itself
        // A deadlock or a serialization failure; or a kept statement gone
        // stale, which is prepared afresh when the work runs again.
        const bool again = isRetryable(dialect.engine(), t_state.transactionErrorCode)
            || std::exchange(t_state.staleInTransaction, false);
        if (again && attempt < kAttempts) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5 * attempt * attempt));
            continue;
        }
        db = QSqlDatabase();
        dropIfBroken();
        t_state.lastError = t_state.transactionError;
        t_state.lastDuplicate = t_state.transactionDuplicate;
        if (!(t_state.transactionDuplicate && t_state.duplicatesExpected > 0))
            showUnlessHeld(t_state.transactionError);
        return false;
    }
    return false;
}

quint64 WritesMade()
{
    return g_writesMade;
}

Dialect CurrentDialect()
{
    if (t_state.open)
        return Dialect(t_state.open->engine);
    return Dialect(CurrentSettings().engine);
}

void CloseConnections()
{
    dropConnection();
}

void SetRestoredElsewhereHandler(std::function<void()> handler)
{
    g_restoredElsewhere = std::move(handler);
}

void StartAfreshAfterRestore()
{
    t_state.restoredElsewhere = false;
    t_state.generation.reset(); // the next write takes the database's own
}

bool MarkRestored()
{
    QSqlDatabase db = GetConnection();
    if (!db.isValid())
        return false;
    const QString generation = QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlQuery q(db);
    bool ok = q.prepare(QStringLiteral("UPDATE tessaly_info SET value = ? WHERE name = 'restore_generation'"));
    q.addBindValue(generation);
    ok = ok && q.exec();
    if (ok && q.numRowsAffected() == 0) {
        ok = q.prepare(QStringLiteral("INSERT INTO tessaly_info (name, value) VALUES ('restore_generation', ?)"));
        q.addBindValue(generation);
        ok = ok && q.exec();
    }
    if (!ok) {
        fail(QStringLiteral("Execute:"), q.lastError());
        return false;
    }
    t_state.generation = generation;
    t_state.generationOf = t_state.open;
    return true;
}

QString TakeSchemaNote()
{
    return std::exchange(t_state.schemaNote, QString());
}

QString LastError()
{
    return t_state.lastError;
}

bool IsReadOnly()
{
    if (t_state.open && t_state.newerSchema > 0)
        return true;
    const ConnectionSettings s = t_state.open ? *t_state.open : CurrentSettings();
    if (s.engine == Engine::SQLite)
        return readOnlyConnection(s);
    if (s.engine != Engine::PostgreSQL)
        return false;
    QSqlDatabase db = GetConnection();
    if (!db.isValid())
        return false;
    QSqlQuery q(db);
    return q.exec(QStringLiteral("select current_setting('transaction_read_only')")) && q.next()
        && q.value(0).toString() == QLatin1String("on");
}

QString LastReason()
{
    return t_state.lastError.isEmpty() ? QString() : t_state.lastReason;
}

bool LastFailureNamedMissingColumn()
{
    return !t_state.lastError.isEmpty() && t_state.lastMissingColumn;
}

bool LastFailureWasValueTooLong()
{
    return !t_state.lastError.isEmpty() && t_state.lastTooLong;
}

bool LastFailureWasDuplicate()
{
    return !t_state.lastError.isEmpty() && t_state.lastDuplicate;
}

DuplicatesExpected::DuplicatesExpected()
{
    ++t_state.duplicatesExpected;
}

DuplicatesExpected::~DuplicatesExpected()
{
    --t_state.duplicatesExpected;
}

HeldErrors::HeldErrors()
{
    ++t_state.heldErrors;
}

HeldErrors::~HeldErrors()
{
    --t_state.heldErrors;
}

} // namespace Database
