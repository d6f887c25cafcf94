// The report run: setup answers, failures that clean up, the destinations.
#include "tests/print/FakePrinter.h"
#include "tests/reports/ReportFixtures.h"

#include "print/clsMultiPgPreview.h"
#include "reports/ReportRun.h"
#include "tests/support/RecordingPrompts.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ReportFixtures;

class ReportRunTest : public ::testing::Test
{
protected:
    // A two-page document; the draw counts how often it runs.
    ReportJob job(std::function<void(clsMultiPgPreview &)> extra = {})
    {
        ReportJob j;
        j.label = QStringLiteral("Test Report: ");
        j.draw = [this, extra](clsMultiPgPreview &rec) {
            ++builds;
            sawWaitPointer = QGuiApplication::overrideCursor() != nullptr;
            rec.pPrint(QStringLiteral("first page"), 0.5);
            rec.pNewPage();
            rec.pPrint(QStringLiteral("second page"), 0.5);
            if (extra)
                extra(rec);
        };
        return j;
    }

    void expectCleanedUp() { EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); }

    RecordingPrompts prompts;
    CapturingPresenter presenter;
    int builds = 0;
    bool sawWaitPointer = false;
};

const auto failHalfWay = [](clsMultiPgPreview &) { throw ReportFailure(QStringLiteral("the server went away")); };

TEST_F(ReportRunTest, PreviewChosenInSetupShowsTheDocumentOnce)
{
    const ReportResult result = RunReport(job(), ReportOutput::interactive());
    EXPECT_TRUE(result.done());
    EXPECT_EQ(result.pages, 2);
    EXPECT_EQ(presenter.setups, 1);
    ASSERT_EQ(presenter.previews.size(), 1);
    EXPECT_EQ(presenter.previews[0]->pages.size(), 2);
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(sawWaitPointer);
    EXPECT_TRUE(prompts.messages.isEmpty());
    expectCleanedUp();
}

TEST_F(ReportRunTest, CancelledSetupDrawsNothingAndSaysNothing)
{
    presenter.answer = CapturingPresenter::Answer::Cancel;
    const ReportResult result = RunReport(job(), ReportOutput::interactive());
    EXPECT_EQ(result.status, ReportResult::Status::Cancelled);
    EXPECT_EQ(builds, 0);
    EXPECT_TRUE(presenter.previews.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
    expectCleanedUp();
}

TEST_F(ReportRunTest, PrintChosenInSetupSendsEveryPageToThePrinter)
{
    FakePrinter printer({QStringLiteral("Counter Laser")});
    presenter.answer = CapturingPresenter::Answer::Print;
    const ReportResult result = RunReport(job(), ReportOutput::interactive());
    EXPECT_TRUE(result.done());
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_TRUE(printer.jobs[0]->ended);
    EXPECT_EQ(printer.jobs[0]->document->pages.size(), 2);
    EXPECT_TRUE(presenter.previews.isEmpty());
    expectCleanedUp();
}

TEST_F(ReportRunTest, WhatTheSetupChoseReachesThePrinterWhenTheDocumentStarts)
{
    FakePrinter printer({QStringLiteral("Counter Laser")});
    printer.setColorMode(1);
    printer.setCopies(5);
    presenter.answer = CapturingPresenter::Answer::Print;
    presenter.copies = 3;
    ReportJob landscape = job([&](clsMultiPgPreview &) {
        EXPECT_EQ(printer.copies(), 3);
        EXPECT_EQ(printer.orientation(), 2);
        EXPECT_EQ(printer.colorMode(), 2);
    });
    landscape.orientation = 2;
    EXPECT_TRUE(RunReport(landscape, ReportOutput::interactive()).done());
    EXPECT_EQ(builds, 1);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0]->document->layout.orientation(), QPageLayout::Landscape);
}

TEST_F(ReportRunTest, AFailureShowsTheLabelAndNoHalfDocument)
{
    const ReportResult result = RunReport(job(failHalfWay), ReportOutput::interactive());
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    EXPECT_EQ(result.error, QStringLiteral("the server went away"));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Test Report: the server went away")});
    EXPECT_TRUE(presenter.previews.isEmpty());
    expectCleanedUp();
}

TEST_F(ReportRunTest, AFailureWhilePrintingDropsThePrintJob)
{
    FakePrinter printer({QStringLiteral("Counter Laser")});
    presenter.answer = CapturingPresenter::Answer::Print;
    RunReport(job(failHalfWay), ReportOutput::interactive());
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_TRUE(printer.jobs[0]->aborted);
    EXPECT_FALSE(printer.jobs[0]->ended);
    expectCleanedUp();
}

TEST_F(ReportRunTest, AnyOtherErrorIsReportedTheSameWay)
{
    const ReportResult result = RunReport(job([](clsMultiPgPreview &) { throw std::runtime_error("out of paper"); }),
                                          ReportOutput::preview());
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Test Report: out of paper"));
    expectCleanedUp();
}

TEST_F(ReportRunTest, PdfOutputWritesTheFileWithoutAnyWindow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    const ReportResult result = RunReport(job(), ReportOutput::pdf(path));
    EXPECT_TRUE(result.done());
    EXPECT_EQ(presenter.setups, 0);
    EXPECT_TRUE(presenter.previews.isEmpty());
    EXPECT_EQ(pdfPages(path), 2);
    const QStringList pages = pdfPageTexts(path);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[1].contains(QStringLiteral("second page")));
    expectCleanedUp();
}

TEST_F(ReportRunTest, AFailedPdfLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    RunReport(job(failHalfWay), ReportOutput::pdf(path));
    EXPECT_FALSE(QFileInfo::exists(path));

    const QString unwritable = dir.filePath(QStringLiteral("no such folder/report.pdf"));
    const ReportResult result = RunReport(job(), ReportOutput::pdf(unwritable));
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Test Report: ")))
        << prompts.lastMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(unwritable));
}

TEST_F(ReportRunTest, APrinterThatFailsIsReportedOnce)
{
    // No printer installed: the recorder says so and the run reports failure.
    const ReportResult result = RunReport(job(), ReportOutput::printer());
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    EXPECT_EQ(prompts.messages.size(), 1);
    expectCleanedUp();
}
