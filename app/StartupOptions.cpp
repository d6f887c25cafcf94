#include "app/StartupOptions.h"

#include "data/AppPaths.h"
#include "data/Database.h"
#include "data/DemoShop.h"
#include "reports/DemoLetterhead.h"
#include "timeclock/DemoPictures.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

StartupOptions ParseStartupOptions(const QStringList &arguments)
{
    StartupOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--demo")) {
            options.demo = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--database")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--database needs a file name");
                return options;
            }
            options.databaseFile = arguments[++i];
        } else if (arg.startsWith(QLatin1String("--database="))) {
            options.databaseFile = arg.mid(11);
        } else if (TakeBatchOption(arguments, i, options.batch, &options.error)) {
            if (!options.error.isEmpty())
                return options;
        } else if (arg.startsWith(QLatin1String("-platform")) || arg.startsWith(QLatin1String("-style"))) {
            ++i; // Qt's own options, already taken by QApplication
        } else {
            options.error = QStringLiteral("unknown argument: %1").arg(arg);
            return options;
        }
    }
    return options;
}

QString StartupUsage()
{
    return QStringLiteral("Usage: tessaly [--demo] [--database FILE] [--backup FILE | --restore FILE --yes |\n"
                          "               --pdf FILE DOCUMENT ARGUMENTS]\n"
                          "  --demo           open the demo shop (a database of its own, filled on first use)\n"
                          "  --database FILE  open this embedded database file (it must exist,\n"
                          "                   unless --demo asks for it to be made)\n"
                          "Without options the database named in the settings store is used\n"
                          "(by default %1).\n")
               .arg(QDir::toNativeSeparators(AppPaths::defaultDatabaseFile()))
        + BatchUsage();
}

namespace {

// A run without windows works on a database that exists: a missing embedded
// file is an error, never a new empty database.
bool requireStoredDatabase()
{
    Database::ConnectionSettings settings = Database::SettingsFromStore();
    if (settings.engine != Engine::SQLite)
        return true;
    if (settings.sqliteFile.isEmpty())
        settings.sqliteFile = AppPaths::defaultDatabaseFile();
    if (!QFileInfo::exists(settings.sqliteFile)) {
        std::fprintf(stderr, "tessaly: the database file %s does not exist\n",
                     qPrintable(QDir::toNativeSeparators(settings.sqliteFile)));
        return false;
    }
    settings.createIfMissing = false;
    Database::SetOverride(settings);
    return true;
}

} // namespace

bool ApplyDatabaseChoice(const StartupOptions &options)
{
    if (options.databaseFile.isEmpty() && !options.demo)
        return options.batch.kind == BatchCommand::Kind::None || requireStoredDatabase();
    Database::ConnectionSettings settings;
    settings.engine = Engine::SQLite;
    settings.sqliteFile = options.databaseFile.isEmpty() ? QDir(AppPaths::programFolder()).filePath(QStringLiteral("demo.db"))
                                                         : QFileInfo(options.databaseFile).absoluteFilePath();
    settings.createIfMissing = options.demo;
    if (!settings.createIfMissing && !QFileInfo::exists(settings.sqliteFile)) {
        std::fprintf(stderr, "tessaly: the database file %s does not exist\n",
                     qPrintable(QDir::toNativeSeparators(settings.sqliteFile)));
        return false;
    }
    Database::SetOverride(settings);
    if (options.demo && !DemoShop::Fill()) {
        std::fprintf(stderr, "tessaly: the demo shop could not be created: %s\n", qPrintable(Database::LastError()));
        return false;
    }
    // The demo's invoices want a logo and a receipt notice; a shop's own
    // files stay as they are.
    QString error;
    if (options.demo && !DemoLetterhead::ensureFiles(&error))
        std::fprintf(stderr, "tessaly: the demo logo or receipt notice could not be written: %s\n", qPrintable(error));
    if (options.demo && !DemoPictures::EnsureFiles(&error))
        std::fprintf(stderr, "tessaly: the demo employee pictures could not be written: %s\n", qPrintable(error));
    return true;
}
