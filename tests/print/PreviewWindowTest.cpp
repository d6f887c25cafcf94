// The preview window offscreen: pages, navigation, go-to, printing ranges
// to a logged job, copies, PDF, and what closing leaves behind.
#include "tests/print/FakePrinter.h"
#include "tests/print/PreviewTempFolder.h"

#include "print/PageImageSurface.h"
#include "print/PreviewPanels.h"
#include "print/PrintPresenter.h"
#include "print/PrintWindows.h"
#include "print/clsMultiPgPreview.h"
#include "print/frmMultiPgPreview.h"
#include "tests/support/RecordingPrompts.h"

#include "tests/support/PdfReader.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<const RecordedDocument> document(int pages, const QString &title = QString())
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.setReportTitle(title);
    rec.pStartDoc();
    for (int i = 1; i <= pages; ++i) {
        if (i > 1)
            rec.pNewPage();
        rec.pPrint(QStringLiteral("Body of page %1").arg(i), 1.0);
    }
    rec.pEndDoc();
    return rec.sharedDocument();
}

template <class T> T *child(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString pageLabel(frmMultiPgPreview &window)
{
    return child<QLabel>(window, "Label1")->text();
}

void chooseOption(frmMultiPgPreview &window, int option)
{
    QTest::mouseClick(child<QPushButton>(window, "cmd_print"), Qt::LeftButton);
    child<QRadioButton>(window, QStringLiteral("optPrint_%1").arg(option).toLatin1().constData())->setChecked(true);
}

QStringList bodyTexts(const RecordedPage &page)
{
    return page.textStrings();
}

} // namespace

TEST(PreviewWindow, OpensOnTheFirstPageAndTurnsPages)
{
    frmMultiPgPreview window(document(3));
    window.show();
    EXPECT_EQ(window.CurrentPageIndex(), 0);
    EXPECT_EQ(window.LastPageIndex(), 2);
    EXPECT_EQ(pageLabel(window), QStringLiteral("1\n-- of --\n3"));
    QTest::mouseClick(child<QToolButton>(window, "Command1_1"), Qt::LeftButton);
    EXPECT_EQ(pageLabel(window), QStringLiteral("2\n-- of --\n3"));
    QTest::mouseClick(child<QToolButton>(window, "Command1_1"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(window, "Command1_1"), Qt::LeftButton);
    EXPECT_EQ(window.CurrentPageIndex(), 2);
    QTest::mouseClick(child<QToolButton>(window, "Command1_0"), Qt::LeftButton);
    EXPECT_EQ(window.CurrentPageIndex(), 1);
}

TEST(PreviewWindow, OnePageDocumentStaysOnItsPage)
{
    frmMultiPgPreview window(document(1));
    window.show();
    window.nextPage();
    window.previousPage();
    EXPECT_EQ(pageLabel(window), QStringLiteral("1\n-- of --\n1"));
}

TEST(PreviewWindow, KeysTurnPagesAndGoToTheEnds)
{
    frmMultiPgPreview window(document(4));
    window.show();
    QWidget *view = window.findChild<QWidget *>(QStringLiteral("PreviewPageView"));
    ASSERT_NE(view, nullptr);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(window.CurrentPageIndex(), 1);
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(window.CurrentPageIndex(), 3);
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(window.CurrentPageIndex(), 2);
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(window.CurrentPageIndex(), 0);
    window.setFitPage(true); // the whole page fits: Right turns the page
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(window.CurrentPageIndex(), 1);
    QTest::keyClick(view, Qt::Key_G);
    EXPECT_TRUE(child<QWidget>(window, "picGoto")->isVisible());
}

TEST(PreviewWindow, DraggingThePageScrollsIt)
{
    frmMultiPgPreview window(document(2));
    window.resize(700, 500);
    window.show();
    auto *view = window.findChild<QAbstractScrollArea *>(QStringLiteral("PreviewPageView"));
    auto *page = child<QLabel>(window, "Picture1");
    ASSERT_TRUE(view && page);
    QScrollBar *bar = view->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 200);
    EXPECT_EQ(bar->value(), 0);
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(100, 300));
    QTest::mouseMove(page, QPoint(100, 150));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(100, 150));
    EXPECT_EQ(bar->value(), 150);
    window.nextPage(); // a new page starts at its top
    EXPECT_EQ(bar->value(), 0);
}

TEST(PreviewWindow, GoToNinetyNineInAThreePageDocumentShowsPageThree)
{
    frmMultiPgPreview window(document(3));
    window.show();
    QTest::mouseClick(child<QPushButton>(window, "cmdGoTo"), Qt::LeftButton);
    EXPECT_TRUE(child<QLabel>(window, "Label5")->text().endsWith(QStringLiteral("(1 to 3)")));
    auto *box = child<QLineEdit>(window, "txtGoto");
    box->clear();
    QTest::keyClicks(box, QStringLiteral("99"));
    EXPECT_EQ(box->text(), QStringLiteral("3"));
    QTest::mouseClick(child<QPushButton>(window, "cmdGotoOK"), Qt::LeftButton);
    EXPECT_EQ(window.CurrentPageIndex(), 2);
    EXPECT_EQ(pageLabel(window), QStringLiteral("3\n-- of --\n3"));
    EXPECT_FALSE(child<QWidget>(window, "picGoto")->isVisible());
}

TEST(PreviewWindow, PrintPagesTwoToThreeSendsExactlyThosePagesAsOneJob)
{
    FakePrinter printer({QStringLiteral("Front Desk")});
    auto doc = document(4);
    frmMultiPgPreview window(doc);
    window.show();
    chooseOption(window, 2);
    auto *from = child<QLineEdit>(window, "txtFrom");
    auto *to = child<QLineEdit>(window, "txtTo");
    EXPECT_EQ(to->text(), QStringLiteral("4"));
    from->setText(QStringLiteral("2"));
    to->setText(QStringLiteral("3"));
    QStringList progress;
    printer.onDraw = [&] { progress << child<QLabel>(window, "lblPrintingPg")->text(); };
    QTest::mouseClick(child<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    progress.removeDuplicates();
    EXPECT_EQ(progress, QStringList({QStringLiteral("Printing page 2 of 3"), QStringLiteral("Printing page 3 of 3")}));
    ASSERT_EQ(printer.jobs.size(), 1);
    const auto &job = *printer.jobs[0];
    EXPECT_TRUE(job.ended);
    ASSERT_EQ(job.document->pages.size(), 2);
    EXPECT_EQ(bodyTexts(job.document->pages[0]), bodyTexts(doc->pages[1]));
    EXPECT_EQ(bodyTexts(job.document->pages[1]), bodyTexts(doc->pages[2]));
    EXPECT_FALSE(child<QWidget>(window, "picPrintOptions")->isVisible());
    EXPECT_TRUE(child<QWidget>(window, "picPrintOptions")->isEnabled());
}

TEST(PreviewWindow, PrintCurrentPageSendsThatPage)
{
    FakePrinter printer({QStringLiteral("Front Desk")});
    auto doc = document(3);
    frmMultiPgPreview window(doc);
    window.show();
    window.showPage(2);
    chooseOption(window, 1);
    QString progress;
    printer.onDraw = [&] { progress = child<QLabel>(window, "lblPrintingPg")->text(); };
    QTest::mouseClick(child<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(progress, QStringLiteral("Printing page 3"));
    ASSERT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(printer.jobs[0]->document->pages.size(), 1);
    EXPECT_EQ(bodyTexts(printer.jobs[0]->document->pages[0]), bodyTexts(doc->pages[2]));
}

TEST(PreviewWindow, AfterPrintingThePrinterIsLeftInTheDocumentsOrientation)
{
    FakePrinter printer({QStringLiteral("Front Desk")});
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.setOrientation(2);
    rec.pStartDoc();
    rec.pPrint(QStringLiteral("wide"));
    rec.pEndDoc();
    frmMultiPgPreview window(rec.sharedDocument());
    printer.setOrientation(1);
    window.show();
    chooseOption(window, 1);
    QTest::mouseClick(child<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.orientation(), 2);
}

TEST(PreviewWindow, TheRangeStaysInOrderAndInsideTheDocument)
{
    frmMultiPgPreview window(document(3));
    window.show();
    chooseOption(window, 2);
    auto *from = child<QLineEdit>(window, "txtFrom");
    auto *to = child<QLineEdit>(window, "txtTo");
    to->clear();
    QTest::keyClicks(to, QStringLiteral("9"));
    EXPECT_EQ(to->text(), QStringLiteral("3"));
    from->setText(QStringLiteral("2"));
    to->setText(QStringLiteral("1"));
    emit to->editingFinished();
    EXPECT_EQ(to->text(), QStringLiteral("2"));
    to->setText(QStringLiteral("2"));
    from->setText(QStringLiteral("3"));
    emit from->editingFinished();
    EXPECT_EQ(from->text(), QStringLiteral("2"));
    QTest::keyClick(to, Qt::Key_Up);
    EXPECT_EQ(to->text(), QStringLiteral("3"));
}

TEST(PreviewWindow, WithoutAPrinterPrintingSaysSoAndThePanelIsUsableAgain)
{
    FakePrinter none;
    RecordingPrompts prompts;
    frmMultiPgPreview window(document(2));
    window.show();
    chooseOption(window, 1);
    QTest::mouseClick(child<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("No printer is available")));
    EXPECT_TRUE(child<QWidget>(window, "picPrintOptions")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(window, "cmdPrint")->isVisibleTo(child<QWidget>(window, "picPrintOptions")));
}

TEST(PreviewWindow, CopyPageToClipboard)
{
    frmMultiPgPreview window(document(2));
    window.show();
    chooseOption(window, 0);
    QTest::mouseClick(child<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(1600, 2100));
}

TEST(PreviewWindow, APageTurnedBackToIsCopiedAsDrawn)
{
    const auto doc = document(3);
    frmMultiPgPreview window(doc);
    window.show();
    window.nextPage();
    window.nextPage();
    window.previousPage();
    chooseOption(window, 0);
    QTest::mouseClick(child<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), RenderPageImage(*doc, 1, 200));
}

TEST(PreviewWindow, CopyAllPagesToAFolderUnderTheReportTitle)
{
    QTemporaryDir target;
    frmMultiPgPreview window(document(3, QStringLiteral("Daily Sales")));
    window.show();
    chooseOption(window, 3);
    QTest::mouseClick(child<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    auto *folders = child<PreviewFolderPanel>(window, "picGetFolder");
    EXPECT_TRUE(folders->isVisible());
    folders->setPath(target.path());
    QTest::mouseClick(child<QPushButton>(window, "cmdOpen"), Qt::LeftButton);
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files, QDir::Name),
              QStringList({QStringLiteral("Daily Sales1.bmp"), QStringLiteral("Daily Sales2.bmp"),
                           QStringLiteral("Daily Sales3.bmp")}));
    EXPECT_FALSE(folders->isVisible());
    EXPECT_TRUE(child<QWidget>(window, "picPrintOptions")->isEnabled());
}

TEST(PreviewWindow, CopyingIntoAFolderThatIsGoneIsRefusedAndTold)
{
    RecordingPrompts prompts;
    frmMultiPgPreview window(document(2));
    window.show();
    EXPECT_FALSE(window.copyPagesTo(QStringLiteral("/no/such/folder")));
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("does not exist")));
}

TEST(PreviewWindow, NewFolderIsMadeAndOpened)
{
    QTemporaryDir target;
    RecordingPrompts prompts;
    prompts.type(QStringLiteral("  Reports  "));
    frmMultiPgPreview window(document(1));
    auto *folders = child<PreviewFolderPanel>(window, "picGetFolder");
    folders->setPath(target.path());
    QTest::mouseClick(child<QPushButton>(window, "cmdNewFolder"), Qt::LeftButton);
    EXPECT_EQ(folders->path(), QDir(target.path()).filePath(QStringLiteral("Reports")));
    EXPECT_TRUE(QFileInfo(folders->path()).isDir());
}

TEST(PreviewWindow, SaveAsPdfWritesTheWholeDocument)
{
    QTemporaryDir target;
    frmMultiPgPreview window(document(3, QStringLiteral("Stock")));
    QString suggested;
    window.choosePdfPath = [&](QWidget *, const QString &suggestion) {
        suggested = suggestion;
        return target.filePath(QStringLiteral("stock.pdf"));
    };
    window.show();
    QTest::mouseClick(child<QPushButton>(window, "cmdSavePdf"), Qt::LeftButton);
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/Stock.pdf")));
    const QString pdfInfo = PdfReader::info(target.filePath(QStringLiteral("stock.pdf")));
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression(QStringLiteral("Pages:\\s+3"))));
}

TEST(PreviewWindow, ClosingLeavesNoPageFilesNotEvenAnEarlierRunsOnes)
{
    const PreviewTempFolder temp;
    frmMultiPgPreview window(document(3));
    window.show();
    window.nextPage();
    // An earlier run that ended without cleaning up, while this one is open.
    temp.addLeftover(QStringLiteral("earlier"));
    EXPECT_EQ(temp.pageFiles().size(), 2);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmd_quit")), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(temp.pageFiles(), QStringList());
}

TEST(PreviewWindow, EndDocInPreviewModeShowsTheWindowOnPageOne)
{
    InstallPrintWindows();
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    rec.pPrint(QStringLiteral("one"));
    rec.pNewPage();
    rec.pPrint(QStringLiteral("two"));
    QString seen;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<frmMultiPgPreview *>(QApplication::activeModalWidget());
        if (!window)
            return;
        seen = window->findChild<QLabel *>(QStringLiteral("Label1"))->text();
        window->close();
    });
    rec.pEndDoc();
    SetPrinterAccess(nullptr);
    SetPrintPresenter(nullptr);
    EXPECT_EQ(seen, QStringLiteral("1\n-- of --\n2"));
}
