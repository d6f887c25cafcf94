// A document drawn for the preview and the same document written as a PDF
// come from one drawing: the PDF holds every text the preview recorded.
#include "data/Clock.h"
#include "data/DemoShop.h"
#include "print/PageOps.h"
#include "print/PrintPresenter.h"
#include "print/clsMultiPgPreview.h"
#include "reports/DemoLetterhead.h"
#include "reports/SalesSummary.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Keeps the texts of the document the preview would have shown.
class CapturingPresenter final : public PrintPresenter
{
public:
    void showPreview(std::shared_ptr<const RecordedDocument> document, bool, QObject *) override
    {
        for (const auto &page : document->pages)
            for (const QString &text : page.textStrings())
                if (!text.trimmed().isEmpty())
                    texts << text.trimmed();
    }
    QStringList texts;
};

QString pdfText(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(PreviewAndPdf, TheSameSummaryIsDrawnForBoth)
{
    QString why;
    ASSERT_TRUE(TestDatabase::UseFresh(Engine::SQLite, &why)) << why.toStdString();
    RecordingPrompts prompts;
    Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(15, 0)));
    ASSERT_TRUE(DemoShop::Fill());
    ASSERT_TRUE(DemoLetterhead::ensureFiles(&why)) << why.toStdString();
    CapturingPresenter presenter;
    SetPrintPresenter(&presenter);
    const ReportResult shown = PrintSalesSummary(QDate(2026, 12, 1), SummaryPeriod::Weekly, ReportOutput::preview());
    SetPrintPresenter(nullptr);
    ASSERT_TRUE(shown.done()) << shown.error.toStdString();
    const QString file = TestEnvironment::root() + QStringLiteral("/week.pdf");
    ASSERT_TRUE(PrintSalesSummary(QDate(2026, 12, 1), SummaryPeriod::Weekly, ReportOutput::pdf(file)).done());
    const QString pdf = pdfText(file).simplified();
    ASSERT_GT(presenter.texts.size(), 20);
    for (const QString &text : presenter.texts)
        EXPECT_TRUE(pdf.contains(text.simplified())) << text.toStdString();
    Clock::setFixed(std::nullopt);
}

} // namespace
