#include "app/StartupOptions.h"
#include "customers/CustomerInfo.h"
#include "data/Database.h"
#include "data/UserPrompts.h"
#include "widgets/MessageBoxPrompts.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cstdio>

int main(int argc, char *argv[])
{
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

    QMainWindow window;
    window.setObjectName(QStringLiteral("frmMain"));
    window.setWindowTitle(QStringLiteral("Tessaly"));
    // Until the sales window takes over, the customer editor (with its search
    // list) is the main window's content.
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    auto *customer = new CustomerInfo(central);
    customer->setMinimumSize(620, 440);
    layout->addWidget(customer, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
    window.setCentralWidget(central);
    const bool connected = Database::GetConnection().isValid();
    window.statusBar()->showMessage(
        (connected ? QStringLiteral("Database: ") : QStringLiteral("Not connected: "))
        + Database::Describe(Database::CurrentSettings()));
    window.resize(1000, 700);
    window.show();
    const int rc = app.exec();
    SetPrompts(nullptr);
    return rc;
}
