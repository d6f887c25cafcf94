// A keystroke in the customer search list's last-name box: from the key to
// the narrowed list filled and drawn, with 100,000 customers, against the
// same prefix query run bare on the engine (one statement, every row read).
#include "bench/BenchData.h"
#include "bench/BenchSupport.h"
#include "customers/FindCustomer.h"
#include "data/Database.h"
#include "widgets/vbalGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kCustomers = 100000;
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

// The search the list makes, as one statement on the engine.
double bareQuery(const QString &prefix)
{
    QSqlDatabase db = Database::GetConnection();
    const Dialect d = Database::CurrentDialect();
    QString sql = QStringLiteral("select * from customer");
    if (!prefix.isEmpty())
        sql += QStringLiteral(" where ") + d.textStartsWith(QStringLiteral("lastname"));
    sql += QStringLiteral(" order by %1, %2")
               .arg(d.orderText(QStringLiteral("lastname")), d.orderText(QStringLiteral("firstname")));
    return timed([] {},
                 [&] {
                     QSqlQuery q(db);
                     q.setForwardOnly(true);
                     q.prepare(sql);
                     if (!prefix.isEmpty())
                         q.addBindValue(Dialect::likePrefix(prefix));
                     q.exec();
                     const int columns = q.record().count();
                     qint64 n = 0;
                     while (q.next()) {
                         for (int c = 0; c < columns; ++c)
                             n += q.value(c).isNull() ? 0 : 1;
                     }
                     if (n < 0)
                         std::abort();
                 });
}

struct Keystroke
{
    QString name;
    QString before; // the box's text before the key
    Qt::Key key;    // the key typed (Backspace on a selected text clears it)
    QString after;  // the box's text after the key: the prefix searched
    double target;
};

void run(Engine engine)
{
    FindCustomer find;
    find.resize(900, 700);
    find.show();
    find.RefreshDB();
    auto *box = find.findChild<QLineEdit *>(QStringLiteral("Text1"));
    QWidget *viewport = find.grid()->view()->viewport();
    const Keystroke strokes[] = {
        {QStringLiteral("keystroke: one letter (\"S\")"), QString(), Qt::Key_S, QStringLiteral("S"), 0},
        {QStringLiteral("keystroke: two letters (\"Sm\")"), QStringLiteral("S"), Qt::Key_M, QStringLiteral("Sm"), 20},
        {QStringLiteral("keystroke: three letters (\"Smi\")"), QStringLiteral("Sm"), Qt::Key_I, QStringLiteral("Smi"),
         20},
        {QStringLiteral("keystroke: clearing the box"), QStringLiteral("Smi"), Qt::Key_Backspace, QString(), 0},
    };
    // Opening the list: every customer read and listed (no target; the
    // list is read once per lookup, not per keystroke).
    const double open = timed([] {},
                              [&] {
                                  find.RefreshDB();
                                  viewport->repaint();
                              },
                              kOpenRuns);
    Bench::print({QStringLiteral("opening the list (RefreshDB) %1 rows").arg(find.listedCount()),
                  Bench::engineName(engine), open, 0, bareQuery(QString()), 0});
    for (const Keystroke &k : strokes) {
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
                QTest::keyClick(box, k.key, k.key == Qt::Key_Backspace ? Qt::NoModifier : Qt::ShiftModifier);
                QCoreApplication::processEvents();
                viewport->repaint();
            });
        if (box->text().compare(k.after, Qt::CaseInsensitive) != 0) {
            std::fprintf(stderr, "bench: the box holds \"%s\", not \"%s\"\n", qPrintable(box->text()),
                         qPrintable(k.after));
            std::exit(1);
        }
        const double bare = bareQuery(k.after);
        Bench::print({k.name + QStringLiteral(" %1 rows").arg(find.listedCount()), Bench::engineName(engine), ms,
                      k.target, bare, 2.0});
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::printHeader();
    for (Engine engine : Bench::engines()) {
        if (!Bench::useCachedDatabase(engine, QStringLiteral("customerfilter"),
                                      [] { BenchData::customers(kCustomers); })) {
            Bench::unavailable(engine);
            continue;
        }
        run(engine);
    }
    Database::SetOverride(std::nullopt);
    return 0;
}
