// The printer setup window and the print dialog offscreen.
#include "tests/print/FakePrinter.h"

#include "data/Settings.h"
#include "print/PrinterSurface.h"
#include "print/SystemPrinter.h"
#include "print/clsMultiPgPreview.h"
#include "print/clsPrintDialog.h"
#include "print/frmPrinterSetUp.h"
#include "tests/support/RecordingPrompts.h"

#include "tests/support/PdfReader.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SetupWindow : public ::testing::Test
{
protected:
    void SetUp() override { forget(); }
    void TearDown() override { forget(); }
    static void forget()
    {
        Settings::remove(QStringLiteral("Options"), QStringLiteral("Printer"));
        Settings::remove(QStringLiteral("Options"), QStringLiteral("Copies"));
    }
    template <class T> static T *child(QWidget &window, const QString &name)
    {
        T *found = window.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << qPrintable(name);
        return found;
    }
};

// Clicks a radio button on its indicator (its middle may be empty space).
void clickOption(QRadioButton *option)
{
    ASSERT_NE(option, nullptr);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

} // namespace

TEST_F(SetupWindow, CopiesAcceptDigitsOnlyAndStayInRange)
{
    FakePrinter printer({QStringLiteral("Office")});
    frmPrinterSetUp window(1);
    window.show();
    auto *copies = child<QLineEdit>(window, QStringLiteral("txtCopies"));
    EXPECT_EQ(copies->text(), QStringLiteral("1"));
    copies->selectAll();
    QTest::keyClicks(copies, QStringLiteral("15a00"));
    EXPECT_EQ(copies->text(), QStringLiteral("999"));
    EXPECT_EQ(child<QScrollBar>(window, QStringLiteral("VScroll"))->value(), 999);
    copies->clear();
    EXPECT_EQ(copies->text(), QStringLiteral("1"));
    QTest::keyClicks(copies, QStringLiteral("7")); // replaces the 1 put in
    EXPECT_EQ(copies->text(), QStringLiteral("7"));
    copies->setFocus();
    QTest::keyClick(copies, Qt::Key_Return);
    EXPECT_FALSE(copies->hasFocus());
}

TEST_F(SetupWindow, CancelAnswersCancelAndWritesNothing)
{
    FakePrinter printer({QStringLiteral("Office")});
    frmPrinterSetUp window(1);
    EXPECT_TRUE(window.choice().cancelled());
    window.show();
    auto *copies = child<QLineEdit>(window, QStringLiteral("txtCopies"));
    copies->selectAll();
    QTest::keyClicks(copies, QStringLiteral("4"));
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdQuit")), Qt::LeftButton);
    EXPECT_TRUE(window.choice().cancelled());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(Settings::contains(QStringLiteral("Options"), QStringLiteral("Printer")));
    EXPECT_FALSE(Settings::contains(QStringLiteral("Options"), QStringLiteral("Copies")));
}

TEST_F(SetupWindow, PreviewWithLandscapeTabletDuplex)
{
    FakePrinter printer({QStringLiteral("Office"), QStringLiteral("Garage")});
    frmPrinterSetUp window(1);
    window.show();
    clickOption(child<QRadioButton>(window, QStringLiteral("optOrien_1")));
    clickOption(child<QRadioButton>(window, QStringLiteral("optDuplex_1")));
    clickOption(child<QRadioButton>(window, QStringLiteral("optColor_1")));
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdPreview")), Qt::LeftButton);
    EXPECT_EQ(window.choice().action, PrintSetupChoice::Action::Preview);
    EXPECT_EQ(window.choice().orientation, 2);
    EXPECT_EQ(window.choice().colorMode, 1);
    EXPECT_EQ(printer.duplex(), 2);
    EXPECT_EQ(Settings::get(QStringLiteral("Options"), QStringLiteral("Printer")), QStringLiteral("Office"));
    EXPECT_EQ(Settings::get(QStringLiteral("Options"), QStringLiteral("Copies")), QStringLiteral("1"));
}

TEST_F(SetupWindow, ReopeningShowsWhatWasChosen)
{
    FakePrinter printer({QStringLiteral("Office"), QStringLiteral("Garage")});
    {
        frmPrinterSetUp window(1);
        window.show();
        auto *list = child<QComboBox>(window, QStringLiteral("cboPrinter"));
        list->setCurrentIndex(1);
        emit list->activated(1);
        clickOption(child<QRadioButton>(window, QStringLiteral("optDuplex_2")));
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdPrint")), Qt::LeftButton);
        EXPECT_EQ(window.choice().action, PrintSetupChoice::Action::Print);
    }
    frmPrinterSetUp again(1);
    again.show();
    EXPECT_EQ(child<QComboBox>(again, QStringLiteral("cboPrinter"))->currentText(), QStringLiteral("Garage"));
    EXPECT_TRUE(child<QRadioButton>(again, QStringLiteral("optDuplex_2"))->isChecked());
    EXPECT_EQ(child<QLineEdit>(again, QStringLiteral("txtDriver"))->text(), QStringLiteral("Garage driver"));
}

TEST_F(SetupWindow, WithoutAPrinterPrintSaysSoAndPreviewStillWorks)
{
    FakePrinter none;
    RecordingPrompts prompts;
    frmPrinterSetUp window(1);
    window.show();
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdPrint")), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.choice().cancelled());
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("No printer is available")));
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdPreview")), Qt::LeftButton);
    EXPECT_EQ(window.choice().action, PrintSetupChoice::Action::Preview);
}

TEST(SystemPrinter, WithoutInstalledPrintersPagesAreLetterAndThereIsNoJob)
{
    SystemPrinterAccess system;
    if (!system.printerNames().isEmpty())
        GTEST_SKIP() << "this machine has printers";
    const QRectF page = system.pageLayout(1).paintRect(QPageLayout::Inch);
    EXPECT_NEAR(page.width(), 8.0, 1e-9);
    EXPECT_NEAR(page.height(), 10.5, 1e-9);
    QString error;
    EXPECT_EQ(system.openJob(&error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("No printer")));
}

TEST(SystemPrinter, AJobOnAPdfPrinterGetsEveryPageInTheDocumentsOrientation)
{
    clsMultiPgPreview rec;
    rec.setSendToPrinter(false);
    rec.setOrientation(2);
    rec.pStartDoc();
    rec.pPrint(QStringLiteral("first"));
    rec.pNewPage();
    rec.pPrint(QStringLiteral("second"));
    rec.pEndDoc();

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("job.pdf")));
    PrinterSurface job(printer);
    QString error;
    ASSERT_TRUE(ReplayPages(rec.document(), {0, 1}, job, &error)) << qPrintable(error);
    const QString text = PdfReader::info(dir.filePath(QStringLiteral("job.pdf")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+2")))) << qPrintable(text);
    // The printer keeps its own paper; the page is turned as the document is.
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(text);
    ASSERT_TRUE(size.hasMatch()) << qPrintable(text);
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());
}

TEST(PrintDialog, PagePropertiesKeepTheirOrder)
{
    clsPrintDialog dialog;
    dialog.setMaxPage(10);
    dialog.setFromPage(4);
    dialog.setToPage(2);
    EXPECT_EQ(dialog.FromPage(), 2);
    dialog.setMinPage(5);
    EXPECT_EQ(dialog.FromPage(), 5);
    EXPECT_EQ(dialog.ToPage(), 5);
    dialog.setMaxPage(3);
    EXPECT_EQ(dialog.MinPage(), 3);
    EXPECT_EQ(dialog.ToPage(), 3);
    dialog.setFromPage(-4);
    EXPECT_EQ(dialog.FromPage(), 0);
    EXPECT_EQ(dialog.MinPage(), 0);
}

TEST(PrintDialog, CancelIsTrueAndConfirmCutsCopiesToTheMaximum)
{
    auto previous = clsPrintDialog::execDialog;
    clsPrintDialog::execDialog = [](QPrintDialog &) { return int(QDialog::Rejected); };
    {
        clsPrintDialog dialog;
        CurrentPrinter().setCopyCount(2);
        EXPECT_TRUE(dialog.ShowPrinter(64));
        EXPECT_EQ(CurrentPrinter().copyCount(), 2);
    }
    bool printToFileOffered = true;
    clsPrintDialog::execDialog = [&](QPrintDialog &d) {
        printToFileOffered = d.testOption(QAbstractPrintDialog::PrintToFile);
        d.printer()->setCopyCount(5);
        return int(QDialog::Accepted);
    };
    {
        clsPrintDialog dialog;
        EXPECT_FALSE(dialog.ShowPrinter(64));
        EXPECT_EQ(CurrentPrinter().copyCount(), 1);
        EXPECT_FALSE(printToFileOffered);
    }
    clsPrintDialog::execDialog = previous;
}
