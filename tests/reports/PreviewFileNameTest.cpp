// "Save as PDF" in the preview of a printed document suggests a file named
// after the document, on every engine.
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DemoShop.h"
#include "print/PrintPresenter.h"
#include "print/clsMultiPgPreview.h"
#include "print/frmMultiPgPreview.h"
#include "reports/DemoLetterhead.h"
#include "reports/Printbill.h"
#include "reports/SalesSummary.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Opens the preview of each finished document as the program does, and in
// it presses "Save as PDF" from the keyboard; keeps the file name the save
// box would have offered (and saves nothing).
class SavingPresenter final : public PrintPresenter
{
public:
    SavingPresenter() { SetPrintPresenter(this); }
    ~SavingPresenter() override { SetPrintPresenter(nullptr); }

    void showPreview(std::shared_ptr<const RecordedDocument> document, bool, QObject *) override
    {
        frmMultiPgPreview preview(std::move(document));
        preview.choosePdfPath = [this](QWidget *, const QString &suggestion) {
            suggested << suggestion;
            return QString();
        };
        preview.show();
        if (!QTest::qWaitForWindowExposed(&preview))
            return;
        captions << preview.windowTitle();
        auto *save = preview.findChild<QPushButton *>(QStringLiteral("cmdSavePdf"));
        if (!save)
            return;
        save->setFocus(Qt::TabFocusReason);
        QTest::keyClick(save, Qt::Key_Space);
        preview.close();
    }
    QStringList suggested;
    QStringList captions;
};

class PreviewFileName : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        QString why;
        ASSERT_TRUE(DemoLetterhead::ensureFiles(&why)) << why.toStdString();
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(15, 0)));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    RecordingPrompts prompts;
};

TEST_P(PreviewFileName, AnInvoiceSuggestsItsOwnNameNotThePageFilesName)
{
    const int customer = SeedData::customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    int id = 0;
    while (id < 9)
        id = SeedData::ticket(customer);
    ASSERT_EQ(id, 9);
    SeedData::equipmentLine(id, QStringLiteral("RS-2W"), 199.99);
    SavingPresenter presenter;
    const ReportResult shown = Printbill(id, ReportOutput::preview());
    ASSERT_TRUE(shown.done()) << shown.error.toStdString();
    ASSERT_EQ(presenter.suggested.size(), 1);
    EXPECT_EQ(QFileInfo(presenter.suggested[0]).fileName(), QStringLiteral("Customer Invoice A0009.pdf"));
    EXPECT_EQ(presenter.captions.value(0), QStringLiteral("Print Preview - Customer Invoice #A0009"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

// A title with a date in it: the slashes no file name holds become dashes.
TEST_P(PreviewFileName, ADatedReportSuggestsItsTitleWithDashesForSlashes)
{
    ASSERT_TRUE(DemoShop::Fill()); // a week of sales to sum up
    SavingPresenter presenter;
    const ReportResult shown = PrintSalesSummary(QDate(2026, 12, 1), SummaryPeriod::Weekly, ReportOutput::preview());
    ASSERT_TRUE(shown.done()) << shown.error.toStdString();
    ASSERT_EQ(presenter.suggested.size(), 1);
    const QString name = QFileInfo(presenter.suggested[0]).fileName();
    EXPECT_TRUE(name.startsWith(QStringLiteral("Weekly Sales Summary for Week of 12-1-"))) << name.toStdString();
    EXPECT_TRUE(name.endsWith(QStringLiteral(".pdf"))) << name.toStdString();
}

// Keeps the documents the preview would have shown.
class KeepingPresenter final : public PrintPresenter
{
public:
    KeepingPresenter() { SetPrintPresenter(this); }
    ~KeepingPresenter() override { SetPrintPresenter(nullptr); }
    void showPreview(std::shared_ptr<const RecordedDocument> document, bool, QObject *) override
    {
        documents << std::move(document);
    }
    QList<std::shared_ptr<const RecordedDocument>> documents;
};

// "Save as CSV" writes the figures as the preview drew them, even after the
// shop's data has changed; an invoice is no report and does not offer it.
TEST_P(PreviewFileName, SaveAsCsvWritesTheFiguresShownAndOnlyForAReport)
{
    ASSERT_TRUE(DemoShop::Fill());
    KeepingPresenter kept;
    ASSERT_TRUE(PrintSalesSummary(QDate(2026, 12, 5), SummaryPeriod::Daily, ReportOutput::preview()).done());
    ASSERT_TRUE(Printbill(5, ReportOutput::preview()).done());
    ASSERT_EQ(kept.documents.size(), 2);
    // Ticket 5's card payment goes after the preview was drawn.
    ASSERT_GE(Database::Execute(QStringLiteral("delete from payment where salesid = ?"), {5}), 1);

    QTemporaryDir dir;
    QStringList suggested;
    QString target = dir.filePath(QStringLiteral("day.csv"));
    frmMultiPgPreview summary(kept.documents[0]);
    summary.chooseSheetPath = [&](QWidget *, const QString &suggestion) {
        suggested << suggestion;
        return target;
    };
    summary.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&summary));
    auto *save = summary.findChild<QPushButton *>(QStringLiteral("cmdSaveSheets"));
    ASSERT_TRUE(save);
    EXPECT_TRUE(save->isVisible());
    EXPECT_EQ(save->text(), QStringLiteral("Save as CSV"));
    QTest::mouseClick(save, Qt::LeftButton);
    ASSERT_EQ(suggested.size(), 1);
    EXPECT_EQ(QFileInfo(suggested[0]).fileName(), QStringLiteral("Daily Sales Summary for 12-05-2026.csv"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString csv = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(csv.contains(QStringLiteral("\"5\",\"2026-12-05\",\"534.96\",\"75.00\",\"7.50\",\"50.94\",\"668.40\","
                                            "\"43.40\",\"600.00\",\"0.00\"")))
        << csv.toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();

    // A folder that isn't there: the message says why, nothing is written.
    target = dir.filePath(QStringLiteral("gone/day.xlsx"));
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("The spreadsheet could not be saved: ")))
        << prompts.lastMessage().toStdString();
    EXPECT_FALSE(QFile::exists(target));
    summary.close();

    frmMultiPgPreview invoice(kept.documents[1]);
    invoice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&invoice));
    auto *none = invoice.findChild<QPushButton *>(QStringLiteral("cmdSaveSheets"));
    EXPECT_TRUE(!none || !none->isVisible());
    EXPECT_TRUE(invoice.findChild<QPushButton *>(QStringLiteral("cmdSavePdf"))->isVisible());
    invoice.close();
}

INSTANTIATE_TEST_SUITE_P(Engines, PreviewFileName, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
