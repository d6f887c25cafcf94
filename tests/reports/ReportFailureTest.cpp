// A report whose rows cannot be read says so once, under its own label,
// with the engine's reason, and leaves no half document behind.
#include "tests/reports/ReportFixtures.h"

#include "data/Database.h"
#include "reports/PrintPayroll.h"
#include "reports/ProductReports.h"
#include "reports/SalesSummary.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct BrokenReport
{
    const char *label;
    const char *breakIt; // the statement that takes its rows away
    const char *reason;  // a word of the engine's reason
    const char *mendIt;  // puts a table back; a dropped view comes back with the next connection
    std::function<ReportResult(const ReportOutput &)> run;
};

class ReportFailureTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        ReportFixtures::provideLetterheadFiles();
    }

    void expectOneMessage(const BrokenReport &report)
    {
        SCOPED_TRACE(report.label);
        prompts.messages.clear();
        ASSERT_GE(Database::Execute(QString::fromLatin1(report.breakIt)), 0);
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        const ReportResult result = report.run(ReportOutput::pdf(path));
        if (report.mendIt)
            Database::Execute(QString::fromLatin1(report.mendIt));
        EXPECT_EQ(result.status, ReportResult::Status::Failed);
        ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
        const QString said = prompts.lastMessage();
        EXPECT_TRUE(said.startsWith(QLatin1String(report.label))) << said.toStdString();
        EXPECT_TRUE(said.contains(QLatin1String(report.reason), Qt::CaseInsensitive)) << said.toStdString();
        EXPECT_FALSE(said.contains(QStringLiteral("GetRS:"))) << said.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path));
    }

    RecordingPrompts prompts;
    QTemporaryDir dir;
};

TEST_P(ReportFailureTest, EachReportSaysOnceUnderItsLabelWhyItsRowsCouldNotBeRead)
{
    const BrokenReport reports[] = {
        {"Print Inventory: ", "drop view vw_product_available", "vw_product_available", nullptr,
         [](const ReportOutput &out) { return PrintInventory(out); }},
        {"Report- Sales Summary: ", "drop view vw_salesreport_actualcash", "vw_salesreport_actualcash", nullptr,
         [](const ReportOutput &out) { return PrintSalesSummary(QDate(2026, 3, 1), SummaryPeriod::Monthly, out); }},
        {"Print Daily Product: ", "drop view vw_sales_product", "vw_sales_product", nullptr,
         [](const ReportOutput &out) { return PrintProductSales(QDate(2026, 3, 14), false, out); }},
        {"PrintAllEmployeeHours: ", "alter table employee rename to employee_away", "employee",
         "alter table employee_away rename to employee",
         [](const ReportOutput &out) { return PrintAllEmployeeHours(2026, 1, out); }},
    };
    for (const BrokenReport &report : reports)
        expectOneMessage(report);
    // The server's catalog outlives this test: a new connection puts the
    // dropped views back for the tests after it.
    Database::SetOverride(Database::CurrentSettings());
    EXPECT_TRUE(Database::GetRS(QStringLiteral("select * from vw_sales_product")));
}

INSTANTIATE_TEST_SUITE_P(Engines, ReportFailureTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
