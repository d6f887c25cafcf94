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
#include <QLocale>
#include <cstdio>

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
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationName(QStringLiteral("Tessaly"));

    const StartupOptions options = ParseStartupOptions(QApplication::arguments());
    if (options.help || !options.error.isEmpty()) {
        if (!options.error.isEmpty())
            std::fprintf(stderr, "tessaly: %s\n", qPrintable(options.error));
        std::fprintf(options.help ? stdout : stderr, "%s", qPrintable(StartupUsage()));
        return options.help ? 0 : 2;
    }
    if (!ApplyDatabaseChoice(options))
        return 1;

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
