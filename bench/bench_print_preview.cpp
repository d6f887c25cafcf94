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

double megabytes(qint64 bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

// A figure in megabytes, with no database involved.
void size(const QString &name, double mb, double target = 0)
{
    Bench::print({name, QStringLiteral("-"), mb, target, 0, 0, QStringLiteral("MB")});
}

// The disk the preview of the first, short document took with its first
// page shown: a longer document must take no more, as pages never shown
// take none.
double g_firstPageDisk = 0;

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
    const double firstDisk = megabytes(window.pageStore().diskBytes());
    size(QStringLiteral("disk: first page shown of %1").arg(pages), firstDisk, g_firstPageDisk);
    if (g_firstPageDisk == 0)
        g_firstPageDisk = firstDisk;
    const int turns = std::min(pages - 1, 40);
    const double turn = Bench::medianMs(
        [&] {
            window.nextPage();
            QCoreApplication::processEvents();
        },
        turns - 3, 3);
    Bench::print(
        {QStringLiteral("page turned to a page not seen (%1)").arg(label), QStringLiteral("-"), turn, 100, 0, 0});
    const int shown = window.CurrentPageIndex() + 1;
    // At most PageFilesKept page files stay on disk, each the size of the
    // first page's.
    size(QStringLiteral("disk: %1 pages shown of %2").arg(shown).arg(pages), megabytes(window.pageStore().diskBytes()),
         g_firstPageDisk * PageImageStore::PageFilesKept);
    size(QStringLiteral("memory: the recorded document (%1)").arg(label), recorded - before);
    size(QStringLiteral("memory: process with preview open (%1)").arg(label), residentMegabytes());
    window.close();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.pdf"));
    const double pdf = Bench::medianMs([&] { doc->writePdf(path); }, 3, pages > 100 ? 0 : 1);
    Bench::print({QStringLiteral("whole document to PDF (%1)").arg(label), QStringLiteral("-"), pdf,
                  pages > 100 ? 20000.0 : 0, 0, 0});
    size(QStringLiteral("PDF size (%1)").arg(label), megabytes(QFileInfo(path).size()));
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
