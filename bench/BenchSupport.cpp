#include "bench/BenchSupport.h"

#include "data/Schema.h"
#include "data/ServerAddress.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Bench {

namespace {

// Raised when the way the benchmark data are made changes, so that kept
// databases of the old kind are not used again.
constexpr int kDataVersion = 1;

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

QString programName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

void splitServer(QString *host, int *port)
{
    const ServerAddress address = ServerAddress::parse(pgServer(), 5432);
    *host = address.host;
    *port = address.port;
}

bool adminExec(const QString &sql)
{
    const QString name = QStringLiteral("bench-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        QString host;
        int port = 0;
        splitServer(&host, &port);
        db.setHostName(host);
        db.setPort(port);
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

QString catalogOf(const QString &label)
{
    return QStringLiteral("tessaly_bench_%1").arg(label.toLower());
}

bool recreateCatalog(const QString &catalog)
{
    return adminExec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(catalog))
        && adminExec(QStringLiteral("CREATE DATABASE \"%1\"").arg(catalog));
}

// Runs one of the PostgreSQL client tools as the benchmark login.
bool pgTool(const QString &name, const QStringList &args)
{
    QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) {
        const QStringList versions =
            QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &v : versions) {
            const QString candidate = QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(v, name);
            if (QFileInfo::exists(candidate))
                program = candidate;
        }
    }
    if (program.isEmpty()) {
        std::fprintf(stderr, "bench: %s is not installed\n", qPrintable(name));
        return false;
    }
    QString host;
    int port = 0;
    splitServer(&host, &port);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("kzv"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program,
            QStringList{QStringLiteral("-h"), host, QStringLiteral("-p"), QString::number(port), QStringLiteral("-U"),
                        QStringLiteral("kzv")}
                + args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(-1))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QString cacheFolder()
{
    QString dir = qEnvironmentVariable("TESSALY_BENCH_CACHE");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench-cache");
    QDir().mkpath(dir);
    return QDir(dir).absolutePath();
}

// The label with a digest of the schema, so a kept database made for other
// tables, indexes or views is never used.
QString cacheKey(Engine engine, const QString &label)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(kDataVersion));
    for (const QString &s : Schema::CreateStatements(engine) + Schema::ViewStatements(engine))
        hash.addData(s.toUtf8());
    return QStringLiteral("%1-%2-%3")
        .arg(label.toLower(), engineName(engine).toLower(), QString::fromLatin1(hash.result().toHex().left(10)));
}

// Drops the kept databases of this label and engine made for an earlier
// schema, once the one for the present schema is in place.
void dropOlderKept(Engine engine, const QString &label, const QString &kept)
{
    QDir dir(cacheFolder());
    const QString pattern = QStringLiteral("%1-%2-*").arg(label.toLower(), engineName(engine).toLower());
    for (const QString &name : dir.entryList({pattern}, QDir::Files)) {
        if (dir.filePath(name) != kept)
            dir.remove(name);
    }
}

void note(const QString &text)
{
    std::fprintf(stderr, "bench: %s\n", qPrintable(text));
}

double secondsOf(const QElapsedTimer &t)
{
    return double(t.elapsed()) / 1000.0;
}

bool useSqliteFile(const QString &file)
{
    Database::ConnectionSettings s;
    s.engine = Engine::SQLite;
    s.sqliteFile = file;
    Database::SetOverride(s);
    return Database::GetConnection().isValid();
}

bool useSqliteCopy(const QString &kept, const QString &label)
{
    Database::CloseConnections();
    const QString file = scratch().filePath(label + QStringLiteral(".db"));
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
    return QFile::copy(kept, file) && useSqliteFile(file);
}

bool cachedSqlite(const QString &label, const std::function<void()> &fill)
{
    const QString kept = cacheFolder() + QLatin1Char('/') + cacheKey(Engine::SQLite, label) + QStringLiteral(".db");
    QElapsedTimer t;
    t.start();
    if (QFileInfo::exists(kept) && useSqliteCopy(kept, label)) {
        dropOlderKept(Engine::SQLite, label, kept);
        note(QStringLiteral("%1 (SQLite) copied from %2 in %3 s").arg(label, kept).arg(secondsOf(t), 0, 'f', 1));
        return true;
    }
    if (!useFreshDatabase(Engine::SQLite, label + QStringLiteral("_fill")))
        return false;
    fill();
    const QString part = kept + QStringLiteral(".part");
    QFile::remove(part);
    // A compact, consistent copy of the filled database, renamed into place
    // only when whole.
    if (Database::Execute(QStringLiteral("VACUUM INTO ?"), {part}) < 0 || !QFile::rename(part, kept)) {
        QFile::remove(part);
        note(QStringLiteral("%1 (SQLite) could not be kept; measured as filled").arg(label));
        return true;
    }
    dropOlderKept(Engine::SQLite, label, kept);
    const QString filled = Database::CurrentSettings().sqliteFile;
    const bool ok = useSqliteCopy(kept, label);
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(filled + QLatin1String(suffix));
    note(QStringLiteral("%1 (SQLite) filled and kept in %2 in %3 s").arg(label, kept).arg(secondsOf(t), 0, 'f', 1));
    return ok;
}

bool usePgCatalog(const QString &catalog)
{
    Database::ConnectionSettings s;
    s.engine = Engine::PostgreSQL;
    s.serverName = pgServer();
    s.catalog = catalog;
    Database::SetOverride(s);
    if (!Database::GetConnection().isValid())
        return false;
    // The statistics a running server's autovacuum would have gathered by
    // now, so the plans do not depend on when it last woke.
    const std::optional<Recordset> tables = Database::GetRS(
        QStringLiteral("select tablename from pg_tables where schemaname = current_schema() order by tablename"));
    if (!tables)
        return false;
    for (int r = 0; r < tables->rowCount(); ++r) {
        if (Database::Execute(QStringLiteral("ANALYZE \"%1\"").arg(tables->value(r, 0).toString())) < 0)
            return false;
    }
    return true;
}

bool restorePg(const QString &dump, const QString &catalog)
{
    Database::CloseConnections();
    return recreateCatalog(catalog)
        && pgTool(QStringLiteral("pg_restore"),
                  {QStringLiteral("--no-owner"), QStringLiteral("-j2"), QStringLiteral("-d"), catalog, dump})
        && usePgCatalog(catalog);
}

bool cachedPg(const QString &label, const std::function<void()> &fill)
{
    const QString kept = cacheFolder() + QLatin1Char('/') + cacheKey(Engine::PostgreSQL, label)
        + QStringLiteral(".pgdump");
    const QString catalog = catalogOf(label);
    QElapsedTimer t;
    t.start();
    if (QFileInfo::exists(kept)) {
        if (restorePg(kept, catalog)) {
            dropOlderKept(Engine::PostgreSQL, label, kept);
            note(QStringLiteral("%1 (PostgreSQL) restored from %2 in %3 s")
                     .arg(label, kept)
                     .arg(secondsOf(t), 0, 'f', 1));
            return true;
        }
        note(QStringLiteral("%1 (PostgreSQL) could not be restored from %2; filling it again").arg(label, kept));
        QFile::remove(kept);
    }
    const QString filling = label + QStringLiteral("_fill");
    if (!useFreshDatabase(Engine::PostgreSQL, filling))
        return false;
    fill();
    Database::CloseConnections();
    const QString part = kept + QStringLiteral(".part");
    QFile::remove(part);
    if (!pgTool(QStringLiteral("pg_dump"), {QStringLiteral("-Fc"), QStringLiteral("-f"), part, catalogOf(filling)})
        || !QFile::rename(part, kept)) {
        QFile::remove(part);
        note(QStringLiteral("%1 (PostgreSQL) could not be kept; measured as filled").arg(label));
        return usePgCatalog(catalogOf(filling));
    }
    dropOlderKept(Engine::PostgreSQL, label, kept);
    adminExec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(catalogOf(filling)));
    const bool ok = restorePg(kept, catalog);
    note(QStringLiteral("%1 (PostgreSQL) filled and kept in %2 in %3 s").arg(label, kept).arg(secondsOf(t), 0, 'f', 1));
    return ok;
}

QString number(double v)
{
    return QString::number(v, 'f', v >= 100 ? 1 : 3);
}

void record(const Figure &f, const QString &verdict)
{
    const QString path = qEnvironmentVariable("TESSALY_BENCH_RESULTS");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "bench: %s cannot be written\n", qPrintable(path));
        return;
    }
    const auto clean = [](QString s) { return s.replace(QLatin1Char('\t'), QLatin1Char(' ')); };
    const QStringList fields{programName(),
                             clean(f.name),
                             clean(f.engine),
                             verdict == QLatin1String("FAILED") ? QStringLiteral("-")
                                                                : QString::number(f.value, 'f', 4),
                             f.unit,
                             f.target > 0 || f.zeroTarget ? QString::number(f.target, 'f', 4) : QStringLiteral("-"),
                             f.bare > 0 ? QString::number(f.bare, 'f', 4) : QStringLiteral("-"),
                             f.targetRatio > 0 ? QString::number(f.targetRatio, 'f', 2) : QStringLiteral("-"),
                             verdict};
    file.write((fields.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8());
}

} // namespace

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

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
    return median(std::move(times));
}

PairedMedians pairedMedianMs(const std::function<void(int)> &first, const std::function<void(int)> &second,
                             const std::function<int()> &nextInput, int runs, int warmup)
{
    for (int i = 0; i < warmup; ++i) {
        const int input = nextInput();
        first(input);
        second(input);
    }
    std::vector<double> a, b;
    a.reserve(size_t(runs));
    b.reserve(size_t(runs));
    QElapsedTimer timer;
    const auto timed = [&timer](const std::function<void(int)> &fn, int input) {
        timer.start();
        fn(input);
        return double(timer.nsecsElapsed()) / 1e6;
    };
    for (int i = 0; i < runs; ++i) {
        const int input = nextInput();
        if (i % 2 == 0) {
            a.push_back(timed(first, input));
            b.push_back(timed(second, input));
        } else {
            b.push_back(timed(second, input));
            a.push_back(timed(first, input));
        }
    }
    return {median(std::move(a)), median(std::move(b))};
}

void printHeader()
{
    std::printf("%-52s %-11s %14s %16s %14s %7s %s\n", "benchmark", "engine", "median", "target", "bare", "ratio",
                "verdict");
}

void print(const Figure &f)
{
    const double ratio = f.bare > 0 ? f.value / f.bare : 0;
    const bool hasTarget = f.target > 0 || f.targetRatio > 0 || f.zeroTarget;
    bool ok = true;
    if (f.target > 0 && f.value > f.target)
        ok = false;
    if (f.zeroTarget && f.value != 0)
        ok = false;
    if (f.targetRatio > 0 && ratio > f.targetRatio)
        ok = false;
    QStringList target;
    if (f.target > 0 || f.zeroTarget)
        target << number(f.target) + QLatin1Char(' ') + f.unit;
    if (f.targetRatio > 0)
        target << QStringLiteral("%1x").arg(f.targetRatio, 0, 'f', 1);
    const QString verdict = !hasTarget ? QStringLiteral("-") : ok ? QStringLiteral("OK") : QStringLiteral("OVER");
    std::printf("%-52s %-11s %14s %16s %14s %7s %s\n", qPrintable(f.name), qPrintable(f.engine),
                qPrintable(number(f.value) + QLatin1Char(' ') + f.unit),
                target.isEmpty() ? "-" : qPrintable(target.join(QStringLiteral(", "))),
                f.bare > 0 ? qPrintable(number(f.bare) + QLatin1Char(' ') + f.unit) : "-",
                ratio > 0 ? qPrintable(QString::number(ratio, 'f', 2) + QLatin1Char('x')) : "-", qPrintable(verdict));
    std::fflush(stdout);
    record(f, verdict);
}

void unavailable(Engine engine, const QString &what)
{
    const QString name = engineName(engine);
    std::fprintf(stderr, "%s: %s unavailable%s%s\n", qPrintable(programName()), qPrintable(name),
                 what.isEmpty() ? "" : ": ", qPrintable(what));
    Figure f;
    f.name = QStringLiteral("(all figures)");
    f.engine = name;
    f.unit = QStringLiteral("-");
    record(f, QStringLiteral("FAILED"));
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
    if (engine == Engine::SQLite) {
        const QString file = scratch().filePath(label + QStringLiteral(".db"));
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(file + QLatin1String(suffix));
        return useSqliteFile(file);
    }
    Database::ConnectionSettings s;
    s.engine = engine;
    s.serverName = pgServer();
    s.catalog = catalogOf(label);
    Database::CloseConnections();
    if (!recreateCatalog(s.catalog))
        return false;
    Database::SetOverride(s);
    return Database::GetConnection().isValid();
}

bool useCachedDatabase(Engine engine, const QString &label, const std::function<void()> &fill)
{
    if (engine == Engine::SQLite)
        return cachedSqlite(label, fill);
    return cachedPg(label, fill);
}

void bulk(const QString &sql)
{
    if (Database::Execute(sql) < 0) {
        std::fprintf(stderr, "bench: bulk statement failed: %s\n", qPrintable(Database::LastError()));
        std::exit(1);
    }
}

PrivateHome::PrivateHome()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TESSALY_DATA_DIR", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
}

} // namespace Bench
