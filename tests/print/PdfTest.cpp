// A document written to a real PDF and read back with pdftotext / pdfinfo.
#include "tests/print/FakePrinter.h"

#include "data/Clock.h"
#include "print/PdfPreviewPresenter.h"
#include "print/PdfSurface.h"
#include "print/clsMultiPgPreview.h"
#include "tests/support/PdfReader.h"
#include "tests/support/RecordingPrompts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int pdfPages(const QString &path)
{
    return PdfReader::pages(path);
}

// A titled three-page report: header, body lines, footer on every page.
void drawReport(clsMultiPgPreview &rec)
{
    rec.pStartDoc();
    for (int page = 1; page <= 3; ++page) {
        if (page > 1)
            rec.pNewPage();
        rec.pHeader(QStringLiteral("Weekly Sales Summary"), QStringLiteral("Main Street Shop"));
        rec.setFontName(QStringLiteral("Arial"));
        rec.setFontSize(11);
        for (int line = 1; line <= 3; ++line)
            rec.pPrint(QStringLiteral("Body line %1 of page %2").arg(line).arg(page), 0.5);
        rec.pFooter();
    }
}

// The position of each part in the text, in order; -1 where one is missing.
bool inOrder(const QString &text, const QStringList &parts, QString *missing)
{
    qsizetype at = 0;
    for (const QString &part : parts) {
        at = text.indexOf(part, at);
        if (at < 0) {
            *missing = part;
            return false;
        }
        at += part.size();
    }
    return true;
}

} // namespace

TEST(PdfOutput, ThreePagesWithHeaderFooterAndBodyInOrder)
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 2), QTime(16, 45)));
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    drawReport(rec);
    rec.pEndDoc();
    Clock::setFixed(std::nullopt);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("weekly.pdf"));
    QString error;
    ASSERT_TRUE(rec.writePdf(path, &error)) << qPrintable(error);
    EXPECT_EQ(pdfPages(path), 3);

    const QString text = PdfReader::text(path);
    QStringList expected;
    for (int page = 1; page <= 3; ++page) {
        expected << QStringLiteral("Weekly Sales Summary") << QStringLiteral("Main Street Shop");
        for (int line = 1; line <= 3; ++line)
            expected << QStringLiteral("Body line %1 of page %2").arg(line).arg(page);
        expected << QStringLiteral("Printed: Mon. March 2, 2026 @ 4:45 PM") << QStringLiteral("Pg. %1").arg(page);
    }
    QString missing;
    EXPECT_TRUE(inOrder(text, expected, &missing)) << "missing or out of order: " << qPrintable(missing) << "\n"
                                                   << qPrintable(text);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("weekly.pdf")}));
}

TEST(PdfOutput, ACommandLineRunWritesEveryPreviewToAPdf)
{
    QTemporaryDir dir;
    PdfPreviewPresenter toFile(dir.filePath(QStringLiteral("run.pdf")));
    SetPrintPresenter(&toFile);
    clsMultiPgPreview rec;
    const PrintSetupChoice choice = Presenter().showPrinterSetup(rec.Orientation());
    ASSERT_FALSE(choice.cancelled());
    rec.setSendToPrinter(choice.toPrinter());
    drawReport(rec);
    rec.pEndDoc();
    SetPrintPresenter(nullptr);
    EXPECT_TRUE(toFile.lastError().isEmpty()) << qPrintable(toFile.lastError());
    EXPECT_EQ(pdfPages(dir.filePath(QStringLiteral("run.pdf"))), 3);
}

TEST(PdfOutput, LandscapePagesAreLandscape)
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.setOrientation(2);
    rec.pStartDoc();
    rec.pPrint(QStringLiteral("wide"));
    rec.pEndDoc();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.pdf"));
    ASSERT_TRUE(rec.writePdf(path));
    EXPECT_TRUE(PdfReader::info(path).contains(QStringLiteral("792 x 612")));
}

TEST(PdfOutput, AFailedWriteLeavesTheOldFileAndNoPieces)
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    rec.pPrint(QStringLiteral("new"));
    rec.pEndDoc();
    QString error;
    EXPECT_FALSE(rec.writePdf(QStringLiteral("/no/such/folder/out.pdf"), &error));
    EXPECT_FALSE(error.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    {
        PdfSurface pdf(path);
        ASSERT_TRUE(pdf.begin(rec.document().layout, QString()));
        pdf.draw(rec.document().pages[0].operations[0]);
        pdf.abort();
    }
    QFile check(path);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(PrinterMode, EveryPageGoesStraightToTheJobAndEndDocEndsIt)
{
    FakePrinter printer({QStringLiteral("Front Desk")});
    clsMultiPgPreview rec;
    rec.setSendToPrinter(true);
    drawReport(rec);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0]->document->pages.size(), 3);
    EXPECT_FALSE(printer.jobs[0]->ended);
    rec.pEndDoc();
    EXPECT_TRUE(printer.jobs[0]->ended);
    EXPECT_FALSE(rec.SendToPrinter());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(printer.jobs[0]->document->pages[i].textStrings(), rec.document().pages[i].textStrings());
    }
}

TEST(PrinterMode, AReportThatFailsHalfWayAbortsItsJobAndDropsItsPages)
{
    FakePrinter printer({QStringLiteral("Front Desk")});
    {
        clsMultiPgPreview rec;
        rec.setSendToPrinter(true);
        rec.pStartDoc();
        rec.pPrint(QStringLiteral("half"));
        rec.pNewPage();
        rec.abortDoc();
        EXPECT_EQ(rec.pageCount(), 0);
    }
    {
        clsMultiPgPreview rec; // left without pEndDoc
        rec.setSendToPrinter(true);
        rec.pStartDoc();
        rec.pPrint(QStringLiteral("half"));
    }
    ASSERT_EQ(printer.jobs.size(), 2);
    for (const auto &job : printer.jobs) {
        EXPECT_TRUE(job->aborted);
        EXPECT_FALSE(job->ended);
    }
}

TEST(PrinterMode, NoPrinterIsToldAndThePagesAreStillRecorded)
{
    FakePrinter none;
    RecordingPrompts prompts;
    clsMultiPgPreview rec;
    rec.setSendToPrinter(true);
    rec.pStartDoc();
    rec.pPrint(QStringLiteral("kept"));
    rec.pEndDoc();
    EXPECT_TRUE(rec.lastError().contains(QStringLiteral("No printer")));
    EXPECT_EQ(prompts.lastMessage(), rec.lastError());
    EXPECT_TRUE(rec.document().pages[0].findText(QStringLiteral("kept")));
}
