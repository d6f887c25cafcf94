// Start-up of the sales window to its first paint, when it accepts input:
// the connection opened afresh, the window built, its settings read, shown
// and painted. On the demo shop and on a chain's 250,000 customers with
// 1,000,000 tickets: the window reads no customer list and no tickets at
// start, so the size of the shop must not show.
#include "bench/BenchData.h"
#include "bench/BenchSupport.h"
#include "data/Database.h"
#include "data/DemoShop.h"
#include "sales/frmSales.h"

#include "data/Settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Notices the first paint of anything in one window.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~FirstPaint() override { qApp->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window)
            painted = true;
        return false;
    }

private:
    QWidget *m_window;
};

void startOnce()
{
    Database::CloseConnections();
    frmSales window;
    FirstPaint paint(&window);
    window.show();
    while (!paint.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.close();
}

// The program itself, started as a clerk starts it, on the database that is
// current here (named to it through the settings store of this run), until
// it reports its first paint.
double launchOnce(const QString &program, const QString &settingsDir)
{
    const Database::ConnectionSettings s = Database::CurrentSettings();
    const QString section = QStringLiteral("Database");
    Settings::save(section, QStringLiteral("Engine"),
                   s.engine == Engine::PostgreSQL ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"));
    Settings::save(section, QStringLiteral("Servername"), s.serverName);
    Settings::save(section, QStringLiteral("File"), s.sqliteFile);
    Settings::save(section, QStringLiteral("Catalog"), s.catalog);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TESSALY_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), settingsDir);
    env.insert(QStringLiteral("TESSALY_DATA_DIR"), settingsDir + QStringLiteral("/data"));
    p.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    p.start(program, {});
    while ((p.state() != QProcess::NotRunning || p.bytesAvailable()) && timer.elapsed() < 20000) {
        p.waitForReadyRead(20);
        if (p.readAll().contains("first paint"))
            break;
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (!p.waitForFinished(5000))
        p.kill();
    return ms;
}

void quietPlugin(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (!text.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(text));
    (void)type;
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window saves its geometry on closing: into a settings folder of
    // this run, not the user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qInstallMessageHandler(quietPlugin);
    QApplication app(argc, argv);
    const double appMs = double(sinceStart.nsecsElapsed()) / 1e6;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../app/tessaly");
    Bench::printHeader();
    Bench::print({QStringLiteral("main() to application ready"), QStringLiteral("-"), appMs});
    for (Engine engine : Bench::engines()) {
        const QString name = Bench::engineName(engine);
        if (!Bench::useFreshDatabase(engine, QStringLiteral("startup_demo")) || !DemoShop::Fill()) {
            Bench::unavailable(engine);
            continue;
        }
        Bench::print({QStringLiteral("sales window to first paint, demo shop"), name, Bench::medianMs(startOnce, 9, 2),
                      1000.0 - appMs});
        Bench::print({QStringLiteral("tessaly launched to first paint, demo shop"), name,
                      Bench::medianMs([&] { launchOnce(program, settings.path()); }, 5, 1), 1000.0});
        if (!BenchData::useChain(engine)) {
            Bench::unavailable(engine, QStringLiteral("the chain's database"));
            continue;
        }
        Bench::print({QStringLiteral("sales window to first paint, 1,000,000 tickets"), name,
                      Bench::medianMs(startOnce, 9, 2), 1000.0 - appMs});
        Bench::print({QStringLiteral("tessaly launched to first paint, 1,000,000 tickets"), name,
                      Bench::medianMs([&] { launchOnce(program, settings.path()); }, 5, 1), 1000.0});
    }
    Database::SetOverride(std::nullopt);
    return 0;
}
