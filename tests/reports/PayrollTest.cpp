// The payroll reports: the pages read back.
#include "tests/reports/ReportFixtures.h"

#include "data/Database.h"
#include "data/DateText.h"
#include "data/Schema.h"
#include "reports/PrintPayroll.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ReportFixtures;

class PayrollTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        provideLetterheadFiles();
        employee = SeedData::employee(QStringLiteral("Maria"), QStringLiteral("Lopez"), QStringLiteral("1234"),
                                      QStringLiteral("admin"), 12);
    }

    void clock(int who, const QDateTime &in, const QDateTime &out)
    {
        ASSERT_GT(
            Database::InsertRow(QStringLiteral("TimeInOut"),
                                {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout")},
                                {who, DateText::toDb(in), out.isValid() ? QVariant(DateText::toDb(out)) : QVariant()}),
            0);
    }
    void clock(const QDateTime &in, int minutes) { clock(employee, in, in.addSecs(60 * minutes)); }

    QString payroll(int year, bool semiMonthly)
    {
        const QString path = dir.filePath(QStringLiteral("payroll.pdf"));
        const ReportResult result = PrintPayroll(employee, year, semiMonthly, ReportOutput::pdf(path));
        EXPECT_TRUE(result.done()) << result.error.toStdString();
        pages = pdfPageTexts(path);
        return pages.join(QLatin1Char('\f'));
    }

    static QDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0)
    {
        return QDateTime(QDate(y, m, d), QTime(h, min, s));
    }

    RecordingPrompts prompts;
    QTemporaryDir dir;
    QStringList pages;
    int employee = 0;
};

TEST_P(PayrollTest, WeeklyRowsShowHoursRateAndGrossPay)
{
    clock(at(2026, 1, 5, 8), 450);
    const QString text = payroll(2026, false);
    EXPECT_TRUE(text.contains(QStringLiteral("Payroll and Withholdings for 2026")));
    EXPECT_TRUE(text.contains(QStringLiteral("Employee: Lopez,Maria")));
    EXPECT_EQ(
        lineWith(text, QStringLiteral("Gross Pay")),
        QStringLiteral("Pay Period Hours Rate Gross Pay Inc. tax SS Medicare Net Pay CK# Deposit Amt Deposit Date"));
    EXPECT_EQ(lineWith(text, QStringLiteral("1/1/2026")), QStringLiteral("1/1/2026 07.50 12 $90.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("1/8/2026")), QStringLiteral("1/8/2026 00.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("12/31/2026")), QStringLiteral("12/31/2026 00.00"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(PayrollTest, FiftyThreeWeeksRunOverPagesWithTheirHeadings)
{
    CapturingPresenter presenter;
    ASSERT_TRUE(PrintPayroll(employee, 2009, false, true).done());
    EXPECT_EQ(presenter.setups, 0) << "skip printer setup goes straight to the preview";
    const auto doc = presenter.previews.last();
    ASSERT_GE(doc->pages.size(), 2);
    int rows = 0;
    const QRegularExpression date(QStringLiteral("^\\d+/\\d+/\\d{4}$"));
    for (const RecordedPage &page : doc->pages) {
        EXPECT_TRUE(page.findText(QStringLiteral("Employee: Lopez,Maria")));
        EXPECT_TRUE(page.findText(QStringLiteral("Deposit Date")));
        for (const PageOp::Line &line : page.lines()) {
            EXPECT_NEAR(line.from.x(), 0.55, 1e-9);
            EXPECT_NEAR(line.to.x(), 10.05, 1e-9);
        }
        for (const PageOp::Text &t : page.texts()) {
            EXPECT_LE(t.position.y() + t.height, doc->pageHeight()) << t.text.toStdString();
            rows += date.match(t.text).hasMatch() ? 1 : 0;
        }
    }
    EXPECT_EQ(rows, 53);
    EXPECT_TRUE(doc->pages.first().findText(QStringLiteral("1/1/2009")));
    EXPECT_TRUE(doc->pages.last().findText(QStringLiteral("12/31/2009")));
}

TEST_P(PayrollTest, HalfMonthsAndQuartersStayOnThePageWithTheirHeadings)
{
    CapturingPresenter presenter;
    ASSERT_TRUE(PrintPayroll(employee, 2028, true, true).done());
    const auto doc = presenter.previews.last();
    ASSERT_GE(doc->pages.size(), 1);
    int periods = 0, quarters = 0;
    const QRegularExpression half(QStringLiteral("^[A-Z][a-z]{2} (1-15|16-\\d\\d)$"));
    for (const RecordedPage &page : doc->pages) {
        EXPECT_TRUE(page.findText(QStringLiteral("Employee: Lopez,Maria")));
        EXPECT_TRUE(page.findText(QStringLiteral("Deposit Date")));
        for (const PageOp::Text &t : page.texts()) {
            EXPECT_LE(t.position.y() + t.height, doc->pageHeight()) << t.text.toStdString();
            periods += half.match(t.text).hasMatch() ? 1 : 0;
            quarters += t.text.startsWith(QStringLiteral("Quarter ")) ? 1 : 0;
        }
    }
    EXPECT_EQ(periods, 24);
    EXPECT_EQ(quarters, 4);
    EXPECT_TRUE(doc->pages.first().findText(QStringLiteral("Jan 1-15")));
    EXPECT_TRUE(doc->pages.last().findText(QStringLiteral("Dec 16-31")));
    EXPECT_TRUE(doc->pages.last().findText(QStringLiteral("Quarter 4")));
}

TEST_P(PayrollTest, AnInstantOnAWeekBoundaryCountsInOneWeekOnly)
{
    clock(at(2026, 1, 8), 60);
    const QString text = payroll(2026, false);
    EXPECT_EQ(lineWith(text, QStringLiteral("1/1/2026")), QStringLiteral("1/1/2026 00.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("1/8/2026")), QStringLiteral("1/8/2026 01.00 12 $12.00"));
}

TEST_P(PayrollTest, HalfMonthsAreHalfOpenAndDecemberEndsAtNewYear)
{
    clock(at(2028, 3, 15, 23, 59, 30), 60); // the first half, although it ends on the 16th
    clock(at(2028, 3, 16), 30);             // midnight starts the second half
    clock(at(2028, 2, 29, 9), 120);         // a leap day
    clock(at(2028, 12, 31, 23), 120);       // runs into the next year, counted in December
    clock(at(2029, 1, 1), 600);             // next year's
    const QString text = payroll(2028, true);
    EXPECT_EQ(lineWith(text, QStringLiteral("Mar 1-15")), QStringLiteral("Mar 1-15 01.00 12 $12.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Mar 16-31")), QStringLiteral("Mar 16-31 00.50 12 $06.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Feb 16-29")), QStringLiteral("Feb 16-29 02.00 12 $24.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Quarter 1")), QStringLiteral("Quarter 1 03.50"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Dec 16-31")), QStringLiteral("Dec 16-31 02.00 12 $24.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Quarter 4")), QStringLiteral("Quarter 4 02.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Jan 1-15")), QStringLiteral("Jan 1-15 00.00"));
}

TEST_P(PayrollTest, QuarterTotalsEqualTheirRows)
{
    // Minutes that don't make whole cents of an hour: each row rounds up.
    clock(at(2027, 4, 2, 10), 1);
    clock(at(2027, 5, 3, 10), 1);
    clock(at(2027, 6, 20, 10), 1);
    clock(employee, at(2027, 7, 1, 10, 0, 59), at(2027, 7, 1, 10, 1, 0));   // one minute boundary
    clock(employee, at(2027, 7, 20, 10, 0, 0), at(2027, 7, 20, 10, 0, 59)); // none
    clock(at(2027, 8, 3, 8), 497);
    clock(employee, at(2027, 9, 1, 8), QDateTime());          // still clocked in
    clock(employee, at(2027, 9, 20, 17), at(2027, 9, 20, 8)); // clock-out typed before clock-in
    const QString text = payroll(2027, true);
    EXPECT_EQ(lineWith(text, QStringLiteral("Apr 1-15")), QStringLiteral("Apr 1-15 00.02 12 $00.20"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Jul 1-15")), QStringLiteral("Jul 1-15 00.02 12 $00.20"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Jul 16-31")), QStringLiteral("Jul 16-31 00.00 12 $00.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Sep 1-15")), QStringLiteral("Sep 1-15 00.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Sep 16-30")), QStringLiteral("Sep 16-30 00.00 12 $00.00"));

    const QRegularExpression row(QStringLiteral("^(\\w{3} \\d+-\\d+) (\\d+\\.\\d\\d)"));
    const QRegularExpression quarter(QStringLiteral("^Quarter (\\d) (\\d+\\.\\d\\d)$"));
    qint64 sum = 0;
    int quarters = 0;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.simplified();
        if (const auto m = row.match(line); m.hasMatch()) {
            sum += qRound(m.captured(2).toDouble() * 100);
        } else if (const auto q = quarter.match(line); q.hasMatch()) {
            ++quarters;
            EXPECT_EQ(qRound(q.captured(2).toDouble() * 100), sum) << line.toStdString();
            sum = 0;
        }
    }
    EXPECT_EQ(quarters, 4);
    EXPECT_EQ(lineWith(text, QStringLiteral("Quarter 2")), QStringLiteral("Quarter 2 00.06"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Quarter 3")), QStringLiteral("Quarter 3 08.30"));
    EXPECT_EQ(pages.size(), 1) << "the half-month report fits one landscape page";
}

TEST_P(PayrollTest, ANullPayRateCountsAsZero)
{
    Database::Execute(QStringLiteral("update employee set paynormal = NULL where id = ?"), {employee});
    clock(at(2026, 1, 5, 8), 60);
    EXPECT_EQ(lineWith(payroll(2026, false), QStringLiteral("1/1/2026")), QStringLiteral("1/1/2026 01.00 0 $00.00"));
}

TEST_P(PayrollTest, EmployeeZeroPrintsNothingAndAnUnknownOneSaysSo)
{
    CapturingPresenter presenter;
    EXPECT_EQ(PrintPayroll(0, 2026, true, false).status, ReportResult::Status::NoDocument);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(PrintPayroll(777, 2026, true, false).status, ReportResult::Status::Failed);
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("PrintPayroll: there is no employee number 777"));
    EXPECT_EQ(presenter.setups, 0);
}

TEST_P(PayrollTest, AViewWithoutItsColumnsIsExplained)
{
    Database::Execute(QStringLiteral("DROP VIEW vw_EmployeeTime"));
    Database::Execute(QStringLiteral("CREATE VIEW vw_EmployeeTime AS SELECT employeeid AS id, timein FROM TimeInOut"));
    prompts.clear();
    const ReportResult result = PrintPayroll(employee, 2026, true, true);
    Database::Execute(QStringLiteral("DROP VIEW vw_EmployeeTime"));
    for (const QString &sql : Schema::ViewStatements(Database::CurrentDialect().engine())) {
        if (sql.contains(QStringLiteral("VIEW vw_EmployeeTime ")))
            Database::Execute(sql);
    }
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    ASSERT_EQ(prompts.messages.size(), 2) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(prompts.messages.first(),
              QStringLiteral("Table is missing a needed column - probably new column was added/removed"));
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("PrintPayroll: ")));
    EXPECT_FALSE(prompts.lastMessage().contains(QStringLiteral("GetRS:"))) << "the reason once, under one label";
    ASSERT_TRUE(Database::GetRS(QStringLiteral("select timeout from vw_EmployeeTime")));
}

TEST_P(PayrollTest, TimeRowsThatCannotBeReadAreOneMessageWithoutTheColumnNote)
{
    Database::Execute(QStringLiteral("DROP VIEW vw_EmployeeTime"));
    prompts.clear();
    const ReportResult result = PrintPayroll(employee, 2026, false,
                                             ReportOutput::pdf(dir.filePath(QStringLiteral("p.pdf"))));
    for (const QString &sql : Schema::ViewStatements(Database::CurrentDialect().engine())) {
        if (sql.contains(QStringLiteral("VIEW vw_EmployeeTime ")))
            Database::Execute(sql);
    }
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("PrintPayroll: ")));
    EXPECT_FALSE(prompts.lastMessage().contains(QStringLiteral("GetRS:")));
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("PrintPayroll: ") + result.error);
}

TEST_P(PayrollTest, AllEmployeeHoursShowSevenWeeksPerEmployee)
{
    const int james = SeedData::employee(QStringLiteral("James"), QStringLiteral("Carter"), QStringLiteral("2222"));
    const int long_ = SeedData::employee(QStringLiteral("Bartholomew"), QStringLiteral("Featherstonehaugh"),
                                         QStringLiteral("3333"));
    clock(james, at(2026, 1, 8, 8), at(2026, 1, 8, 16, 30));  // week 2 of 2026
    clock(employee, at(2026, 2, 12, 9), at(2026, 2, 12, 12)); // week 7
    clock(long_, at(2026, 2, 19, 9), at(2026, 2, 19, 12));    // week 8: outside
    const QString path = dir.filePath(QStringLiteral("hours.pdf"));
    CapturingPresenter presenter;
    ASSERT_TRUE(PrintAllEmployeeHours(2026, 1, ReportOutput::pdf(path)).done());
    ASSERT_TRUE(PrintAllEmployeeHours(2026, 1, true).done());
    const QString text = pdfText(path);
    EXPECT_EQ(lineWith(text, QStringLiteral("Employee")),
              QStringLiteral("Employee 1/1/2026 1/8/2026 1/15/2026 1/22/2026 1/29/2026 2/5/2026 2/12/2026"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Carter,James")),
              QStringLiteral("Carter,James 00.00 08.50 00.00 00.00 00.00 00.00 00.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Lopez,Maria")),
              QStringLiteral("Lopez,Maria 00.00 00.00 00.00 00.00 00.00 00.00 03.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Featherstonehaugh,Bartholomew")),
              QStringLiteral("Featherstonehaugh,Bartholomew 00.00 00.00 00.00 00.00 00.00 00.00 00.00"));
    // By last name, and no name runs into the first week's hours.
    EXPECT_LT(text.indexOf(QStringLiteral("Carter")), text.indexOf(QStringLiteral("Featherstonehaugh")));
    EXPECT_LT(text.indexOf(QStringLiteral("Featherstonehaugh")), text.indexOf(QStringLiteral("Lopez")));
    const QList<PageOp::Text> texts = presenter.lastTexts();
    double nameEnd = 0, firstHours = 100;
    for (const PageOp::Text &t : texts) {
        if (t.text.contains(QLatin1Char(',')))
            nameEnd = std::max(nameEnd, t.position.x() + t.width);
        if (t.text == QStringLiteral("00.00"))
            firstHours = std::min(firstHours, t.position.x());
    }
    EXPECT_LT(nameEnd, firstHours);
}

TEST_P(PayrollTest, ManyEmployeesRunOverPages)
{
    ASSERT_TRUE(Database::Transaction([] {
        for (int i = 0; i < 60; ++i)
            SeedData::employee(QStringLiteral("Worker"), QStringLiteral("Staff%1").arg(i, 2, 10, QLatin1Char('0')),
                               QString::number(5000 + i));
        return true;
    }));
    CapturingPresenter presenter;
    ASSERT_TRUE(PrintAllEmployeeHours(2026, 10, true).done());
    const auto doc = presenter.previews.last();
    ASSERT_GE(doc->pages.size(), 2);
    int rows = 0;
    for (const RecordedPage &page : doc->pages) {
        EXPECT_TRUE(page.findText(QStringLiteral("Employee")));
        for (const PageOp::Text &t : page.texts()) {
            EXPECT_LE(t.position.y() + t.height, doc->pageHeight()) << t.text.toStdString();
            rows += t.text.contains(QLatin1Char(',')) ? 1 : 0;
        }
    }
    EXPECT_EQ(rows, 61);
}

INSTANTIATE_TEST_SUITE_P(Engines, PayrollTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });
