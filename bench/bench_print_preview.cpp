// The print preview and PDF of long text documents: time to the first page
// shown, time per page turned, disk and memory used, and the whole document
// written as a PDF.
#include "bench/BenchSupport.h"
#include "print/PageImageStore.h"
#include "print/clsMultiPgPreview.h"
#include "print/frmMultiPgPreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>

namespace {

// A plain text report: a titled header, 50 body lines and a footer on
// every page, the way the list reports fill their pages.
std::shared_ptr<const RecordedDocument> textDocument(int pages)
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.setReportTitle(QStringLiteral("Product Sales"));
    rec.pStartDoc();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            rec.pNewPage();
        rec.pHeader();
        rec.setFontName(QStringLiteral("Arial"));
        rec.setFontSize(10);
        for (int line = 1; line <= 50; ++line) {
            rec.pPrint(QStringLiteral("%1  CD-%2 head unit with remote, installed").arg(line).arg(page * 100 + line),
                       0.5, true);
            rec.pRightTab(QStringLiteral("%1.00").arg(line * 7));
        }
        rec.pFooter();
    }
    rec.pEndDoc();
    return rec.sharedDocument();
}

double heapMegabytes()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void note(const QString &name, const QString &value, const QString &target)
{
    std::printf("%-52s %-11s %22s %s\n", qPrintable(name), "-", qPrintable(value), qPrintable(target));
    std::fflush(stdout);
}

void measure(int pages)
{
    const QString label = QStringLiteral("%1 pages").arg(pages);
    const double before = heapMegabytes();
    QElapsedTimer drawing;
    drawing.start();
    const auto doc = textDocument(pages);
    const double drawMs = double(drawing.nsecsElapsed()) / 1e6;
    const double recorded = heapMegabytes();
    Bench::print({QStringLiteral("draw and record (%1)").arg(label), QStringLiteral("-"), drawMs, 0, 0, 0});

    const double first = Bench::medianMs(
        [&] {
            frmMultiPgPreview window(doc);
            window.show();
            QCoreApplication::processEvents();
        },
        7, 2);
    Bench::print({QStringLiteral("first preview page shown (%1)").arg(label), QStringLiteral("-"), first, 300, 0, 0});
    Bench::print({QStringLiteral("report drawn, then first page shown (%1)").arg(label), QStringLiteral("-"),
                  drawMs + first, 0, 0, 0});

    frmMultiPgPreview window(doc);
    window.show();
    QCoreApplication::processEvents();
    note(QStringLiteral("disk: first page shown of %1").arg(pages),
         QStringLiteral("%1 MB").arg(double(window.pageStore().diskBytes()) / (1024.0 * 1024.0), 0, 'f', 1), QString());
    const int turns = std::min(pages - 1, 40);
    const double turn = Bench::medianMs([&] { window.nextPage(); QCoreApplication::processEvents(); }, turns - 3, 3);
    Bench::print({QStringLiteral("page turned to a page not seen (%1)").arg(label), QStringLiteral("-"), turn, 100, 0,
                  0});
    const int shown = window.CurrentPageIndex() + 1;
    const double disk = double(window.pageStore().diskBytes()) / (1024.0 * 1024.0);
    note(QStringLiteral("disk: %1 pages shown of %2").arg(shown).arg(pages), QStringLiteral("%1 MB").arg(disk, 0, 'f', 1),
         QStringLiteral("(at most %1 page files are kept; none for pages never shown)")
             .arg(PageImageStore::PageFilesKept));
    note(QStringLiteral("memory: the recorded document (%1)").arg(label), QStringLiteral("%1 MB").arg(recorded - before, 0, 'f', 1),
         QString());
    note(QStringLiteral("memory: process with preview open (%1)").arg(label),
         QStringLiteral("%1 MB").arg(residentMegabytes(), 0, 'f', 1), QString());
    window.close();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.pdf"));
    const double pdf = Bench::medianMs([&] { doc->writePdf(path); }, 3, pages > 100 ? 0 : 1);
    Bench::print({QStringLiteral("whole document to PDF (%1)").arg(label), QStringLiteral("-"), pdf,
                  pages > 100 ? 20000.0 : 0, 0, 0});
    note(QStringLiteral("PDF size (%1)").arg(label),
         QStringLiteral("%1 MB").arg(double(QFileInfo(path).size()) / (1024.0 * 1024.0), 0, 'f', 2), QString());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::printHeader();
    measure(20);
    measure(700);
    return 0;
}
