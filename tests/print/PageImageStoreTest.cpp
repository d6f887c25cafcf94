// Preview page images: drawn from the recording each time a page is
// looked at, leaving nothing on disk; copies in a folder are bitmaps of the
// pages drawn; the page folders an earlier release left go.
#include "tests/print/PreviewTempFolder.h"
#include "tests/print/RecorderFixture.h"

#include "print/PageImageStore.h"
#include "print/PageImageSurface.h"
#include "print/PreviewFolder.h"
#include "print/PrintColor.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <algorithm>

namespace {

std::shared_ptr<const RecordedDocument> threePages()
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    for (int i = 1; i <= 3; ++i) {
        if (i > 1)
            rec.pNewPage();
        rec.pPrint(QStringLiteral("Page body %1").arg(i), 1.0);
    }
    rec.pEndDoc();
    return rec.sharedDocument();
}

// Two pages as the reports draw them: coloured bands, grey and black text,
// a fine rule.
std::shared_ptr<const RecordedDocument> colouredPages()
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.setReportTitle(QStringLiteral("Daily Sales"));
    rec.pStartDoc();
    for (int i = 1; i <= 2; ++i) {
        if (i > 1)
            rec.pNewPage();
        rec.pHeader();
        rec.pBox(0.5, 2.0, 6.0, 0.4, -1, RGB(200, 230, 255), 0);
        rec.setForeColor(RGB(120, 120, 120));
        rec.pPrint(QStringLiteral("Head unit %1, installed").arg(i), 0.75);
        rec.setForeColor(RGB(160, 0, 0));
        rec.pRightTab(QStringLiteral("$%1.99").arg(i * 100));
        rec.pLine(0.5, 7.0, 1, true);
        rec.pFooter();
    }
    rec.pEndDoc();
    return rec.sharedDocument();
}

} // namespace

TEST(PageImages, ThreePagesGiveThreeImagesAtTwoHundredDotsPerInch)
{
    PageImageStore store(threePages());
    EXPECT_EQ(store.pageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(store.page(i).size(), QSize(1600, 2100));
    EXPECT_TRUE(store.page(3).isNull());
    EXPECT_TRUE(store.page(-1).isNull());
}

TEST(PageImages, PagesLookedAtLeaveNothingOnDisk)
{
    const PreviewTempFolder temp;
    PageImageStore store(threePages());
    for (int i = 0; i < 3; ++i)
        store.page(i);
    EXPECT_EQ(temp.pageFiles(), QStringList());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

TEST(PageImages, APageLookedAtAgainIsTheSamePicture)
{
    const auto doc = colouredPages();
    PageImageStore store(doc);
    const QImage first = store.page(0);
    store.page(1);
    EXPECT_EQ(store.page(0), first);
    EXPECT_EQ(first, RenderPageImage(*doc, 0, 200));
    EXPECT_NE(store.page(1), first);
}

TEST(PageImages, CopiesInAFolderAreThePagesDrawn)
{
    const auto doc = colouredPages();
    PageImageStore store(doc);
    QTemporaryDir target;
    QString error;
    ASSERT_TRUE(store.copyAllTo(target.path(), QStringLiteral("Daily Sales"), &error)) << qPrintable(error);
    for (int i = 0; i < 2; ++i) {
        const QImage copy(target.filePath(QStringLiteral("Daily Sales%1.bmp").arg(i + 1)), "bmp");
        EXPECT_EQ(copy.convertToFormat(QImage::Format_RGB32), store.page(i)) << i;
    }
}

TEST(PageImages, FoldersOfEndedRunsGoButLiveAndForeignFoldersStay)
{
    const PreviewTempFolder temp;
    const QString ended = temp.addLeftover(QStringLiteral("ended"));
    // A folder of a program still running.
    const QString live = temp.path() + QLatin1Char('/') + PreviewFolder::namePrefix() + QStringLiteral("live");
    QDir().mkpath(live);
    QLockFile lock(live + QLatin1Char('/') + PreviewFolder::lockFileName());
    ASSERT_TRUE(lock.tryLock(0));
    QFile(live + QStringLiteral("/PPview0.bmp")).open(QIODevice::WriteOnly);
    // A folder with the name but no lock is not one of ours.
    const QString foreign = temp.path() + QLatin1Char('/') + PreviewFolder::namePrefix() + QStringLiteral("other");
    QDir().mkpath(foreign);

    EXPECT_EQ(PreviewFolder::removeLeftovers(), 1);
    EXPECT_FALSE(QFileInfo::exists(ended));
    EXPECT_TRUE(QFileInfo::exists(live + QStringLiteral("/PPview0.bmp")));
    EXPECT_TRUE(QFileInfo::exists(foreign));
}

TEST(PageImages, CopiesAreNumberedFromOneUnderTheReportTitle)
{
    const PreviewTempFolder temp;
    auto doc = threePages();
    PageImageStore store(doc);
    store.page(0);
    QTemporaryDir target;
    QString error;
    QList<int> progress;
    ASSERT_TRUE(store.copyAllTo(target.path(), QStringLiteral(" Daily Sales "), &error, [&](int i) { progress << i; }))
        << qPrintable(error);
    EXPECT_EQ(progress, QList<int>({0, 1, 2}));
    QStringList names = QDir(target.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names,
              QStringList({QStringLiteral("Daily Sales1.bmp"), QStringLiteral("Daily Sales2.bmp"),
                           QStringLiteral("Daily Sales3.bmp")}));
    EXPECT_EQ(QImage(target.filePath(QStringLiteral("Daily Sales3.bmp"))).size(), QSize(1600, 2100));
    // The copies are the only files written.
    EXPECT_EQ(temp.pageFiles(), QStringList());
}

TEST(PageImages, TitlesThatCouldLeaveTheFolderFallBackToPPview)
{
    PageImageStore store(threePages());
    for (const QString &title :
         {QString(), QStringLiteral("../escape"), QStringLiteral("a\\b"), QString(300, QLatin1Char('x'))}) {
        QTemporaryDir target;
        QString error;
        ASSERT_TRUE(store.copyAllTo(target.path(), title, &error)) << qPrintable(error);
        EXPECT_EQ(
            QDir(target.path()).entryList(QDir::Files, QDir::Name),
            QStringList({QStringLiteral("PPview1.bmp"), QStringLiteral("PPview2.bmp"), QStringLiteral("PPview3.bmp")}));
    }
}

TEST(PageImages, CopyIntoAFolderThatDoesNotExistIsRefused)
{
    PageImageStore store(threePages());
    QString error;
    EXPECT_FALSE(store.copyAllTo(QStringLiteral("/no/such/folder"), QString(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("does not exist")));
}

TEST(PageImages, RulesAndBandsLookTheSameAtEveryResolution)
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    rec.setCurrentY(1.0);
    rec.pLine(0, -1, 6, false); // 6/600 inch
    rec.pBox(1.0, 2.0, 2.0, 0.5, -1, RGB(220, 220, 220), 0);
    rec.pEndDoc();
    for (int dpi : {200, 600}) {
        const QImage image = RenderPageImage(rec.document(), 0, dpi);
        int dark = 0;
        for (int y = int(0.9 * dpi); y < int(1.1 * dpi); ++y)
            dark += qGray(image.pixel(dpi * 4, y)) < 128 ? 1 : 0;
        EXPECT_NEAR(dark, 6.0 * dpi / 600, 1.0) << dpi;
        EXPECT_EQ(PrintColor::fromQColor(image.pixelColor(2 * dpi, int(2.25 * dpi))), 14474460) << dpi;
    }
}

namespace {

// The inked box of a page image, in inches.
QRectF inkedInches(const QImage &image, int dpi)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0
        ? QRectF()
        : QRectF(double(left) / dpi, double(top) / dpi, double(right - left + 1) / dpi, double(bottom - top + 1) / dpi);
}

} // namespace

TEST(PageImages, RotatedTextStandsInTheSamePlaceAtEveryResolution)
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    rec.setCurrentY(3.0);
    rec.pPrintRotate(QStringLiteral("WARRANTY VOID"), 90, 2.0);
    rec.pEndDoc();
    const QRectF low = inkedInches(RenderPageImage(rec.document(), 0, 100), 100);
    const QRectF high = inkedInches(RenderPageImage(rec.document(), 0, 300), 300);
    ASSERT_FALSE(low.isEmpty());
    ASSERT_FALSE(high.isEmpty());
    EXPECT_GT(high.height(), 3 * high.width()) << "turned a quarter, the words run up the page";
    for (const auto &[a, b] : {std::pair{low.left(), high.left()}, std::pair{low.top(), high.top()},
                               std::pair{low.width(), high.width()}, std::pair{low.height(), high.height()}})
        EXPECT_NEAR(a, b, 0.03);
    // Turned about the cursor, the words start at it and read up the page.
    for (const QRectF &ink : {low, high}) {
        EXPECT_NEAR(ink.bottom(), 3.0, 0.03);
        EXPECT_GE(ink.left(), 2.0 - 0.01);
        EXPECT_LT(ink.right(), 2.25);
    }
}
