#include "tests/support/TestDatabase.h"

#include "tests/support/TestEnvironment.h"

#include "data/Schema.h"
#include "data/ServerAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <cstdlib>

namespace TestDatabase {

namespace {

QString g_pgCatalog;
QStringList g_otherCatalogs; // made by NewPostgresCatalog, dropped with the process's own
bool g_pgReady = false;
int g_fileCounter = 0;

QString pgServer()
{
    return qEnvironmentVariable("TESSALY_TEST_PG");
}

// Runs one statement on the server's maintenance catalog.
bool adminExec(const QString &sql, QString *why)
{
    const QString name = QStringLiteral("tessaly-test-admin");
    bool ok;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        const QString server = pgServer();
        const ServerAddress address = ServerAddress::parse(server, 5432);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("kzv"));
        db.setPassword(QStringLiteral("kzv"));
        ok = db.open();
        if (!ok) {
            *why = QStringLiteral("PostgreSQL at %1: %2").arg(server, db.lastError().text());
        } else {
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok)
                *why = q.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool preparePostgres(QString *why)
{
    if (g_pgReady)
        return true;
    if (pgServer().isEmpty()) {
        *why = QStringLiteral("TESSALY_TEST_PG is not set; PostgreSQL tests skipped");
        return false;
    }
    g_pgCatalog = QStringLiteral("tessaly_test_%1_%2")
                      .arg(QFileInfo(QCoreApplication::applicationFilePath()).baseName().toLower())
                      .arg(QCoreApplication::applicationPid());
    if (!adminExec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\"").arg(g_pgCatalog), why)
        || !adminExec(QStringLiteral("CREATE DATABASE \"%1\"").arg(g_pgCatalog), why))
        return false;
    g_pgReady = true;
    return true;
}

bool emptyPostgres(QString *why)
{
    // Every table of the shop's rows, so a new table can't carry rows from
    // one test into the next. The audit log refuses TRUNCATE: its guard is
    // set aside for this one statement, by the catalog's owner, and is back
    // before anything else can see the catalog.
    // The shop's own entries of tessaly_info (its master code, the demo
    // mark) go too; the schema's marks and the restore generation stay.
    const bool emptied = Database::Transaction([] {
        return Database::Execute(QStringLiteral("ALTER TABLE auditlog DISABLE TRIGGER auditlog_no_truncate")) >= 0
            && Database::Execute(
                   QStringLiteral("TRUNCATE %1 RESTART IDENTITY").arg(Schema::ShopTables().join(QStringLiteral(", "))))
            >= 0
            && Database::Execute(QStringLiteral("ALTER TABLE auditlog ENABLE TRIGGER auditlog_no_truncate")) >= 0
            && Database::Execute(QStringLiteral("DELETE FROM tessaly_info WHERE name NOT IN "
                                                "('application', 'schema_version', 'restore_generation')"))
            >= 0;
    });
    if (!emptied) {
        *why = Database::LastError();
        return false;
    }
    return true;
}

} // namespace

void DropCatalog()
{
    if (!g_pgReady)
        return;
    Database::SetOverride(std::nullopt);
    QString why;
    for (const QString &catalog : std::as_const(g_otherCatalogs) + QStringList{g_pgCatalog})
        adminExec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(catalog), &why);
    g_otherCatalogs.clear();
    g_pgReady = false;
}

std::vector<Engine> Engines()
{
    return {Engine::SQLite, Engine::PostgreSQL};
}

std::string EngineName(Engine engine)
{
    return engine == Engine::SQLite ? "SQLite" : engine == Engine::PostgreSQL ? "PostgreSQL" : "SQLServer";
}

QSqlDatabase OpenOutside(const QString &connectionName)
{
    return OpenOutside(Database::CurrentSettings(), connectionName);
}

QSqlDatabase OpenOutside(const Database::ConnectionSettings &s, const QString &connectionName)
{
    const bool sqlite = s.engine == Engine::SQLite;
    QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
                                                connectionName);
    if (sqlite) {
        db.setDatabaseName(s.sqliteFile);
    } else {
        const ServerAddress address = ServerAddress::parse(s.serverName, 5432);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setDatabaseName(s.catalog);
        db.setUserName(s.user);
        db.setPassword(s.password);
    }
    db.open();
    return db;
}

std::optional<Database::ConnectionSettings> NewPostgresCatalog(const QString &suffix, QString *why)
{
    if (!preparePostgres(why))
        return std::nullopt;
    Database::ConnectionSettings s = SettingsFor(Engine::PostgreSQL);
    s.catalog = g_pgCatalog + QLatin1Char('_') + suffix;
    if (!adminExec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(s.catalog), why)
        || !adminExec(QStringLiteral("CREATE DATABASE \"%1\"").arg(s.catalog), why))
        return std::nullopt;
    if (!g_otherCatalogs.contains(s.catalog))
        g_otherCatalogs << s.catalog;
    return s;
}

bool PostgresRequired()
{
    return qEnvironmentVariable("TESSALY_REQUIRE_PG") == QLatin1String("1");
}

QString NewSqliteFile()
{
    const QString dir = TestEnvironment::root() + QStringLiteral("/db");
    QDir().mkpath(dir);
    return QStringLiteral("%1/test-%2.db").arg(dir).arg(++g_fileCounter);
}

Database::ConnectionSettings SettingsFor(Engine engine)
{
    Database::ConnectionSettings s;
    s.engine = engine;
    if (engine == Engine::PostgreSQL) {
        s.serverName = pgServer();
        s.catalog = g_pgCatalog;
    }
    return s;
}

bool UseFresh(Engine engine, QString *why)
{
    if (engine == Engine::SQLite) {
        Database::ConnectionSettings s = SettingsFor(engine);
        s.sqliteFile = NewSqliteFile();
        Database::SetOverride(s);
        if (!Database::GetConnection().isValid()) {
            *why = Database::LastError();
            return false;
        }
        return true;
    }
    if (!preparePostgres(why))
        return false;
    Database::SetOverride(SettingsFor(engine));
    if (!Database::GetConnection().isValid()) {
        *why = Database::LastError();
        return false;
    }
    return emptyPostgres(why);
}

} // namespace TestDatabase
