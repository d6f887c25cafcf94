// Preview page images: rendered from the recording when asked for, kept as
// PPview files in a private folder that goes away with the preview.
#include "tests/print/RecorderFixture.h"

#include "print/PageImageStore.h"
#include "print/PageImageSurface.h"
#include "print/PreviewFolder.h"
#include "print/PrintColor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
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

// A dead process's id: one that ran and ended.
qint64 deadPid()
{
    QProcess p;
    p.start(QStringLiteral("/bin/true"), {});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

// A folder as a crashed run leaves it: lock file of a dead process, pages.
QString makeLeftover(qint64 pid)
{
    const QString path = QDir::tempPath() + QLatin1Char('/') + PreviewFolder::namePrefix() + QStringLiteral("crash")
        + QString::number(pid);
    QDir().mkpath(path);
    QFile lock(path + QLatin1Char('/') + PreviewFolder::lockFileName());
    lock.open(QIODevice::WriteOnly);
    lock.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n'
               + QSysInfo::machineHostName().toUtf8() + '\n');
    lock.close();
    QFile page(path + QStringLiteral("/PPview0.bmp"));
    page.open(QIODevice::WriteOnly);
    page.write("old page");
    return path;
}

} // namespace

TEST(PageImages, ThreePagesGiveThreeImagesAtTwoHundredDotsPerInch)
{
    PageImageStore store(threePages());
    ASSERT_TRUE(store.isValid()) << qPrintable(store.errorString());
    EXPECT_EQ(store.pageCount(), 3);
    EXPECT_TRUE(QDir(store.folder()).entryList({QStringLiteral("PPview*")}).isEmpty());
    for (int i = 0; i < 3; ++i) {
        QString error;
        const QImage image = store.page(i, &error);
        EXPECT_TRUE(error.isEmpty()) << qPrintable(error);
        EXPECT_EQ(image.size(), QSize(1600, 2100));
        EXPECT_TRUE(QFileInfo::exists(store.folder() + QStringLiteral("/PPview%1.bmp").arg(i)));
    }
    EXPECT_EQ(QImage(store.pageFile(2)).size(), QSize(1600, 2100));
    EXPECT_TRUE(store.page(3).isNull());
}

TEST(PageImages, DiskHoldsOnlyThePagesThatWereShown)
{
    PageImageStore store(threePages());
    store.page(1);
    EXPECT_EQ(QDir(store.folder()).entryList({QStringLiteral("PPview*")}),
              QStringList({QStringLiteral("PPview1.bmp")}));
    EXPECT_EQ(store.diskBytes(), QFileInfo(store.pageFile(1)).size());
}

TEST(PageImages, OnlyTheMostRecentPagesStayOnDisk)
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    for (int i = 1; i < 20; ++i)
        rec.pNewPage();
    rec.pEndDoc();
    PageImageStore store(rec.sharedDocument());
    for (int i = 0; i < 20; ++i)
        store.page(i);
    const QStringList files = QDir(store.folder()).entryList({QStringLiteral("PPview*.bmp")});
    EXPECT_EQ(files.size(), PageImageStore::PageFilesKept);
    EXPECT_TRUE(files.contains(QStringLiteral("PPview19.bmp")));
    EXPECT_FALSE(files.contains(QStringLiteral("PPview0.bmp")));
    EXPECT_EQ(store.page(0).size(), QSize(1600, 2100)); // drawn again when wanted
}

TEST(PageImages, ClosingRemovesThePagesAndTheirFolder)
{
    QString folder;
    {
        PageImageStore store(threePages());
        folder = store.folder();
        store.page(0);
        store.page(2);
        ASSERT_TRUE(QFileInfo::exists(folder));
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(PageImages, FoldersOfCrashedRunsGoButLiveAndForeignFoldersStay)
{
    const QString crashed = makeLeftover(deadPid());
    PreviewFolder live;
    QFile(live.path() + QStringLiteral("/PPview0.bmp")).open(QIODevice::WriteOnly);
    const QString foreign = QDir::tempPath() + QLatin1Char('/') + PreviewFolder::namePrefix() + QStringLiteral("other");
    QDir().mkpath(foreign);

    PreviewFolder::removeLeftovers();
    EXPECT_FALSE(QFileInfo::exists(crashed));
    EXPECT_TRUE(QFileInfo::exists(live.path() + QStringLiteral("/PPview0.bmp")));
    EXPECT_TRUE(QFileInfo::exists(foreign));
    QDir(foreign).removeRecursively();

    // A new preview never sees pages of an earlier one.
    PageImageStore store(threePages());
    EXPECT_NE(store.folder(), live.path());
    EXPECT_TRUE(QDir(store.folder()).entryList({QStringLiteral("PPview*")}).isEmpty());
}

TEST(PageImages, CopiesAreNumberedFromOneUnderTheReportTitle)
{
    auto doc = threePages();
    PageImageStore store(doc);
    store.page(0); // one page from disk, the others rendered for the copy
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
    // The temporary folder still holds only the page that was shown.
    EXPECT_EQ(QDir(store.folder()).entryList({QStringLiteral("PPview*")}).size(), 1);
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

TEST(PageImages, CopyIntoThePreviewsOwnFolderIsRefused)
{
    PageImageStore store(threePages());
    store.page(0);
    QString error;
    EXPECT_FALSE(store.copyAllTo(store.folder(), QString(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("temporary folder")));
    EXPECT_EQ(QDir(store.folder()).entryList({QStringLiteral("PPview*")}).size(), 1);
    EXPECT_FALSE(store.copyAllTo(QStringLiteral("/no/such/folder"), QString(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("does not exist")));
}

TEST(PageImages, AFailedPageSaveIsReportedWithTheRightPage)
{
    PageImageStore store(threePages());
    store.page(0);
    // The folder disappears under the preview: the page still shows, the
    // failure is told.
    QDir(store.folder()).removeRecursively();
    QString error;
    const QImage image = store.page(1, &error);
    EXPECT_FALSE(image.isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(image, RenderPageImage(store.document(), 1, 200));
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
