#include "bench/BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Bench {

namespace {

QString pgServer()
{
    QString s = qEnvironmentVariable("TESSALY_BENCH_PG");
    return s.isEmpty() ? qEnvironmentVariable("TESSALY_TEST_PG") : s;
}

QTemporaryDir &scratch()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tessaly-bench-XXXXXX"));
    return dir;
}

bool adminExec(const QString &sql)
{
    const QString name = QStringLiteral("bench-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        const QString server = pgServer();
        const int colon = server.lastIndexOf(QLatin1Char(':'));
        db.setHostName(colon > 0 ? server.left(colon) : server);
        db.setPort(colon > 0 ? server.mid(colon + 1).toInt() : 5432);
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("kzv"));
        db.setPassword(QStringLiteral("kzv"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok)
                std::fprintf(stderr, "bench: %s\n", qPrintable(q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

double medianMs(const std::function<void()> &fn, int runs, int warmup)
{
    for (int i = 0; i < warmup; ++i)
        fn();
    std::vector<double> times;
    times.reserve(size_t(runs));
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        fn();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
}

void printHeader()
{
    std::printf("%-52s %-11s %11s %10s %10s %7s %s\n", "benchmark", "engine", "median ms", "target ms", "bare ms",
                "ratio", "verdict");
}

void print(const Figure &f)
{
    const double ratio = f.bareMs > 0 ? f.medianMs / f.bareMs : 0;
    bool ok = true;
    if (f.targetMs > 0 && f.medianMs > f.targetMs)
        ok = false;
    if (f.targetRatio > 0 && ratio > f.targetRatio)
        ok = false;
    QString target = f.targetMs > 0 ? QString::number(f.targetMs, 'f', 1) : QStringLiteral("-");
    if (f.targetRatio > 0)
        target += QStringLiteral(" / %1x").arg(f.targetRatio, 0, 'f', 1);
    std::printf("%-52s %-11s %11.3f %10s %10s %7s %s\n", qPrintable(f.name), qPrintable(f.engine), f.medianMs,
                qPrintable(target), f.bareMs > 0 ? qPrintable(QString::number(f.bareMs, 'f', 3)) : "-",
                ratio > 0 ? qPrintable(QString::number(ratio, 'f', 2)) : "-", ok ? "ok" : "OVER TARGET");
    std::fflush(stdout);
}

std::vector<Engine> engines()
{
    std::vector<Engine> list{Engine::SQLite};
    if (!pgServer().isEmpty())
        list.push_back(Engine::PostgreSQL);
    return list;
}

QString engineName(Engine engine)
{
    return Dialect(engine).engineName();
}

bool useFreshDatabase(Engine engine, const QString &label)
{
    Database::ConnectionSettings s;
    s.engine = engine;
    if (engine == Engine::SQLite) {
        s.sqliteFile = scratch().filePath(label + QStringLiteral(".db"));
        QFile::remove(s.sqliteFile);
    } else {
        s.serverName = pgServer();
        s.catalog = QStringLiteral("tessaly_bench_%1").arg(label.toLower());
        if (!adminExec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(s.catalog))
            || !adminExec(QStringLiteral("CREATE DATABASE \"%1\"").arg(s.catalog)))
            return false;
    }
    Database::SetOverride(s);
    return Database::GetConnection().isValid();
}

void bulk(const QString &sql)
{
    if (Database::Execute(sql) < 0) {
        std::fprintf(stderr, "bench: bulk statement failed: %s\n", qPrintable(Database::LastError()));
        std::exit(1);
    }
}

} // namespace Bench
