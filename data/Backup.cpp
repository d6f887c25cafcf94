#include "data/Backup.h"

#include "data/AppPaths.h"
#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/FileReplace.h"
#include "data/Schema.h"
#include "data/ServerAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <cstdio>

namespace Backup {

namespace {

const QStringList kTables = {QStringLiteral("sales"),    QStringLiteral("salesitem"), QStringLiteral("saleslabor"),
                             QStringLiteral("payment"),  QStringLiteral("customer"),  QStringLiteral("State"),
                             QStringLiteral("product"),  QStringLiteral("labor"),     QStringLiteral("employee"),
                             QStringLiteral("TimeInOut")};

Result failure(const QString &file, const QString &message)
{
    Result r;
    r.file = file;
    r.message = message;
    return r;
}

QString sizeText(qint64 bytes)
{
    return QLocale::system().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

Result written(const QString &target)
{
    Result r;
    r.ok = true;
    r.file = target;
    r.bytes = QFileInfo(target).size();
    r.message = QStringLiteral("Backup written to %1 (%2).").arg(QDir::toNativeSeparators(target), sizeText(r.bytes));
    return r;
}

Result restored(const QString &file, const QString &aside)
{
    Result r;
    r.ok = true;
    r.file = file;
    r.message = QStringLiteral("Restored from %1. The database as it was is kept in %2.")
                    .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(aside));
    return r;
}

QString liveSqliteFile(const Database::ConnectionSettings &s)
{
    return QFileInfo(s.sqliteFile.isEmpty() ? AppPaths::defaultDatabaseFile() : s.sqliteFile).absoluteFilePath();
}

// Backups hold every customer and every PIN: readable by their owner only.
bool moveOver(const QString &from, const QString &to, QString *error)
{
    return FileReplace::Replace(from, to, error, FileReplace::kOwnerOnly);
}

// The engine's reason as the user reads it: the driver's own words and the
// name of the temporary file left out.
QString plainReason(QString reason)
{
    reason.remove(QStringLiteral(" (Unable to fetch row)"));
    reason.remove(QStringLiteral(" Unable to fetch row"));
    const int at = reason.indexOf(QStringLiteral(": /"));
    if (reason.startsWith(QStringLiteral("unable to open database")) && at > 0)
        reason = QStringLiteral("the folder cannot be written (read-only, or permission denied)");
    return reason.trimmed();
}

// What the engine said, without the driver's own words around it.
QString reasonOf(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.text().trimmed() : db;
}

// A file beside the target for the copy being written, hidden and never a
// name a user would pick.
QString temporaryBeside(const QString &target)
{
    const QFileInfo info(target);
    const QString temp = info.absoluteDir().filePath(
        QStringLiteral(".%1.%2.part").arg(info.fileName()).arg(QCoreApplication::applicationPid()));
    QFile::remove(temp);
    return temp;
}

// A connection of its own to another SQLite file, closed when it goes.
class SideConnection
{
public:
    SideConnection(const QString &file, bool readOnly) : m_name(QStringLiteral("tessaly-side-%1").arg(quintptr(this)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_open = db.open();
        if (!m_open)
            m_error = reasonOf(db.lastError());
    }
    ~SideConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    // The first column of the first row, or an invalid QVariant (error set).
    QVariant scalar(const QString &sql, const QVariantList &params = {})
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        q.prepare(sql);
        for (const QVariant &p : params)
            q.addBindValue(p);
        if (!q.exec()) {
            m_error = reasonOf(q.lastError());
            return QVariant();
        }
        return q.next() ? q.value(0) : QVariant(QString());
    }
    bool exec(const QString &sql, const QVariantList &params = {})
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        q.prepare(sql);
        for (const QVariant &p : params)
            q.addBindValue(p);
        if (q.exec())
            return true;
        m_error = reasonOf(q.lastError());
        return false;
    }

private:
    QString m_name;
    bool m_open = false;
    QString m_error;
};

// Marks a fresh copy as a backup and makes it one self-contained file.
bool markSqliteCopy(const QString &copy, const QString &source, QString *error)
{
    SideConnection side(copy, false);
    const bool ok = side.isOpen() && side.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))
        && side.exec(QStringLiteral("insert or replace into tessaly_info (name, value) values ('backup_taken', ?)"),
                     {DateText::toDb(Clock::now())})
        && side.exec(QStringLiteral("insert or replace into tessaly_info (name, value) values ('backup_of', ?)"),
                     {source});
    if (!ok)
        *error = side.error();
    return ok;
}

Result createSqlite(const QString &target, const Database::ConnectionSettings &s)
{
    const QString live = liveSqliteFile(s);
    if (!Database::GetConnection().isValid())
        return failure(target, Database::LastError());
    const QString temp = temporaryBeside(target);
    if (Database::Execute(QStringLiteral("VACUUM INTO ?"), {temp}) < 0) {
        QFile::remove(temp);
        return failure(target,
                       QStringLiteral("The backup could not be written to %1: %2")
                           .arg(QDir::toNativeSeparators(target), plainReason(Database::LastReason())));
    }
    QString error;
    if (!markSqliteCopy(temp, live, &error) || !moveOver(temp, target, &error)) {
        QFile::remove(temp);
        return failure(target, QStringLiteral("The backup could not be written: %1").arg(error));
    }
    return written(target);
}

// The PostgreSQL client tools, with the connection of the settings.
struct PgTool
{
    QString program;
    QStringList connectionArgs;
    QProcessEnvironment env;
};

PgTool pgTool(const QString &name, const Database::ConnectionSettings &s)
{
    PgTool t;
    t.program = QStandardPaths::findExecutable(name);
    if (t.program.isEmpty()) {
        const QStringList dirs =
            QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &d : dirs) {
            const QString candidate = QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(d, name);
            if (QFileInfo::exists(candidate))
                t.program = candidate;
        }
    }
    const ServerAddress server = ServerAddress::parse(s.serverName, 5432);
    t.connectionArgs = {QStringLiteral("-h"),         server.host,          QStringLiteral("-p"),
                        QString::number(server.port), QStringLiteral("-U"), s.user};
    t.env = QProcessEnvironment::systemEnvironment();
    t.env.insert(QStringLiteral("PGPASSWORD"), s.password);
    // A dump keeps the wall-clock time it was taken at, without its zone, and
    // the listing gives it back as kept: both run in UTC, so the time reads
    // the same wherever the shop's machine is set.
    t.env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    return t;
}

bool runTool(const PgTool &tool, const QStringList &args, QString *output, QString *error)
{
    if (tool.program.isEmpty()) {
        *error = QStringLiteral("the PostgreSQL client tools (pg_dump, pg_restore) are not installed");
        return false;
    }
    QProcess p;
    p.setProcessEnvironment(tool.env);
    p.start(tool.program, args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(-1)) {
        *error = p.errorString();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAllStandardOutput());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

Result createPostgres(const QString &target, const Database::ConnectionSettings &s)
{
    const PgTool tool = pgTool(QStringLiteral("pg_dump"), s);
    const QString temp = temporaryBeside(target);
    QString error;
    if (!runTool(tool,
                 QStringList{QStringLiteral("-Fc"), QStringLiteral("-f"), temp} << tool.connectionArgs
                                                                                << QStringLiteral("-d") << s.catalog,
                 nullptr, &error)
        || !moveOver(temp, target, &error)) {
        QFile::remove(temp);
        return failure(target, QStringLiteral("The backup could not be written: %1").arg(error));
    }
    return written(target);
}

bool hasSqliteHeader(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}

Info inspectSqlite(const QString &file)
{
    Info info;
    const QString name = QDir::toNativeSeparators(file);
    // A file that starts as a database but can't be read through is a
    // backup that was damaged (a bad stick, a copy cut short), not a file of
    // another kind.
    if (!hasSqliteHeader(file)) {
        info.reason = QStringLiteral("%1 is not a Tessaly backup.").arg(name);
        return info;
    }
    SideConnection side(file, true);
    const QVariant id = side.isOpen() ? side.scalar(QStringLiteral("PRAGMA application_id")) : QVariant();
    if (!id.isValid()) {
        info.reason = QStringLiteral("%1 is damaged: %2").arg(name, side.error());
        return info;
    }
    if (id.toInt() != Schema::kSqliteApplicationId) {
        info.reason = QStringLiteral("%1 is not a Tessaly backup.").arg(name);
        return info;
    }
    const QVariant check = side.scalar(QStringLiteral("PRAGMA integrity_check"));
    if (check.toString() != QLatin1String("ok")) {
        const QString detail = check.isValid() ? check.toString() : side.error();
        info.reason = QStringLiteral("%1 is damaged (%2)").arg(name, detail.section(QLatin1Char('\n'), 0, 0).trimmed());
        return info;
    }
    const QVariant tables = side.scalar(QStringLiteral("select count(*) from sqlite_master where type = 'table' and "
                                                       "lower(name) in ('sales', 'salesitem', 'customer', 'product')"));
    if (tables.toInt() != 4) {
        info.reason = QStringLiteral("%1 is not a Tessaly backup.").arg(name);
        return info;
    }
    info.taken = DateText::fromDb(
        side.scalar(QStringLiteral("select value from tessaly_info where name = 'backup_taken'")));
    info.valid = true;
    return info;
}

// When a dump was taken, from pg_restore's listing of it (invalid when it
// does not say).
QDateTime takenFromListing(const QString &listing)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Archive created at (\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)"))
            .match(listing);
    if (!m.hasMatch())
        return QDateTime();
    QDateTime utc = QDateTime::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    utc.setTimeSpec(Qt::UTC);
    return utc.toLocalTime();
}

Info inspectPostgres(const QString &file, const Database::ConnectionSettings &s)
{
    Info info;
    QString listing, error;
    if (!runTool(pgTool(QStringLiteral("pg_restore"), s), {QStringLiteral("-l"), file}, &listing, &error)) {
        info.reason = QStringLiteral("%1 is not a Tessaly backup: %2").arg(QDir::toNativeSeparators(file), error);
        return info;
    }
    if (!listing.contains(QRegularExpression(QStringLiteral("TABLE DATA \\S+ tessaly_info")))) {
        info.reason = QStringLiteral("%1 is not a Tessaly backup.").arg(QDir::toNativeSeparators(file));
        return info;
    }
    info.taken = takenFromListing(listing);
    info.valid = true;
    return info;
}

// A name no earlier copy has: two restores within one second must not
// overwrite what the first one kept aside.
QString asideName(const QString &folder, const QString &extension)
{
    const QDir dir(folder);
    const QString stamp = Clock::now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = dir.filePath(QStringLiteral("tessaly-before-restore-%1.%2").arg(stamp, extension));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = dir.filePath(QStringLiteral("tessaly-before-restore-%1-%2.%3").arg(stamp).arg(n).arg(extension));
    return name;
}

// The columns a table has in both databases.
QStringList sharedColumns(const QString &table)
{
    const auto mine = Database::GetRS(QStringLiteral("PRAGMA main.table_info(%1)").arg(table));
    const auto theirs = Database::GetRS(QStringLiteral("PRAGMA restore_src.table_info(%1)").arg(table));
    QStringList shared;
    if (!mine || !theirs)
        return shared;
    QStringList other;
    for (int r = 0; r < theirs->rowCount(); ++r)
        other << theirs->value(r, QStringLiteral("name")).toString().toLower();
    for (int r = 0; r < mine->rowCount(); ++r) {
        const QString name = mine->value(r, QStringLiteral("name")).toString();
        if (other.contains(name.toLower()))
            shared << name;
    }
    return shared;
}

// The last id each table handed out, whether or not its row is still there.
using HandedOut = QList<QPair<QString, qint64>>;

std::optional<HandedOut> handedOutSqlite()
{
    const auto rs = Database::GetRS(QStringLiteral("SELECT name, seq FROM main.sqlite_sequence"));
    if (!rs)
        return std::nullopt;
    HandedOut ids;
    for (int r = 0; r < rs->rowCount(); ++r)
        ids << qMakePair(rs->value(r, 0).toString(), rs->value(r, 1).toLongLong());
    return ids;
}

// A ticket number printed on paper before the restore never comes back for
// another ticket: every counter goes on above what it had handed out.
bool keepCountersAbove(const HandedOut &before)
{
    for (const auto &[table, last] : before) {
        const qint64 raised = Database::Execute(
            QStringLiteral("UPDATE main.sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"), {last, table});
        if (raised < 0
            || (raised == 0
                && Database::Execute(QStringLiteral("INSERT INTO main.sqlite_sequence (name, seq) VALUES (?, ?)"),
                                     {table, last})
                    < 0))
            return false;
    }
    return true;
}

bool copyTables()
{
    const std::optional<HandedOut> before = handedOutSqlite();
    if (!before)
        return false;
    for (const QString &table : kTables) {
        const QString cols = sharedColumns(table).join(QLatin1Char(','));
        if (cols.isEmpty() || Database::Execute(QStringLiteral("DELETE FROM main.%1").arg(table)) < 0
            || Database::Execute(
                   QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM restore_src.%1").arg(table, cols))
                < 0)
            return false;
    }
    return Database::Execute(QStringLiteral("DELETE FROM main.sqlite_sequence")) >= 0
        && Database::Execute(QStringLiteral("INSERT INTO main.sqlite_sequence (name, seq) "
                                            "SELECT name, seq FROM restore_src.sqlite_sequence"))
        >= 0
        && keepCountersAbove(*before) && Database::MarkRestored();
}

Result restoreSqlite(const QString &file, const Database::ConnectionSettings &s)
{
    const QString live = liveSqliteFile(s);
    if (Database::IsReadOnly())
        return failure(
            file,
            QStringLiteral("The database %1 is read-only; nothing was restored.").arg(QDir::toNativeSeparators(live)));
    if (FileReplace::IsDatabaseInUse(file))
        return failure(file, QStringLiteral("%1 is the database in use.").arg(QDir::toNativeSeparators(file)));
    const Result aside = createSqlite(asideName(QFileInfo(live).absolutePath(), QStringLiteral("db")), s);
    if (!aside.ok)
        return failure(file,
                       QStringLiteral("The current database could not be kept aside, so nothing was restored. %1")
                           .arg(aside.message));
    if (Database::Execute(QStringLiteral("ATTACH DATABASE ? AS restore_src"), {file}) < 0)
        return failure(file, Database::LastError());
    // The live audit log and master code stay as they are (tessaly_info and
    // the log are not among the tables copied), and the log says that a
    // restore happened.
    const bool committed = Database::Transaction([&] {
        return copyTables()
            && AuditLog::Record(AuditLog::kRestore, QString(),
                                QStringLiteral("from %1").arg(QDir::toNativeSeparators(file)));
    });
    Database::Execute(QStringLiteral("DETACH DATABASE restore_src"));
    if (!committed)
        return failure(file,
                       QStringLiteral("The backup could not be restored; the database is as it was. %1")
                           .arg(Database::LastError()));
    return restored(file, aside.file);
}

// The last id each table's identity handed out (0 when none yet).
std::optional<HandedOut> handedOutPostgres()
{
    HandedOut ids;
    for (const QString &table : kTables) {
        const auto rs = Database::GetRS(
            QStringLiteral("SELECT pg_sequence_last_value(pg_get_serial_sequence(?, 'id'))"), {table.toLower()});
        if (!rs)
            return std::nullopt;
        ids << qMakePair(table.toLower(), rs->value(0, 0).toLongLong());
    }
    return ids;
}

bool keepIdentitiesAbove(const HandedOut &before)
{
    for (const auto &[table, last] : before) {
        if (last > 0
            && !Database::GetRS(
                QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'id'), greatest(?, "
                               "coalesce(pg_sequence_last_value(pg_get_serial_sequence(?, 'id')), 0)))"),
                {table, last, table}))
            return false;
    }
    return true;
}

const QStringList kAuditColumns = {QStringLiteral("id"),     QStringLiteral("at"),     QStringLiteral("counter"),
                                   QStringLiteral("who"),    QStringLiteral("action"), QStringLiteral("subject"),
                                   QStringLiteral("details")};

// The rows of tessaly_info that hold the shop's master code (MasterCode
// keeps its hash in these two).
const QStringList kMasterCodeRows = {QStringLiteral("master_code"), QStringLiteral("master_code_2")};

// What the live database holds that a backup never takes back: the audit
// log (only ever added to) and the shop's current master code, which an
// older backup would otherwise turn back into a code the shop gave up.
struct LiveKept
{
    Recordset audit;
    Recordset masterCode; // name, value
};

std::optional<LiveKept> readLiveKept()
{
    const std::optional<Recordset> audit = Database::GetRS(
        QStringLiteral("SELECT %1 FROM auditlog ORDER BY id").arg(kAuditColumns.join(QStringLiteral(", "))));
    const std::optional<Recordset> code = Database::GetRS(
        QStringLiteral("SELECT name, value FROM tessaly_info WHERE name = ? OR name = ?"),
        {kMasterCodeRows[0], kMasterCodeRows[1]});
    if (!audit || !code)
        return std::nullopt;
    return LiveKept{*audit, *code};
}

// The entries written since the backup was taken go back in after it, under
// their own numbers, and the log goes on above them.
bool keepAuditEntries(const Recordset &live)
{
    const auto kept = Database::GetRS(QStringLiteral("SELECT coalesce(max(id), 0) FROM auditlog"));
    if (!kept)
        return false;
    const qint64 last = kept->value(0, 0).toLongLong();
    const QString insert = QStringLiteral("INSERT INTO auditlog (%1) VALUES (?, ?, ?, ?, ?, ?, ?)")
                               .arg(kAuditColumns.join(QStringLiteral(", ")));
    for (int r = 0; r < live.rowCount(); ++r) {
        if (live.value(r, QStringLiteral("id")).toLongLong() <= last)
            continue;
        QVariantList values;
        for (const QString &column : kAuditColumns)
            values << live.value(r, column);
        if (Database::Execute(insert, values) < 0)
            return false;
    }
    return bool(Database::GetRS(QStringLiteral("SELECT setval(pg_get_serial_sequence('auditlog', 'id'), "
                                               "greatest(1, (SELECT coalesce(max(id), 0) FROM auditlog)))")));
}

// The backup's master code gives way to the live one (or to none, when the
// shop had set none).
bool keepMasterCode(const Recordset &live)
{
    if (Database::Execute(QStringLiteral("DELETE FROM tessaly_info WHERE name = ? OR name = ?"),
                          {kMasterCodeRows[0], kMasterCodeRows[1]})
        < 0)
        return false;
    for (int r = 0; r < live.rowCount(); ++r) {
        if (Database::Execute(QStringLiteral("INSERT INTO tessaly_info (name, value) VALUES (?, ?)"),
                              {live.value(r, 0), live.value(r, 1)})
            < 0)
            return false;
    }
    return true;
}

// One field of a comma-separated file, quoted when it has to be.
QString csvField(const QString &text)
{
    if (!text.contains(QRegularExpression(QStringLiteral("[\",\r\n]"))))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The audit log as it was before the restore, as a comma-separated file
// with a header (PostgreSQL's COPY … CSV HEADER reads it back), readable by
// its owner only.
bool writeAuditFile(const Recordset &audit, const QString &file, QString *error)
{
    QStringList lines{kAuditColumns.join(QLatin1Char(','))};
    for (int r = 0; r < audit.rowCount(); ++r) {
        QStringList fields;
        for (const QString &column : kAuditColumns) {
            const QVariant v = audit.value(r, column);
            fields << csvField(column == QLatin1String("at") ? DateText::toDb(DateText::fromDb(v)) : v.toString());
        }
        lines << fields.join(QLatin1Char(','));
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        || out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 || !out.flush()) {
        *error = out.errorString();
        return false;
    }
    out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

// The restore is done, but what it had to keep of the live database could
// not be written back: the entries go into a file beside the kept-aside
// copy, so none is lost.
Result auditNotKept(const QString &file, const QString &aside, const Recordset &audit, const QString &reason)
{
    const QString entries = QFileInfo(aside).absoluteDir().filePath(QFileInfo(aside).completeBaseName()
                                                                    + QStringLiteral("-auditlog.csv"));
    QString error;
    const QString where = writeAuditFile(audit, entries, &error)
        ? QStringLiteral("The audit log as it was before the restore is kept in %1.")
              .arg(QDir::toNativeSeparators(entries))
        : QStringLiteral("It could not be written to %1 either (%2), but the database as it was holds it.")
              .arg(QDir::toNativeSeparators(entries), error);
    return failure(file,
                   QStringLiteral("The backup was restored, but the audit log could not be brought up to date: "
                                  "the entries written since the backup was taken and the entry of this "
                                  "restore were not written, and the master code is the backup's (%1). %2 "
                                  "The database as it was is kept in %3.")
                       .arg(reason, where, QDir::toNativeSeparators(aside)));
}

// The other counters' sessions end before the restore replaces what they
// show: each of them starts afresh on its next step.
bool endOtherCounters()
{
    return bool(Database::GetRS(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                               "WHERE datname = current_database() AND pid <> pg_backend_pid()")));
}

Result restorePostgres(const QString &file, const Database::ConnectionSettings &s)
{
    const Result aside = createPostgres(asideName(AppPaths::programFolder(), QStringLiteral("dump")), s);
    if (!aside.ok)
        return failure(file,
                       QStringLiteral("The current database could not be kept aside, so nothing was restored. %1")
                           .arg(aside.message));
    const std::optional<HandedOut> before = handedOutPostgres();
    if (!before || !endOtherCounters())
        return failure(file, QStringLiteral("Nothing was restored. %1").arg(Database::LastError()));
    // Read once the other counters are gone, so nothing they write is missed.
    const std::optional<LiveKept> live = readLiveKept();
    if (!live)
        return failure(file, QStringLiteral("Nothing was restored. %1").arg(Database::LastError()));
    Database::CloseConnections();
    const PgTool tool = pgTool(QStringLiteral("pg_restore"), s);
    QString error;
    if (!runTool(tool,
                 QStringList{QStringLiteral("--single-transaction"), QStringLiteral("--clean"),
                             QStringLiteral("--if-exists"), QStringLiteral("--no-owner")}
                     << tool.connectionArgs << QStringLiteral("-d") << s.catalog << file,
                 nullptr, &error))
        return failure(file,
                       QStringLiteral("The backup could not be restored; the database is as it was. %1").arg(error));
    // Marked before the writes below: the restored rows carry the backup's
    // restore generation, which they would take for a restore elsewhere.
    if (!keepIdentitiesAbove(*before) || !Database::MarkRestored())
        return failure(file,
                       QStringLiteral("The backup was restored, but its ticket numbers could not be moved above "
                                      "those handed out before: %1")
                           .arg(Database::LastError()));
    // The live entries, the live code and the restore's own entry: all or none.
    const bool kept = Database::Transaction([&] {
        return keepAuditEntries(live->audit) && keepMasterCode(live->masterCode)
            && AuditLog::Record(AuditLog::kRestore, QString(),
                                QStringLiteral("from %1").arg(QDir::toNativeSeparators(file)));
    });
    if (!kept)
        return auditNotKept(file, aside.file, live->audit, Database::LastError());
    return restored(file, aside.file);
}

bool startsWith(const QString &file, const QByteArray &magic)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(magic.size()) == magic;
}

// When an embedded backup says it was taken, read without checking the rest.
QDateTime sqliteTaken(const QString &file)
{
    SideConnection side(file, true);
    if (!side.isOpen())
        return QDateTime();
    return DateText::fromDb(side.scalar(QStringLiteral("select value from tessaly_info where name = 'backup_taken'")));
}

// When a dump says it was taken (pg_restore reads only its table of contents).
QDateTime dumpTaken(const QString &file)
{
    QString listing, error;
    if (!runTool(pgTool(QStringLiteral("pg_restore"), Database::CurrentSettings()), {QStringLiteral("-l"), file},
                 &listing, &error))
        return QDateTime();
    return takenFromListing(listing);
}

const QString kServerOwnBackup = QStringLiteral(
    "This shop's database is on SQL Server: back it up and restore it with the server's own tools.");

} // namespace

Result Create(const QString &file)
{
    // Each failure is told once, in the result's message.
    const Database::HeldErrors quiet;
    const Database::ConnectionSettings s = Database::CurrentSettings();
    const QString target = QFileInfo(file).absoluteFilePath();
    QString refused;
    if (!FileReplace::CanReplace(target, &refused, QStringLiteral("the backup")))
        return failure(target, refused);
    switch (s.engine) {
    case Engine::SQLite:
        return createSqlite(target, s);
    case Engine::PostgreSQL:
        return createPostgres(target, s);
    case Engine::SQLServer:
        return failure(target, kServerOwnBackup);
    }
    return failure(target, kServerOwnBackup);
}

Info Inspect(const QString &file)
{
    const Database::HeldErrors quiet;
    Info info;
    if (!QFileInfo(file).isFile()) {
        info.reason = QStringLiteral("%1 does not exist, or is not a file.")
                          .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
        return info;
    }
    const Database::ConnectionSettings s = Database::CurrentSettings();
    switch (s.engine) {
    case Engine::SQLite:
        return inspectSqlite(QFileInfo(file).absoluteFilePath());
    case Engine::PostgreSQL:
        return inspectPostgres(file, s);
    case Engine::SQLServer:
        info.reason = kServerOwnBackup;
        return info;
    }
    return info;
}

Summary Summarize(const QString &file)
{
    const Database::HeldErrors quiet;
    Summary summary;
    if (hasSqliteHeader(file)) {
        summary.engine = QStringLiteral("SQLite");
        summary.taken = sqliteTaken(file);
    } else if (startsWith(file, QByteArrayLiteral("PGDMP"))) {
        summary.engine = QStringLiteral("PostgreSQL");
        summary.taken = dumpTaken(file);
    }
    if (!summary.taken.isValid())
        summary.taken = QFileInfo(file).lastModified();
    return summary;
}

bool CanCreateHere(QString *why)
{
    const Database::ConnectionSettings s = Database::CurrentSettings();
    QString reason;
    if (s.engine == Engine::PostgreSQL && pgTool(QStringLiteral("pg_dump"), s).program.isEmpty())
        reason = QStringLiteral("pg_dump, which copies a PostgreSQL database, is not installed on this machine");
    else if (s.engine == Engine::SQLServer)
        reason = QStringLiteral("the shop's database is on SQL Server");
    if (why)
        *why = reason;
    return reason.isEmpty();
}

int OtherCounters()
{
    if (Database::CurrentSettings().engine != Engine::PostgreSQL)
        return 0;
    const Database::HeldErrors quiet;
    // A backup's own pg_dump is no counter, though its session lingers a
    // moment after the dump has ended.
    const auto rs = Database::GetRS(QStringLiteral("SELECT count(*) FROM pg_stat_activity "
                                                   "WHERE datname = current_database() AND pid <> pg_backend_pid() "
                                                   "AND coalesce(application_name, '') NOT IN ('pg_dump', 'pg_restore')"));
    return rs ? rs->value(0, 0).toInt() : 0;
}

Result Restore(const QString &file)
{
    const Database::HeldErrors quiet;
    const Info info = Inspect(file);
    if (!info.valid)
        return failure(file, info.reason);
    const Database::ConnectionSettings s = Database::CurrentSettings();
    Result r = s.engine == Engine::SQLite ? restoreSqlite(QFileInfo(file).absoluteFilePath(), s)
                                          : restorePostgres(QFileInfo(file).absoluteFilePath(), s);
    return r;
}

} // namespace Backup
