#pragma once

#include "bench/BenchSupport.h"
#include "reports/DemoLetterhead.h"
#include "reports/ReportRun.h"

#include <QCoreApplication>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace Bench {

// The demo letterhead the reports draw, made when missing; false, said on
// standard error, when it can't be.
inline bool letterheadReady()
{
    QString error;
    if (DemoLetterhead::ensureFiles(&error))
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(error));
    return false;
}

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
