#pragma once

#include "bench/BenchSupport.h"
#include "reports/ReportRun.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <functional>

namespace Bench {

// A report written as a PDF file: the median of `runs` after `warmup`, in
// milliseconds. A run that is not done ends the program; *pages is the
// page count and *path the last file written (kept until `dir` goes).
inline double medianPdfMs(const std::function<ReportResult(const ReportOutput &)> &run, const QTemporaryDir &dir,
                          int runs, int warmup, int *pages, QString *path = nullptr)
{
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    if (path)
        *path = file;
    return medianMs(
        [&] {
            const ReportResult r = run(ReportOutput::pdf(file));
            if (!r.done())
                std::abort();
            *pages = r.pages;
        },
        runs, warmup);
}

} // namespace Bench
