// The customer search list with 250,000 customers: opening it as Lookup
// does, and a keystroke in its last-name box, each from the call or the key
// to the list filled and drawn, beside the same first-page query run bare
// on the engine (one statement, every row of the page read).
#include "bench/BenchData.h"
#include "bench/BenchSupport.h"
#include "customers/FindCustomer.h"
#include "data/Database.h"
#include "widgets/vbalGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string_view>

namespace {

constexpr int kCustomers = 250000;
constexpr int kPageRows = 200; // the rows a search reads first
constexpr int kRuns = 25;
constexpr int kOpenRuns = 5;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// Median of `measured`, each run prepared by `setup` outside the clock.
double timed(const std::function<void()> &setup, const std::function<void()> &measured, int runs = kRuns)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < runs + 3; ++i) {
        setup();
        timer.start();
        measured();
        if (i >= 3)
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

// The first page the list reads for a last-name prefix, as one statement.
double bareQuery(const QString &prefix)
{
    QSqlDatabase db = Database::GetConnection();
    const Dialect d = Database::CurrentDialect();
    QVariantList values;
    QString sql = QStringLiteral("select id, lastname, firstname, phone1, phone2, phone3, PreferPhone, address1, "
                                 "zipcode from customer");
    if (!prefix.isEmpty())
        sql += QStringLiteral(" where ") + d.searchKeyStartsWith(QStringLiteral("lastname"), prefix, &values);
    sql += QStringLiteral(" order by %1, %2, id")
               .arg(d.searchOrder(QStringLiteral("lastname"), false),
                    d.searchOrder(QStringLiteral("firstname"), false));
    sql += d.pageClause(0, kPageRows, &values);
    return timed([] {},
                 [&] {
                     QSqlQuery q(db);
                     q.setForwardOnly(true);
                     q.prepare(sql);
                     for (const QVariant &v : values)
                         q.addBindValue(v);
                     q.exec();
                     const int columns = q.record().count();
                     qint64 n = 0;
                     while (q.next()) {
                         for (int c = 0; c < columns; ++c)
                             n += q.value(c).isNull() ? 0 : 1;
                     }
                     if (n <= 0)
                         std::abort();
                 });
}

struct Keystroke
{
    const char *box; // the filter box typed into
    QString name;
    QString before; // the box's text before the key
    Qt::Key key;    // the key typed (Backspace on a selected text clears it)
    QString after;  // the box's text after the key: the prefix searched
    double target;
};

// A click of "Recent Customers Only", on and off.
void recentClick(FindCustomer &find, Engine engine)
{
    auto *recent = find.findChild<QCheckBox *>(QStringLiteral("chkShowRecent"));
    QWidget *viewport = find.grid()->view()->viewport();
    const double ms = timed([] {},
                            [&] {
                                QTest::mouseClick(recent, Qt::LeftButton, {}, QPoint(8, recent->height() / 2));
                                QCoreApplication::processEvents();
                                viewport->repaint();
                            });
    Bench::print({QStringLiteral("click: Recent Customers Only %1 rows shown").arg(find.listedCount()),
                  Bench::engineName(engine), ms, 20, 0, 0});
}

void run(Engine engine)
{
    FindCustomer find;
    find.resize(900, 700);
    find.show();
    find.RefreshDB();
    QWidget *viewport = find.grid()->view()->viewport();
    const Keystroke strokes[] = {
        {"Text1", QStringLiteral("keystroke: one letter (\"S\")"), QString(), Qt::Key_S, QStringLiteral("S"), 20},
        {"Text1", QStringLiteral("keystroke: two letters (\"Sm\")"), QStringLiteral("S"), Qt::Key_M,
         QStringLiteral("Sm"), 20},
        {"Text1", QStringLiteral("keystroke: three letters (\"Smi\")"), QStringLiteral("Sm"), Qt::Key_I,
         QStringLiteral("Smi"), 20},
        {"Text1", QStringLiteral("keystroke: clearing the box"), QStringLiteral("Smi"), Qt::Key_Backspace, QString(),
         20},
        {"Text2", QStringLiteral("keystroke: first name (\"F\")"), QString(), Qt::Key_F, QStringLiteral("F"), 20},
        {"Text2", QStringLiteral("keystroke: first name (\"First1234\")"), QStringLiteral("First123"), Qt::Key_4,
         QStringLiteral("First1234"), 20},
        {"Text3", QStringLiteral("keystroke: phone (\"512\")"), QStringLiteral("51"), Qt::Key_2, QStringLiteral("512"),
         20},
        {"Text3", QStringLiteral("keystroke: phone (\"5125551\")"), QStringLiteral("512555"), Qt::Key_1,
         QStringLiteral("5125551"), 20},
    };
    // Opening the list as Lookup does: RefreshDB, then EditFilter.
    const double open = timed([] {},
                              [&] {
                                  find.RefreshDB();
                                  find.EditFilter();
                                  viewport->repaint();
                              },
                              kOpenRuns);
    Bench::print({QStringLiteral("opening the list (Lookup) %1 rows shown").arg(find.listedCount()),
                  Bench::engineName(engine), open, 150, bareQuery(QString()), 0});
    for (const Keystroke &k : strokes) {
        auto *box = find.findChild<QLineEdit *>(QLatin1String(k.box));
        const double ms = timed(
            [&] {
                box->setText(k.before);
                box->setFocus();
                if (k.key == Qt::Key_Backspace)
                    box->selectAll();
                else
                    box->end(false);
                QCoreApplication::processEvents();
            },
            [&] {
                QTest::keyClick(box, k.key,
                                k.key >= Qt::Key_A && k.key <= Qt::Key_Z ? Qt::ShiftModifier : Qt::NoModifier);
                QCoreApplication::processEvents();
                viewport->repaint();
            });
        if (box->text().compare(k.after, Qt::CaseInsensitive) != 0) {
            std::fprintf(stderr, "bench: the box holds \"%s\", not \"%s\"\n", qPrintable(box->text()),
                         qPrintable(k.after));
            std::exit(1);
        }
        const double bare = k.box == std::string_view("Text1") ? bareQuery(k.after) : 0;
        box->clear();
        Bench::print({k.name + QStringLiteral(" %1 rows shown").arg(find.listedCount()), Bench::engineName(engine), ms,
                      k.target, bare, 0});
    }
    recentClick(find, engine);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::printHeader();
    for (Engine engine : Bench::engines()) {
        if (!Bench::useCachedDatabase(engine, QStringLiteral("customerfilter250k"),
                                      [] { BenchData::customers(kCustomers); })) {
            Bench::unavailable(engine);
            continue;
        }
        run(engine);
    }
    Database::SetOverride(std::nullopt);
    return 0;
}
