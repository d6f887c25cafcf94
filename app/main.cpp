#include "app/SalesCommandSetup.h"
#include "app/StartupOptions.h"
#include "app/StartupProbe.h"
#include "data/UserPrompts.h"
#include "print/PrintWindows.h"
#include "sales/AdminGate.h"
#include "sales/frmPIN.h"
#include "sales/frmSales.h"
#include "widgets/MessageBoxPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <cstdio>
#include <unistd.h>

namespace {

// A machine left at the plain C locale (LANG unset) shows dates, times and
// numbers the way the shop does: US English.
void UseShopLocaleOnPlainC()
{
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
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
    if (options.help || !options.error.isEmpty()) {
        if (!options.error.isEmpty())
            std::fprintf(stderr, "tessaly: %s\n", qPrintable(options.error));
        std::fprintf(options.help ? stdout : stderr, "%s", qPrintable(StartupUsage()));
        return options.help ? 0 : 2;
    }
    // Backups, restores and documents draw offscreen, in a runtime folder of
    // their own when the session has none (a cron job, a plain ssh login).
    if (options.batch.kind != BatchCommand::Kind::None) {
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

    if (!ApplyDatabaseChoice(options))
        return 1;
    if (options.batch.kind != BatchCommand::Kind::None)
        return RunBatchCommand(options.batch);

    MessageBoxPrompts prompts;
    SetPrompts(&prompts);
    KeypadPinSource keypad;
    SetPinSource(&keypad);
    InstallPrintWindows();

    // The sales window is the program: it opens on start and every other
    // window is reached from it. It loads no customers and no tickets until
    // the clerk asks for them.
    frmSales sales;
    sales.setCommands(ProgramSalesCommands());
    WatchFirstPaint(&sales);
    sales.show();
    const int rc = app.exec();
    SetPinSource(nullptr);
    SetPrompts(nullptr);
    return rc;
}
