#include "app/StartupOptions.h"

#include "data/AppPaths.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DemoShop.h"
#include "reports/DemoLetterhead.h"
#include "reports/ShopLetterhead.h"
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
        } else if (arg == QLatin1String("--version")) {
            options.version = true;
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
                          "               --pdf FILE DOCUMENT ARGUMENTS | --csv FILE DOCUMENT ARGUMENTS |\n"
                          "               --import TABLE FILE [OPTIONS] | --export TABLE FILE [FROM TO]]\n"
                          "       tessaly --help | --version\n"
                          "  --demo           open the demo shop (a database of its own, filled on first use)\n"
                          "  --database FILE  open this embedded database file (it must exist,\n"
                          "                   unless --demo asks for it to be made)\n"
                          "Without options the database named in the settings store is used\n"
                          "(by default %1).\n")
               .arg(
                   QDir::toNativeSeparators(QDir(AppPaths::programFolderName()).filePath(QStringLiteral("tessaly.db"))))
        + BatchUsage();
}

QString CheckStartup(const StartupOptions &options)
{
    const QByteArray now = qgetenv("TESSALY_NOW");
    if (!now.isEmpty() && !Clock::IsMomentText(QString::fromLocal8Bit(now)))
        return QStringLiteral("TESSALY_NOW=%1 is not a time as \"yyyy-MM-dd HH:mm:ss\"")
            .arg(QString::fromLocal8Bit(now));
    return CheckBatchArguments(options.batch);
}

namespace {

// The reason a start is refused, given back to main, which prints it (and
// shows it when the run has windows).
QString *g_refusal = nullptr;

void refuse(const QString &text)
{
    if (g_refusal)
        *g_refusal = text;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A run without windows works on a database that exists: a missing embedded
// file is an error, never a new empty database.
int requireStoredDatabase()
{
    Database::ConnectionSettings settings = Database::SettingsFromStore();
    if (!settings.problem.isEmpty()) {
        refuse(settings.problem);
        return 1;
    }
    if (settings.engine != Engine::SQLite)
        return 0;
    if (settings.sqliteFile.isEmpty())
        settings.sqliteFile = AppPaths::defaultDatabaseFile();
    if (!QFileInfo::exists(settings.sqliteFile)) {
        refuse(QStringLiteral("the database file %1 does not exist").arg(native(settings.sqliteFile)));
        return 1;
    }
    settings.createIfMissing = false;
    Database::SetOverride(settings);
    return 0;
}

// A file that holds nothing yet: the only kind the demo shop is put into.
bool isNew(const QString &file)
{
    const QFileInfo info(file);
    return !info.exists() || (info.isFile() && info.size() == 0);
}

int openDemo(const StartupOptions &options)
{
    // The program's own folder is made on a new machine, as for any first
    // start; a folder the user named that is not there (a stick not plugged
    // in) is never made for the demo.
    const QString file = options.databaseFile.isEmpty()
        ? QDir(AppPaths::programFolder()).filePath(QStringLiteral("demo.db"))
        : QFileInfo(options.databaseFile).absoluteFilePath();
    const bool fresh = isNew(file);
    if (!QFileInfo(QFileInfo(file).absolutePath()).isDir()) {
        refuse(
            QStringLiteral("%1 does not exist: is the disk plugged in?").arg(native(QFileInfo(file).absolutePath())));
        return 2;
    }
    if (QFileInfo(file).isDir()) {
        refuse(QStringLiteral("%1 is a folder, not a database file").arg(native(file)));
        return 2;
    }
    // The demo's customers and its PIN 1234 never go into a shop's own
    // database: with --database, --demo takes only a new file or a demo.
    if (!fresh && !options.databaseFile.isEmpty() && !DemoShop::IsDemoFile(file)) {
        refuse(QStringLiteral("%1 holds a database already; the demo shop is only put into a new file "
                              "(leave out --demo to open it)")
                   .arg(native(file)));
        return 2;
    }
    Database::ConnectionSettings settings;
    settings.engine = Engine::SQLite;
    settings.sqliteFile = file;
    settings.createIfMissing = true;
    Database::SetOverride(settings);
    if (fresh && !DemoShop::Fill()) {
        refuse(QStringLiteral("the demo shop could not be created: %1").arg(Database::LastError()));
        return 1;
    }
    if (!Database::GetConnection().isValid())
        return 1;
    // The demo prints the demo shop's address, never the shop's own, and
    // its invoices want a logo and a receipt notice; a shop's own files stay
    // as they are.
    ShopLetterhead::useDemoForThisRun();
    QString error;
    if (!DemoLetterhead::ensureFiles(&error))
        refuse(QStringLiteral("the demo logo or receipt notice could not be written: %1").arg(error));
    if (!DemoPictures::EnsureFiles(&error))
        refuse(QStringLiteral("the demo employee pictures could not be written: %1").arg(error));
    return 0;
}

// A restore asked without --yes only reads the backup and says what it
// holds: the database is chosen, never made or filled.
bool onlyLooksAtABackup(const StartupOptions &options)
{
    return options.batch.kind == BatchCommand::Kind::Restore && !options.batch.confirmed;
}

int applyChoice(const StartupOptions &options)
{
    if (onlyLooksAtABackup(options)) {
        if (options.demo || !options.databaseFile.isEmpty()) {
            Database::ConnectionSettings settings;
            settings.sqliteFile = options.databaseFile.isEmpty()
                ? QDir(AppPaths::programFolderName()).filePath(QStringLiteral("demo.db"))
                : QFileInfo(options.databaseFile).absoluteFilePath();
            settings.createIfMissing = false;
            Database::SetOverride(settings);
        }
        return 0;
    }
    if (options.demo)
        return openDemo(options);
    if (options.databaseFile.isEmpty()) {
        if (options.batch.kind != BatchCommand::Kind::None)
            return requireStoredDatabase();
        const QString problem = Database::SettingsFromStore().problem;
        if (!problem.isEmpty())
            refuse(problem);
        return problem.isEmpty() ? 0 : 1;
    }
    Database::ConnectionSettings settings;
    settings.engine = Engine::SQLite;
    settings.sqliteFile = QFileInfo(options.databaseFile).absoluteFilePath();
    settings.createIfMissing = false;
    if (!QFileInfo::exists(settings.sqliteFile)) {
        refuse(QStringLiteral("the database file %1 does not exist").arg(native(settings.sqliteFile)));
        return 1;
    }
    Database::SetOverride(settings);
    return 0;
}

} // namespace

int ApplyDatabaseChoice(const StartupOptions &options, QString *refusal)
{
    g_refusal = refusal;
    const int status = applyChoice(options);
    g_refusal = nullptr;
    return status;
}
