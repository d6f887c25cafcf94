// Every report's figures as a spreadsheet, on every engine: the cents of
// its comma-separated file are the cents printed on its PDF, totals
// included, and a workbook holds money and dates as numbers.
#include "tests/reports/ReportFixtures.h"

#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/DemoShop.h"
#include "exchange/CsvFile.h"
#include "reports/AuditReport.h"
#include "reports/PrintPayroll.h"
#include "reports/ProductReports.h"
#include "reports/SalesSummary.h"
#include "tests/support/PdfReader.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace ReportFixtures;

namespace {

// A report as both files: the PDF's text on one line, the sheet's rows.
struct BothFiles
{
    QString pdf;
    QStringList header;
    QList<QStringList> rows;
};

// The cells joined as the printed line reads, empty cells left out.
QString printed(const QStringList &cells)
{
    QStringList shown;
    for (const QString &cell : cells) {
        if (!cell.isEmpty())
            shown << cell;
    }
    return shown.join(QLatin1Char(' '));
}

// Hours as the payroll reports print them: "08.50".
QString hoursText(const QString &cell)
{
    return QString::asprintf("%05.2f", cell.toDouble());
}

} // namespace

class ReportSheetsTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        provideLetterheadFiles();
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(15, 0)));
        ASSERT_TRUE(DemoShop::Fill());
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    BothFiles both(const QString &name, const std::function<ReportResult(const ReportOutput &)> &report)
    {
        BothFiles files;
        const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
        const QString csv = dir.filePath(name + QStringLiteral(".csv"));
        const ReportResult drawn = report(ReportOutput::pdf(pdf));
        EXPECT_TRUE(drawn.done()) << name.toStdString() << ": " << drawn.error.toStdString();
        const ReportResult tabulated = report(ReportOutput::sheets(csv));
        EXPECT_TRUE(tabulated.done()) << name.toStdString() << ": " << tabulated.error.toStdString();
        files.pdf = pdfText(pdf).simplified();
        QString error;
        const auto read = CsvFile::Read(csv, &error);
        EXPECT_TRUE(read) << error.toStdString();
        if (read) {
            files.header = read->header;
            for (const CsvFile::Record &record : read->records)
                files.rows << record.fields;
        }
        return files;
    }

    // A shift of Maria's (employee 1, 25.00 an hour).
    void shift(const QDateTime &in, const QDateTime &out)
    {
        ASSERT_GT(
            Database::InsertRow(QStringLiteral("TimeInOut"),
                                {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout")},
                                {1, DateText::toDb(in), DateText::toDb(out)}),
            0);
    }

    RecordingPrompts prompts;
    QTemporaryDir dir;
};

TEST_P(ReportSheetsTest, SalesSummariesHoldTheTicketsAndTotalsPrinted)
{
    const QList<QPair<QString, SummaryPeriod>> periods = {{QStringLiteral("daily"), SummaryPeriod::Daily},
                                                          {QStringLiteral("weekly"), SummaryPeriod::Weekly},
                                                          {QStringLiteral("monthly"), SummaryPeriod::Monthly}};
    for (const auto &[name, period] : periods) {
        SCOPED_TRACE(name.toStdString());
        const QDate start = period == SummaryPeriod::Daily ? QDate(2026, 12, 5) : QDate(2026, 12, 1);
        const BothFiles files = both(name, [&](const ReportOutput &o) { return PrintSalesSummary(start, period, o); });
        EXPECT_EQ(files.header,
                  QStringList({"No.", "Date", "Product", "Labor", "Shop Fee", "Tax", "Ticket Total", "Cash", "Charge",
                               "Checks"}));
        ASSERT_GE(files.rows.size(), 2);
        for (const QStringList &row : files.rows.mid(0, files.rows.size() - 1)) {
            const QString date = QDate::fromString(row[1], Qt::ISODate).toString(QStringLiteral("MM/dd/yy"));
            const QString line = printed(QStringList{row[0], date} + row.mid(2));
            EXPECT_TRUE(files.pdf.contains(line)) << line.toStdString() << "\n" << files.pdf.toStdString();
        }
        const QStringList total = files.rows.last();
        EXPECT_EQ(total[0], QStringLiteral("Total"));
        const QString totals = QStringLiteral("Total Sales: ") + printed(total.mid(2));
        EXPECT_TRUE(files.pdf.contains(totals)) << totals.toStdString() << "\n" << files.pdf.toStdString();
    }
    // December's six tickets, as the summary has always added them.
    const BothFiles month = both(QStringLiteral("december"), [](const ReportOutput &o) {
        return PrintSalesSummary(QDate(2026, 12, 1), SummaryPeriod::Monthly, o);
    });
    EXPECT_EQ(month.rows.last().mid(2, 5), QStringList({"1224.89", "645.00", "64.50", "130.98", "2065.37"}));
}

TEST_P(ReportSheetsTest, ProductSalesAndInventoryHoldTheRowsPrinted)
{
    const BothFiles sold = both(QStringLiteral("product"),
                                [](const ReportOutput &o) { return PrintProductSales(QDate(2026, 12, 5), false, o); });
    EXPECT_EQ(sold.header, QStringList({"model number", "Qty", "Amount"}));
    // Ticket 5's four goods, one each.
    ASSERT_EQ(sold.rows.size(), 4);
    for (const QStringList &row : sold.rows)
        EXPECT_TRUE(sold.pdf.contains(printed(row))) << printed(row).toStdString();
    EXPECT_EQ(sold.rows[0], QStringList({"DD-700", "1", "429.99"}));

    const BothFiles stock = both(QStringLiteral("inventory"), [](const ReportOutput &o) { return PrintInventory(o); });
    EXPECT_EQ(stock.header,
              QStringList({"Category", "Model #", "Description", "QOH", "MSRP", "Price", "Cost", "GM", "Reserved",
                           "Available"}));
    const auto products = Database::GetRS(QStringLiteral("select count(*) as n from product"));
    ASSERT_TRUE(products);
    EXPECT_EQ(stock.rows.size(), products->value(0, QStringLiteral("n")).toInt());
    for (const QStringList &row : stock.rows) {
        // From the stock on hand to what is available, as printed.
        const QString figures = printed(row.mid(3));
        EXPECT_TRUE(stock.pdf.contains(row[1] + QLatin1Char(' '))) << row[1].toStdString();
        EXPECT_TRUE(stock.pdf.contains(figures)) << figures.toStdString();
    }
}

TEST_P(ReportSheetsTest, PayrollAndEmployeeHoursHoldTheHoursAndPayPrinted)
{
    shift(QDateTime(QDate(2026, 1, 5), QTime(8, 0)), QDateTime(QDate(2026, 1, 5), QTime(16, 30)));
    shift(QDateTime(QDate(2026, 2, 17), QTime(9, 0)), QDateTime(QDate(2026, 2, 17), QTime(12, 15)));
    // 12 hours 13 minutes: printed as 12.22 hours.
    shift(QDateTime(QDate(2026, 2, 3), QTime(8, 0)), QDateTime(QDate(2026, 2, 3), QTime(20, 13)));

    const BothFiles pay = both(QStringLiteral("payroll"),
                               [](const ReportOutput &o) { return PrintPayroll(1, 2026, true, o); });
    EXPECT_EQ(pay.header.mid(0, 9),
              QStringList({"Employee", "Employee Id", "Year", "Pay Period", "Period Start", "Period End", "Hours",
                           "Rate", "Gross Pay"}));
    ASSERT_EQ(pay.rows.size(), 24 + 4);
    EXPECT_TRUE(pay.pdf.contains(QStringLiteral("Employee: Lopez,Maria"))) << pay.pdf.toStdString();
    int paid = 0;
    for (const QStringList &row : pay.rows) {
        SCOPED_TRACE(row.join(QLatin1Char(',')).toStdString());
        // Every row says whose year it is.
        EXPECT_EQ(row.mid(0, 3), QStringList({"Lopez,Maria", "1", "2026"}));
        QString line = row[3] + QLatin1Char(' ') + hoursText(row[6]);
        if (!row[8].isEmpty()) {
            ++paid;
            line += QStringLiteral(" 25 $") + row[8];
        }
        EXPECT_TRUE(pay.pdf.contains(line)) << line.toStdString();
    }
    EXPECT_EQ(paid, 3);
    // 8.5 hours in the first half of January, 12.22 in the first of February, 3.25 in its second.
    EXPECT_EQ(pay.rows[0].mid(3, 6), QStringList({"Jan 1-15", "2026-01-01", "2026-01-15", "8.5", "25.00", "212.50"}));
    EXPECT_EQ(pay.rows[2].mid(3, 6), QStringList({"Feb 1-15", "2026-02-01", "2026-02-15", "12.22", "25.00", "305.42"}));
    EXPECT_EQ(pay.rows[3].mid(5, 2), QStringList({"2026-02-28", "3.25"}));
    // The quarter adds the hours printed.
    EXPECT_EQ(pay.rows[6].mid(3, 4), QStringList({"Quarter 1", "", "", "23.97"}));

    // Weekly periods run from their Thursday, printed as their label, for seven days.
    const BothFiles weekly = both(QStringLiteral("weekly payroll"),
                                  [](const ReportOutput &o) { return PrintPayroll(1, 2026, false, o); });
    ASSERT_FALSE(weekly.rows.isEmpty());
    for (const QStringList &row : weekly.rows) {
        if (row[3].startsWith(QStringLiteral("Quarter")))
            continue;
        SCOPED_TRACE(row.join(QLatin1Char(',')).toStdString());
        const QDate thursday = QDate::fromString(row[4], Qt::ISODate);
        EXPECT_EQ(thursday.dayOfWeek(), Qt::Thursday);
        EXPECT_EQ(row[3], DateText::shortDate(thursday));
        EXPECT_EQ(row[5], thursday.addDays(6).toString(Qt::ISODate));
    }
    // The workbook's tab names the employee, and the period's days are dates.
    const QString book = dir.filePath(QStringLiteral("payroll.xlsx"));
    ASSERT_TRUE(PrintPayroll(1, 2026, false, ReportOutput::sheets(book)).done());
    EXPECT_TRUE(PdfReader::run(QStringLiteral("unzip"), {QStringLiteral("-p"), book, QStringLiteral("xl/workbook.xml")})
                    .contains(QStringLiteral("name=\"Payroll Lopez,Maria\"")));
    const QString xml = PdfReader::run(QStringLiteral("unzip"),
                                       {QStringLiteral("-p"), book, QStringLiteral("xl/worksheets/sheet1.xml")});
    const qint64 firstThursday = QDate(1899, 12, 30).daysTo(QDate::fromString(weekly.rows[0][4], Qt::ISODate));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("<c r=\"E2\" s=\"\\d+\"><v>%1</v></c>").arg(firstThursday))
                    .match(xml)
                    .hasMatch())
        << xml.toStdString();

    const BothFiles hours = both(QStringLiteral("hours"),
                                 [](const ReportOutput &o) { return PrintAllEmployeeHours(2026, 1, o); });
    ASSERT_EQ(hours.header.size(), 8);
    EXPECT_TRUE(hours.pdf.contains(printed(hours.header))) << hours.pdf.toStdString();
    ASSERT_FALSE(hours.rows.isEmpty());
    for (const QStringList &row : hours.rows) {
        QStringList cells{row[0]};
        for (const QString &week : row.mid(1))
            cells << hoursText(week);
        EXPECT_TRUE(hours.pdf.contains(printed(cells))) << printed(cells).toStdString();
    }
    // Maria's hours as printed: 12.22 in the week of February 3rd, not 12.216667.
    const auto maria = std::find_if(hours.rows.cbegin(), hours.rows.cend(),
                                    [](const QStringList &row) { return row[0] == QStringLiteral("Lopez,Maria"); });
    ASSERT_NE(maria, hours.rows.cend());
    EXPECT_TRUE(maria->contains(QStringLiteral("12.22"))) << maria->join(QLatin1Char(',')).toStdString();
}

TEST_P(ReportSheetsTest, AWorkbookHoldsMoneyAndDatesAsNumbers)
{
    const QString book = dir.filePath(QStringLiteral("december.xlsx"));
    ASSERT_TRUE(PrintSalesSummary(QDate(2026, 12, 1), SummaryPeriod::Monthly, ReportOutput::sheets(book)).done());
    const QString xml = PdfReader::run(QStringLiteral("unzip"),
                                       {QStringLiteral("-p"), book, QStringLiteral("xl/worksheets/sheet1.xml")});
    // Ticket 1's parts, a number shown with two decimals, not a text.
    const QRegularExpression product(QStringLiteral("<c r=\"C2\"( s=\"\\d+\")?><v>269.98</v></c>"));
    EXPECT_TRUE(product.match(xml).hasMatch()) << xml.toStdString();
    // Its closing day as the spreadsheet's day number.
    const qint64 day = QDate(1899, 12, 30).daysTo(QDate(2026, 12, 1));
    const QRegularExpression date(QStringLiteral("<c r=\"B2\" s=\"\\d+\"><v>%1</v></c>").arg(day));
    EXPECT_TRUE(date.match(xml).hasMatch()) << xml.toStdString();
    // The month's total of the ticket totals.
    EXPECT_TRUE(xml.contains(QStringLiteral("<v>2065.37</v>"))) << xml.toStdString();
}

TEST_P(ReportSheetsTest, TheAuditLogHoldsItsEntries)
{
    ASSERT_TRUE(Database::Transaction([] {
        return AuditLog::RecordAs(QStringLiteral("Maria"), QStringLiteral("reopen"), QStringLiteral("ticket 5"),
                                  QStringLiteral("a typo"));
    }));
    const BothFiles log = both(QStringLiteral("audit"), [](const ReportOutput &o) {
        return PrintAuditLog(Clock::today(), Clock::today(), QString(), QString(), o);
    });
    EXPECT_EQ(log.header, QStringList({"Time", "Counter", "Who", "Action", "Concerning", "Details"}));
    ASSERT_EQ(log.rows.size(), 1);
    EXPECT_EQ(log.rows[0].mid(2), QStringList({"Maria", "reopen", "ticket 5", "a typo"}));
    EXPECT_TRUE(log.pdf.contains(QStringLiteral("Maria reopen ticket 5"))) << log.pdf.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, ReportSheetsTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });
