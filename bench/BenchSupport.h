#pragma once

#include "data/Database.h"

#include <QString>
#include <functional>
#include <vector>

// Shared pieces of the benchmark programs: timing with a warm-up, the figure
// table, and the databases they run on.
namespace Bench {

// Runs fn `warmup` times unmeasured, then `runs` times; returns the median in
// milliseconds.
double medianMs(const std::function<void()> &fn, int runs, int warmup = 3);

// One line of the figure table.
struct Figure
{
    QString name;
    QString engine;
    double medianMs = 0;
    double targetMs = 0;   // 0: no target
    double bareMs = 0;     // 0: no bare-engine comparison
    double targetRatio = 0; // 0: no ratio target
};

void print(const Figure &figure);
void printHeader();

// The engines a benchmark runs on: SQLite always; PostgreSQL when
// TESSALY_BENCH_PG (or TESSALY_TEST_PG) names a server "host:port".
std::vector<Engine> engines();
QString engineName(Engine engine);

// Makes an empty database of that engine current (a fresh SQLite file in a
// temporary folder, or a fresh catalog on the PostgreSQL server). False when
// the engine can't be reached.
bool useFreshDatabase(Engine engine, const QString &label);

// Runs one set-based statement for bulk data (no timing); aborts on failure.
void bulk(const QString &sql);

} // namespace Bench
