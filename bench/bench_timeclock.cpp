// The time clock with 50 employees and their pictures, each with a year of
// time rows: the window opened (employee buttons with pictures, the week,
// the lists) and a switch from one employee to another (the week read and
// listed). With --screenshots DIR it instead writes pictures of the time
// clock (employee and administrator mode), the employee window and the
// picture capture window on the demo shop.
#include "bench/BenchSupport.h"
#include "bench/BenchTimeClock.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/DemoShop.h"
#include "timeclock/DemoPictures.h"
#include "timeclock/EmployeeButtonColumn.h"
#include "timeclock/FrameSource.h"
#include "timeclock/PayWeek.h"
#include "timeclock/frmCapture.h"
#include "timeclock/frmEmployee.h"
#include "timeclock/frmTimeInOut.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QLocale>
#include <QToolButton>
#include <cstdio>

namespace {

constexpr int kEmployees = 50;
constexpr int kWeeks = 52;

const char *const kFirst[] = {"Ann", "Bo", "Carla", "Dev", "Eli", "Fay", "Gus", "Hana", "Ivan", "Jo"};
const char *const kLast[] = {"Lee", "Ng", "Ortiz", "Patel", "Quinn", "Reyes", "Stone", "Tran", "Upton", "Voss"};

// 50 employees, each with five shifts a week for the year up to today.
bool fillEmployees()
{
    const QDate thisWeek = PayWeek::StartContaining(Clock::today());
    const bool ok = Database::Transaction([&] {
        for (int e = 0; e < kEmployees; ++e) {
            const qint64 id = Database::InsertRow(QStringLiteral("employee"),
                                                  {QStringLiteral("firstname"), QStringLiteral("lastname"),
                                                   QStringLiteral("pin"), QStringLiteral("active")},
                                                  {QString::fromLatin1(kFirst[e % 10]),
                                                   QStringLiteral("%1%2").arg(QLatin1String(kLast[e / 5 % 10])).arg(e),
                                                   QString::number(1000 + e), 1});
            for (int w = 0; w < kWeeks; ++w) {
                for (int d = 0; d < 5; ++d) {
                    const QDate day = thisWeek.addDays(-7 * w + d);
                    if (day >= Clock::today())
                        continue;
                    const QDateTime in(day, QTime(8, e % 30)), out(day, QTime(16, 30));
                    if (Database::InsertRow(
                            QStringLiteral("TimeInOut"),
                            {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout")},
                            {id, DateText::toDb(in), DateText::toDb(out)})
                        < 0)
                        return false;
                }
            }
        }
        return true;
    });
    if (!ok) {
        std::fprintf(stderr, "bench_timeclock: the employees could not be made: %s\n",
                     qPrintable(Database::LastError()));
        std::exit(1);
    }
    return ok;
}

void measure(Engine engine)
{
    const QString name = Bench::engineName(engine);
    QElapsedTimer cold;
    cold.start();
    {
        frmTimeInOut first;
        first.show();
        QCoreApplication::processEvents();
    }
    Bench::print({QStringLiteral("time clock opened, first time (%1 employees)").arg(kEmployees), name,
                  double(cold.nsecsElapsed()) / 1e6, 500, 0, 0});
    const double open = Bench::medianMs(
        [] {
            frmTimeInOut w;
            w.show();
            QCoreApplication::processEvents();
            if (w.employeeButtons()->TotalEmployee() != kEmployees)
                std::abort();
        },
        9, 2);
    Bench::print({QStringLiteral("time clock opened (%1 employees, pictures)").arg(kEmployees), name, open, 500, 0, 0});

    for (const bool admin : {false, true}) {
        frmTimeInOut w;
        w.setAdmin(admin);
        w.show();
        QCoreApplication::processEvents();
        const double sw = Bench::medianEmployeeSwitchMs(w, kEmployees, 49, 3);
        Bench::print({QStringLiteral("switch employee, a year of rows each (%1)").arg(admin ? "admin" : "employee"),
                      name, sw, 50, 0, 0});
    }
}

// A camera that shows one of the demo portraits.
class PortraitCamera final : public FrameSource
{
public:
    bool available() const override { return true; }
    QStringList sourceNames() const override { return {QStringLiteral("Demo camera")}; }
    int currentSource() const override { return 0; }
    void setCurrentSource(int) override { }
    QList<QSize> frameSizes() const override { return {QSize(640, 480)}; }
    QSize frameSize() const override { return QSize(640, 480); }
    void setFrameSize(const QSize &) override { }
    void start() override { m_running = true; }
    void stop() override { m_running = false; }
    bool running() const override { return m_running; }
    QImage latestFrame() override { return DemoPictures::Portrait(3).scaled(640, 480); }

private:
    bool m_running = false;
};

void demoWeek()
{
    // This week's shifts for the demo employees; the owner is clocked in now.
    const QDate start = PayWeek::StartContaining(Clock::today());
    for (int e = 1; e <= 4; ++e) {
        for (QDate d = start; d < Clock::today(); d = d.addDays(1)) {
            Database::InsertRow(QStringLiteral("TimeInOut"),
                                {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout"),
                                 QStringLiteral("note")},
                                {e, DateText::toDb(QDateTime(d, QTime(8, 5 * e))),
                                 DateText::toDb(QDateTime(d, QTime(16 + e % 2, 30))),
                                 d.dayOfWeek() == Qt::Saturday ? QStringLiteral("Saturday install") : QString()});
        }
    }
    Database::InsertRow(QStringLiteral("TimeInOut"), {QStringLiteral("employeeid"), QStringLiteral("timein")},
                        {1, DateText::toDb(Clock::now().addSecs(-3 * 3600))});
}

void shot(QWidget &w, const QString &dir, const char *name)
{
    w.show();
    QCoreApplication::processEvents();
    const QString file = QDir(dir).filePath(QLatin1String(name) + QStringLiteral(".png"));
    w.grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

void chooseByCaption(frmTimeInOut &w, const QString &caption)
{
    for (int i = 0; i < w.employeeButtons()->TotalEmployee(); ++i) {
        if (w.employeeButtons()->button(i)->text() == caption)
            w.employeeButtons()->button(i)->click();
    }
}

int screenshots(const QString &dir)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // as the shop's program shows dates
    QDir().mkpath(dir);
    if (!Bench::useFreshDatabase(Engine::SQLite, QStringLiteral("timeclock_demo")) || !DemoShop::Fill()
        || !DemoPictures::EnsureFiles())
        return 1;
    demoWeek();
    frmTimeInOut clock;
    clock.show();
    chooseByCaption(clock, QStringLiteral("Carter,James"));
    shot(clock, dir, "timeclock-employee");
    frmTimeInOut admin;
    admin.setAdmin(true);
    admin.show();
    chooseByCaption(admin, QStringLiteral("Lopez,Maria"));
    shot(admin, dir, "timeclock-admin");
    frmEmployee employees;
    employees.setAdmin(true);
    employees.show();
    employees.findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(2);
    shot(employees, dir, "employee");
    frmCapture none;
    shot(none, dir, "capture-no-camera");
    frmCapture live(nullptr, std::make_unique<PortraitCamera>());
    live.show();
    live.GrabFrame();
    shot(live, dir, "capture-live");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const Bench::PrivateHome home;
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--screenshots"))
        return screenshots(args[2]);
    Bench::printHeader();
    for (const Engine engine : Bench::engines()) {
        // The year of rows ends today: a kept database serves only today.
        const QString label = QStringLiteral("timeclock_%1").arg(Clock::today().toString(QStringLiteral("yyyyMMdd")));
        if (!Bench::useCachedDatabase(engine, label, [] { fillEmployees(); })) {
            Bench::unavailable(engine);
            continue;
        }
        QDir(home.filePath(QStringLiteral("data/pictures"))).removeRecursively();
        QString error;
        if (!DemoPictures::EnsureFiles(&error)) {
            std::fprintf(stderr, "bench_timeclock: the pictures could not be made: %s\n", qPrintable(error));
            return 1;
        }
        measure(engine);
    }
    return 0;
}
