#pragma once

#include "data/Database.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

// Shared pieces of the benchmark programs: timing with a warm-up, the figure
// table, and the databases they run on.
//
// Every figure goes through print(): one line of the program's own table on
// standard output and, when TESSALY_BENCH_RESULTS names a file, one
// tab-separated record appended to it (program, benchmark, engine, value,
// unit, target, bare, ratio target, verdict) for scripts/bench.sh to gather
// into one table.
namespace Bench {

// Runs fn `warmup` times unmeasured, then `runs` times; returns the median in
// milliseconds.
double medianMs(const std::function<void()> &fn, int runs, int warmup = 3);
// Two ways of doing the same work timed turn about on the same input, the
// one first and then the other first, so drift of the machine and warm
// caches weigh on both alike. The medians of each, in milliseconds.
struct PairedMedians
{
    double first = 0;
    double second = 0;
};
PairedMedians pairedMedianMs(const std::function<void(int)> &first, const std::function<void(int)> &second,
                             const std::function<int()> &nextInput, int runs, int warmup = 3);

// The median of measured values (sorted in place).
double median(std::vector<double> values);

// One line of the figure table.
struct Figure
{
    QString name;
    QString engine;         // "SQLite", "PostgreSQL", or "-" when no database is involved
    double value = 0;       // the median (or the single reading a figure names as such)
    double target = 0;      // 0: no target; the value must not exceed it
    double bare = 0;        // 0: no bare-engine comparison
    double targetRatio = 0; // 0: no ratio target; value / bare must not exceed it
    QString unit = QStringLiteral("ms");
    bool zeroTarget = false; // the value must be 0 (failures, mismatches)
};

void print(const Figure &figure);
void printHeader();

// The engines a benchmark runs on: SQLite always; PostgreSQL when
// TESSALY_BENCH_PG (or TESSALY_TEST_PG) names a server "host:port".
std::vector<Engine> engines();
QString engineName(Engine engine);

// Reports that an engine could not be used: on standard error, and as a
// FAILED record so the gathered table shows the gap.
void unavailable(Engine engine, const QString &what = QString());

// Makes an empty database of that engine current (a fresh SQLite file in a
// temporary folder, or a fresh catalog on the PostgreSQL server). False when
// the engine can't be reached.
bool useFreshDatabase(Engine engine, const QString &label);

// Makes current a database of that engine holding what `fill` writes into an
// empty one. The filled database is kept in the cache folder
// (TESSALY_BENCH_CACHE, else bench-cache beside the build's bench folder)
// under the label, the engine and the schema, so later runs start from a
// copy instead of filling again; every run, the first included, measures a
// copy. The label names the data: give it another when `fill` changes.
bool useCachedDatabase(Engine engine, const QString &label, const std::function<void()> &fill);

// For the programs that open windows: offscreen unless a platform was
// chosen, and the data folder (pictures, logo, preview pages) and the
// settings in a folder of this run, not the user's. Make it before the
// application object.
class PrivateHome
{
public:
    PrivateHome();
    // A file or folder below it ("data/pictures").
    QString filePath(const QString &relative) const { return m_home.filePath(relative); }

private:
    QTemporaryDir m_home;
};

// Runs one set-based statement for bulk data (no timing); aborts on failure.
void bulk(const QString &sql);

} // namespace Bench
