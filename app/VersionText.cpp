#include "app/VersionText.h"

#include "data/Schema.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QtGlobal>

// The one place the release is named is the CMake project; the build hands
// it to this file alone.
#ifndef TESSALY_VERSION
#error "TESSALY_VERSION comes from the CMake project's version"
#endif

namespace {

struct EngineDriver
{
    const char *driver;
    const char *engine;
    const char *package; // the Debian package that brings the driver
};

constexpr EngineDriver kEngines[] = {
    {"QSQLITE", "SQLite (the embedded database)", "libqt6sql6-sqlite"},
    {"QPSQL", "PostgreSQL", "libqt6sql6-psql"},
    {"QODBC", "SQL Server through ODBC", "libqt6sql6-odbc"},
};

} // namespace

QString VersionText()
{
    const QStringList drivers = QSqlDatabase::drivers();
    QStringList usable, missing;
    for (const EngineDriver &e : kEngines) {
        if (drivers.contains(QLatin1String(e.driver)))
            usable << QLatin1String(e.engine);
        else
            missing << QStringLiteral("%1 (install %2)").arg(QLatin1String(e.engine), QLatin1String(e.package));
    }
    QString text = QStringLiteral("Tessaly %1\n").arg(QStringLiteral(TESSALY_VERSION));
    text += QStringLiteral("Database schema version %1\n").arg(Schema::kSchemaVersion);
    text += QStringLiteral("Qt %1 (built with %2)\n").arg(QLatin1String(qVersion()), QStringLiteral(QT_VERSION_STR));
    text += QStringLiteral("Databases it can use: %1\n")
                .arg(usable.isEmpty() ? QStringLiteral("none") : usable.join(QStringLiteral(", ")));
    if (!missing.isEmpty())
        text += QStringLiteral("Not on this machine: %1\n").arg(missing.join(QStringLiteral(", ")));
    return text;
}
