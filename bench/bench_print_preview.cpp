// The print preview and PDF of long text documents: time to the first page
// shown, time per page turned (to a page not seen and back to one seen),
// what a page costs to draw, write and read back, disk and memory used for
// each page looked at, and the whole document written as a PDF.
#include "bench/BenchSupport.h"
#include "print/PageImageStore.h"
#include "print/PageImageSurface.h"
#include "print/clsMultiPgPreview.h"
#include "print/frmMultiPgPreview.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
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

// Bytes of every preview page file in the temporary folder (private to
// this program, see main) and below it.
qint64 pageFileBytes()
{
    qint64 total = 0;
    QDirIterator it(QDir::tempPath(), {QStringLiteral("PPview*")}, QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        total += it.nextFileInfo().size();
    return total;
}

// Writes an image and reads it back in a format: the median times and the
// size of the file.
void fileCosts(const QImage &page, const char *format, int compression, const QString &what)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.") + QLatin1String(format));
    const double write = Bench::medianMs(
        [&] {
            QImageWriter writer(path, format);
            writer.setCompression(compression);
            writer.write(page);
        },
        7, 1);
    const double read = Bench::medianMs([&] { QImage(path, format); }, 7, 1);
    Bench::print({QStringLiteral("for comparison: page written as %1").arg(what), QStringLiteral("-"), write, 0, 0, 0});
    Bench::print({QStringLiteral("for comparison: page read from %1").arg(what), QStringLiteral("-"), read, 0, 0, 0});
    size(QStringLiteral("for comparison: page file as %1").arg(what), megabytes(QFileInfo(path).size()));
}

// What drawing a page from the recording costs (what a page turn does), and
// what storing its image instead would: written and read back as a bitmap
// and as a PNG at zlib's fastest level.
void pageImageCosts(const std::shared_ptr<const RecordedDocument> &doc, const QString &label)
{
    const int count = int(doc->pages.size());
    int next = 0;
    const double draw = Bench::medianMs(
        [&] { RenderPageImage(*doc, next++ % count, PageImageStore::DefaultDotsPerInch); }, 9, 2);
    const QImage page = RenderPageImage(*doc, 0, PageImageStore::DefaultDotsPerInch);
    const QString at = QStringLiteral("%1x%2, %3").arg(page.width()).arg(page.height()).arg(label);
    Bench::print({QStringLiteral("page drawn from the recording (%1)").arg(at), QStringLiteral("-"), draw, 0, 0, 0});
    fileCosts(page, "bmp", -1, QStringLiteral("BMP (%1)").arg(at));
    fileCosts(page, "png", 11, QStringLiteral("PNG, fastest level (%1)").arg(at));
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
    const double heapOnePage = heapMegabytes();
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
    // What the pages looked at left behind, on disk and in memory, beyond
    // the one on the screen.
    size(QStringLiteral("disk per page looked at (%1 of %2)").arg(shown).arg(label), megabytes(pageFileBytes()) / shown,
         1.5);
    size(QStringLiteral("memory per page looked at (%1 of %2)").arg(shown).arg(label),
         std::max(0.0, heapMegabytes() - heapOnePage) / std::max(1, shown - 1), 1.5);
    const double back = Bench::medianMs(
        [&] {
            window.previousPage();
            QCoreApplication::processEvents();
        },
        turns - 3, 3);
    Bench::print(
        {QStringLiteral("page turned back to a page seen (%1)").arg(label), QStringLiteral("-"), back, 100, 0, 0});
    size(QStringLiteral("memory: the recorded document (%1)").arg(label), recorded - before);
    size(QStringLiteral("memory: process with preview open (%1)").arg(label), residentMegabytes());
    window.close();
    pageImageCosts(doc, label);

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
    // The preview's temporary files are looked for in a folder of this run
    // alone, not among other programs'.
    QTemporaryDir temp;
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    QApplication app(argc, argv);
    Bench::printHeader();
    measure(20);
    measure(700);
    return 0;
}
