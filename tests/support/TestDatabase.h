#pragma once

#include "data/Database.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <string>
#include <vector>

// Real databases for tests: a fresh SQLite file per test, or this process's
// own PostgreSQL catalog (created on first use on the server named by
// TESSALY_TEST_PG="host:port", emptied before each test, dropped at exit).
// PostgreSQL tests are skipped when TESSALY_TEST_PG is not set, and fail
// instead when TESSALY_REQUIRE_PG=1 (the test script sets both).
namespace TestDatabase {

// The engines to run engine-parameterised tests on.
std::vector<Engine> Engines();
std::string EngineName(Engine engine);

// Makes the engine's test database current and empty (State codes only).
// Returns false (with the reason in *why) when the engine can't be reached.
bool UseFresh(Engine engine, QString *why);

// The settings UseFresh chose, for tests that open other connections.
Database::ConnectionSettings SettingsFor(Engine engine);

// A second, independent connection to the current database, as another
// counter holds one: the SQLite file on disk or the server's catalog. The
// caller closes it and removes the connection name.
QSqlDatabase OpenOutside(const QString &connectionName);
// The same for a database given by its settings (a catalog the program has
// not opened yet).
QSqlDatabase OpenOutside(const Database::ConnectionSettings &settings, const QString &connectionName);

// A new, empty PostgreSQL catalog beside this process's own, not current and
// not touched by the program (for tests that build a database the way an
// earlier release or a shop would). Dropped at exit with the process's own.
std::optional<Database::ConnectionSettings> NewPostgresCatalog(const QString &suffix, QString *why);

// A new empty SQLite file of this test process.
QString NewSqliteFile();

// Whether PostgreSQL tests are expected to run.
bool PostgresRequired();

// Drops this process's PostgreSQL catalog (the test mains call it after the
// last test, while the connections still exist).
void DropCatalog();

} // namespace TestDatabase

// For engine-parameterised gtest suites: skips (or fails, when required) a
// test whose engine can't be reached.
#define TESSALY_USE_FRESH_DATABASE(engine)                                                                             \
    do {                                                                                                               \
        QString why_;                                                                                                  \
        if (!TestDatabase::UseFresh((engine), &why_)) {                                                                \
            if ((engine) == Engine::SQLite || TestDatabase::PostgresRequired())                                        \
                FAIL() << why_.toStdString();                                                                          \
            GTEST_SKIP() << why_.toStdString();                                                                        \
        }                                                                                                              \
    } while (0)
