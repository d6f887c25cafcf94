#include "app/SalesCommandSetup.h"
#include "app/StartupOptions.h"
#include "app/StartupProbe.h"
#include "app/VersionText.h"
#include "data/Database.h"
#include "data/UserPrompts.h"
#include "gate/frmPIN.h"
#include "maintenance/DailyBackup.h"
#include "print/PrintWindows.h"
#include "sales/frmSales.h"
#include "widgets/MessageBoxPrompts.h"
#include "widgets/WaitPointer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

// A machine left at the plain C locale (LANG unset) shows dates, times and
// numbers the way the shop does: US English.
void UseShopLocaleOnPlainC()
{
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// The window system Qt would reach: none when the session has no display,
// where Qt itself would abort with a page of its own words.
bool hasDisplay(const QStringList &arguments)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || arguments.contains(QStringLiteral("-platform")))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void printLine(const QString &text)
{
    std::fprintf(stderr, "tessaly: %s\n", qPrintable(text));
}

// The day's backup when it is due; a failure is said on the sales window
// (offscreen nobody could close a box: standard error says it there too).
void backUpAtStart(DailyBackup &daily)
{
    QString failure;
    {
        const WaitPointer busy;
        failure = daily.atStart();
    }
    if (failure.isEmpty())
        return;
    printLine(failure);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        Prompts().message(failure, QStringLiteral("Backup"));
}

} // namespace

int main(int argc, char *argv[])
{
    UseShopLocaleOnPlainC();
    // The command line is read before any window system is reached, so
    // --help, a mistake and the runs without windows need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartupOptions options = ParseStartupOptions(arguments);
    if (options.version && options.error.isEmpty()) {
        // The drivers are plugins, found through the application.
        const QCoreApplication app(argc, argv);
        std::fprintf(stdout, "%s", qPrintable(VersionText()));
        return 0;
    }
    if (options.help || !options.error.isEmpty()) {
        if (!options.error.isEmpty())
            std::fprintf(stderr, "tessaly: %s\n", qPrintable(options.error));
        std::fprintf(options.help ? stdout : stderr, "%s", qPrintable(StartupUsage()));
        return options.help ? 0 : 2;
    }
    // Everything the arguments can be wrong about is found before a file is
    // opened: exit status 2 writes nothing.
    if (const QString wrong = CheckStartup(options); !wrong.isEmpty()) {
        printLine(wrong);
        return 2;
    }
    const bool batch = options.batch.kind != BatchCommand::Kind::None;
    if (!batch && !hasDisplay(arguments)) {
        printLine(QStringLiteral("there is no display to open the window on (DISPLAY is not set): start Tessaly on the "
                                 "desktop, or with QT_QPA_PLATFORM=offscreen for a check"));
        return 1;
    }
    // Backups, restores and documents draw offscreen, in a runtime folder of
    // their own when the session has none (a cron job, a plain ssh login).
    if (batch) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QString runtime = QDir::tempPath() + QStringLiteral("/tessaly-runtime-%1").arg(getuid());
            QDir().mkpath(runtime);
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        }
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    // The desktop finds the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tessaly.Tessaly"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.tessaly.Tessaly")));

    if (batch) {
        QString refusal;
        const int status = ApplyDatabaseChoice(options, &refusal);
        if (!refusal.isEmpty())
            printLine(refusal);
        return status != 0 ? status : RunBatchCommand(options.batch);
    }

    MessageBoxPrompts prompts;
    SetPrompts(&prompts);
    {
        QString refusal;
        const int status = ApplyDatabaseChoice(options, &refusal);
        if (!refusal.isEmpty()) {
            printLine(refusal);
            // Offscreen (a check, a script) nobody can close the box, and the
            // run would wait for ever; the line above says it there.
            if (QGuiApplication::platformName() != QLatin1String("offscreen"))
                Prompts().message(refusal, QStringLiteral("Tessaly"));
        }
        if (status != 0) {
            SetPrompts(nullptr);
            return status;
        }
    }
    KeypadPinSource keypad;
    SetPinSource(&keypad);
    InstallPrintWindows();

    // The sales window is the program: it opens on start and every other
    // window is reached from it. It loads no customers and no tickets until
    // the clerk asks for them.
    frmSales sales;
    sales.setCommands(ProgramSalesCommands());
    StartAfreshOnRestoresElsewhere(&sales);
    WatchFirstPaint(&sales);
    sales.show();
    // A database the program can't write is said at once, not at the first
    // New Ticket: documents can still be printed from it.
    QTimer::singleShot(0, &sales, [] {
        {
            // Opened now, so what opening did to the schema is said at
            // start; a failure is said at the clerk's first step instead.
            Database::HeldErrors quiet;
            (void)Database::GetConnection();
        }
        const bool readOnly = Database::IsReadOnly();
        // An upgrade of the schema was said on standard error; the shop
        // hears of it once in a box too (offscreen nobody could close it).
        // A newer release's database is opened read-only, and its note says so.
        const QString schemaNote = Database::TakeSchemaNote();
        if (!schemaNote.isEmpty() && QGuiApplication::platformName() != QLatin1String("offscreen"))
            Prompts().message(schemaNote, QStringLiteral("Tessaly"));
        if (!readOnly || !schemaNote.isEmpty())
            return;
        const QString notice = QStringLiteral("The database (%1) is read-only: documents can be printed, but nothing "
                                              "can be changed.")
                                   .arg(Database::Describe(Database::CurrentSettings()));
        printLine(notice);
        Prompts().message(notice, QStringLiteral("Tessaly"));
    });
    // The shop's own database backs itself up once the window has painted,
    // so the clerk sees it at once and a failure has a window to be said
    // on. A demo or a file named on the command line is not the shop's: its
    // backups would take the places of the shop's own.
    std::optional<DailyBackup> daily;
    if (!options.demo && options.databaseFile.isEmpty()) {
        daily.emplace();
        AfterFirstPaint(&sales,
                        [&sales, &daily] { QTimer::singleShot(0, &sales, [&daily] { backUpAtStart(*daily); }); });
    }
    const int rc = app.exec();
    // The window is gone: a failure at the end is said on standard error,
    // and the next start tries again and says it there if it fails again.
    if (daily) {
        const WaitPointer busy;
        if (const QString failure = daily->atClose(); !failure.isEmpty())
            printLine(failure);
    }
    StartAfreshOnRestoresElsewhere(nullptr);
    SetPinSource(nullptr);
    SetPrompts(nullptr);
    return rc;
}
