// The daily, weekly and monthly sales summaries, rendered to PDF and read
// back, and their recorded pages inspected where a position matters.
#include "tests/reports/ReportFixtures.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "print/clsMultiPgPreview.h"
#include "reports/SalesSummary.h"
#include "sales/TicketReader.h"
#include "sales/TicketStore.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Outside the anonymous namespace: the test files of a target share one batch.
namespace SummaryTestSupport {

struct Pay
{
    const char *kind;
    double amount;
};

// The cents of a ticket's own figures, as its screen and invoice show them.
struct TicketCents
{
    std::int64_t product = 0, labor = 0, shopFee = 0, tax = 0, total = 0, cash = 0, charge = 0, checks = 0;

    TicketCents &operator+=(const TicketCents &o)
    {
        product += o.product;
        labor += o.labor;
        shopFee += o.shopFee;
        tax += o.tax;
        total += o.total;
        cash += o.cash;
        charge += o.charge;
        checks += o.checks;
        return *this;
    }

    // The eight figures as the summary prints them.
    QStringList printed() const
    {
        QStringList list;
        for (const std::int64_t c : {product, labor, shopFee, tax, total, cash, charge, checks})
            list << Money::fromCents(c).format0();
        return list;
    }
};

TicketCents ownFigures(int salesId)
{
    const QVariant exempt = SeedData::value(QStringLiteral("select TaxExempt from sales where id = ?"), {salesId});
    const std::optional<TicketInput> input = ReadTicketInput(salesId, exempt);
    EXPECT_TRUE(input);
    const TicketFigures f = ComputeTicketFigures(*input);
    TicketCents c{f.parts.cents(), f.labor.cents(), f.shopFee.cents(), f.tax.cents(), f.total.cents()};
    Money cash, charge, checks;
    for (const PaymentInput &p : input->payments) {
        const QString kind = p.description.trimmed().toUpper();
        if (kind == QLatin1String("CASH"))
            cash += p.amount;
        else if (kind == QLatin1String("CHECK"))
            checks += p.amount;
        else if (kind != QLatin1String("COUPON"))
            charge += p.amount;
    }
    c.cash = cash.cents();
    c.charge = charge.cents();
    c.checks = checks.cents();
    return c;
}

} // namespace SummaryTestSupport

namespace {

using namespace ReportFixtures;
using SummaryTestSupport::Pay;
using SummaryTestSupport::TicketCents;

// A printer setup that chooses the preview in landscape.
class LandscapePresenter final : public PrintPresenter
{
public:
    LandscapePresenter() { SetPrintPresenter(this); }
    ~LandscapePresenter() override { SetPrintPresenter(nullptr); }
    PrintSetupChoice showPrinterSetup(int) override { return PrintSetupChoice::preview(2); }
    void showPreview(std::shared_ptr<const RecordedDocument> shown, bool, QObject *) override
    {
        document = std::move(shown);
    }
    std::shared_ptr<const RecordedDocument> document;
};

// The ticket numbers listed on a page: texts in the "No." column that are
// numbers.
QStringList listedTickets(const RecordedPage &page)
{
    QStringList ids;
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    for (const PageOp::Text &t : page.texts()) {
        if (qAbs(t.position.x() - 0.5) < 1e-9 && number.match(t.text).hasMatch())
            ids << t.text;
    }
    return ids;
}

// The fields of the totals line of a PDF's text, after its label.
QStringList totalsFields(const QString &text)
{
    const QString line = lineWith(text, QStringLiteral("Total Sales:"));
    return line.mid(line.indexOf(QLatin1Char(':')) + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

class SalesSummaryTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        provideLetterheadFiles();
        Clock::setFixed(QDateTime(QDate(2026, 4, 2), QTime(15, 4, 5)));
        customer = SeedData::customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    // A closed ticket of one equipment line and one labor line.
    int closedTicket(const QDateTime &closed, double price, const QVariant &quantity, double labor,
                     const QList<Pay> &payments, bool exempt = false)
    {
        const int id = SeedData::ticket(customer, QStringLiteral("Close"), DateText::toDb(closed.addSecs(-3600)));
        Database::Execute(QStringLiteral("update sales set Closedate = ?, TaxExempt = ? where id = ?"),
                          {DateText::toDb(closed), exempt ? 1 : 0, id});
        if (price != 0)
            SeedData::equipmentLine(id, QStringLiteral("SD-150"), price, quantity);
        if (labor != 0)
            SeedData::laborLine(id, QStringLiteral("Install"), labor, 1);
        for (const Pay &p : payments)
            SeedData::payment(id, QString::fromLatin1(p.kind), p.amount);
        return id;
    }

    QString summaryPdf(const QDate &start, SummaryPeriod period)
    {
        const QString path = dir.filePath(QStringLiteral("summary-%1.pdf").arg(++files));
        const ReportResult result = PrintSalesSummary(start, period, ReportOutput::pdf(path));
        EXPECT_TRUE(result.done()) << result.error.toStdString();
        pages = pdfPageTexts(path);
        return pages.join(QLatin1Char('\f'));
    }

    std::shared_ptr<const RecordedDocument> summaryPreview(const QDate &start, SummaryPeriod period)
    {
        CapturingPresenter presenter;
        EXPECT_TRUE(PrintSalesSummary(start, period, ReportOutput::preview()).done());
        return presenter.previews.isEmpty() ? nullptr : presenter.previews.last();
    }

    // Where a ticket's line is in the PDF text (its number, then its
    // closing date): the line's index, -1 when it isn't there.
    static int rowIndex(const QString &text, int id)
    {
        const QRegularExpression row(QStringLiteral("^\\s*%1\\s+\\d\\d/\\d\\d/\\d\\d\\s").arg(id));
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (row.match(lines[i]).hasMatch())
                return i;
        }
        return -1;
    }
    static QString rowOf(const QString &text, int id)
    {
        const int i = rowIndex(text, id);
        return i < 0 ? QString() : text.split(QLatin1Char('\n')).at(i).simplified();
    }

    int customer = 0;
    int files = 0;
    RecordingPrompts prompts;
    QTemporaryDir dir;
    QStringList pages;
};

TEST_P(SalesSummaryTest, TheDailySummaryListsEachTicketAndTotalsItsOwnFiguresToTheCent)
{
    const QDate day(2026, 3, 12);
    const int late = closedTicket(QDateTime(day, QTime(17, 45)), 33.335, 3, 19.99, {{"Visa", 150}, {"Cash", 12.34}});
    const int early = closedTicket(QDateTime(day, QTime(9, 5)), 987.65, 1, 0, {{"Check", 500}, {"Coupon", 5}});
    const int exempt = closedTicket(QDateTime(day, QTime(12, 0)), 0.005, 7, 74.995, {{"Discover", 80}}, true);
    // NULL quantities and amounts count as nothing.
    const int blank = closedTicket(QDateTime(day, QTime(13, 0)), 45, QVariant(), 0, {});
    SeedData::payment(blank, QStringLiteral("Cash"), 0);
    Database::Execute(QStringLiteral("update payment set amount = NULL where salesid = ?"), {blank});

    const QString text = summaryPdf(day, SummaryPeriod::Daily);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(lineWith(text, QStringLiteral("Daily Sales Summary for 03/12/2026")).isEmpty());
    EXPECT_TRUE(
        lineWith(text, QStringLiteral("Ticket Total"))
            .contains(QRegularExpression(QStringLiteral(
                "No\\.\\s+Date\\s+Product\\s+Labor\\s+Shop Fee\\s+Tax\\s+Ticket Total\\s+Cash\\s+Charge\\s+Checks"))))
        << lineWith(text, QStringLiteral("Ticket Total")).toStdString();

    TicketCents sum;
    for (const int id : {early, exempt, blank, late}) {
        const TicketCents own = SummaryTestSupport::ownFigures(id);
        sum += own;
        EXPECT_EQ(rowOf(text, id), QStringLiteral("%1 03/12/26 %2").arg(id).arg(own.printed().join(QLatin1Char(' '))));
    }
    EXPECT_EQ(rowOf(text, blank), QStringLiteral("%1 03/12/26 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00").arg(blank));
    EXPECT_EQ(totalsFields(text), sum.printed());
    // In the order they were closed.
    EXPECT_LT(rowIndex(text, early), rowIndex(text, exempt));
    EXPECT_LT(rowIndex(text, exempt), rowIndex(text, blank));
    EXPECT_LT(rowIndex(text, blank), rowIndex(text, late));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(SalesSummaryTest, MoneyIsPlacedByItsLengthAndTheWeeksTitleStandsLeftOfTheMiddle)
{
    closedTicket(QDateTime(QDate(2026, 3, 9), QTime(10, 0)), 987.65, 1, 0, {});
    const std::shared_ptr<const RecordedDocument> doc = summaryPreview(QDate(2026, 3, 8), SummaryPeriod::Weekly);
    ASSERT_TRUE(doc);
    const RecordedPage &page = doc->pages.at(0);
    const auto product = page.findText(QStringLiteral("987.65"));
    ASSERT_TRUE(product);
    EXPECT_NEAR(product->position.x(), 2.4 - 6 * 0.075, 1e-9);
    const auto weekly = page.findText(QStringLiteral("Weekly Sales Summary for Week of 3/8/2026"));
    ASSERT_TRUE(weekly);
    EXPECT_NEAR(weekly->position.x(), doc->pageWidth() / 2 - 1.0, 1e-9);
}

TEST_P(SalesSummaryTest, ATicketClosedAtMidnightBelongsToOnePeriodOnly)
{
    const int midnight = closedTicket(QDateTime(QDate(2026, 3, 15), QTime(0, 0)), 100, 1, 0, {{"Cash", 108.25}});
    const int before = closedTicket(QDateTime(QDate(2026, 3, 14), QTime(23, 59, 59)), 10, 1, 0, {});
    const int monthEnd = closedTicket(QDateTime(QDate(2026, 4, 1), QTime(0, 0)), 20, 1, 0, {});

    QString text = summaryPdf(QDate(2026, 3, 15), SummaryPeriod::Daily);
    EXPECT_FALSE(rowOf(text, midnight).isEmpty());
    EXPECT_TRUE(rowOf(text, before).isEmpty());
    text = summaryPdf(QDate(2026, 3, 14), SummaryPeriod::Daily);
    EXPECT_TRUE(rowOf(text, midnight).isEmpty());
    EXPECT_FALSE(rowOf(text, before).isEmpty());

    // The week of Sunday 03/08 ends where the week of 03/15 starts.
    text = summaryPdf(QDate(2026, 3, 8), SummaryPeriod::Weekly);
    EXPECT_TRUE(rowOf(text, midnight).isEmpty());
    EXPECT_FALSE(rowOf(text, before).isEmpty());
    text = summaryPdf(QDate(2026, 3, 15), SummaryPeriod::Weekly);
    EXPECT_FALSE(rowOf(text, midnight).isEmpty());

    text = summaryPdf(QDate(2026, 3, 1), SummaryPeriod::Monthly);
    EXPECT_FALSE(rowOf(text, midnight).isEmpty());
    EXPECT_TRUE(rowOf(text, monthEnd).isEmpty());
    text = summaryPdf(QDate(2026, 4, 1), SummaryPeriod::Monthly);
    EXPECT_FALSE(rowOf(text, monthEnd).isEmpty());
    EXPECT_EQ(text.count(QStringLiteral(" 04/01/26 ")), 1);
}

TEST_P(SalesSummaryTest, AMonthFromTheFifteenthIsTitledWithTheDatesItCovers)
{
    const int march = closedTicket(QDateTime(QDate(2026, 3, 20), QTime(10, 0)), 10, 1, 0, {});
    const int april = closedTicket(QDateTime(QDate(2026, 4, 14), QTime(18, 0)), 20, 1, 0, {});
    const int next = closedTicket(QDateTime(QDate(2026, 4, 15), QTime(9, 0)), 30, 1, 0, {});
    const QString text = summaryPdf(QDate(2026, 3, 15), SummaryPeriod::Monthly);
    EXPECT_FALSE(rowOf(text, march).isEmpty());
    EXPECT_FALSE(rowOf(text, april).isEmpty());
    EXPECT_TRUE(rowOf(text, next).isEmpty()) << "the next month's first day";
    EXPECT_TRUE(text.simplified().contains(QStringLiteral("Monthly Sales Summary for 03/15/2026 to 04/14/2026")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("March 2026")));
    // The longer title still ends inside the page.
    const std::shared_ptr<const RecordedDocument> doc = summaryPreview(QDate(2026, 3, 15), SummaryPeriod::Monthly);
    ASSERT_TRUE(doc);
    bool found = false;
    for (const PageOp::Text &t : doc->pages.at(0).texts()) {
        if (!t.text.startsWith(QStringLiteral("Monthly Sales Summary")))
            continue;
        found = true;
        EXPECT_LE(t.position.x() + t.width, 7.5);
    }
    EXPECT_TRUE(found);
    // A month from the 1st keeps its name.
    EXPECT_TRUE(summaryPdf(QDate(2026, 3, 1), SummaryPeriod::Monthly).contains(QStringLiteral("March 2026")));
}

TEST_P(SalesSummaryTest, AReopenedTicketLeavesTheSummaryUntilItIsClosedAgain)
{
    const int kept = closedTicket(QDateTime(QDate(2026, 4, 2), QTime(9, 0)), 10, 1, 0, {});
    const int id = SeedData::ticket(customer);
    SeedData::equipmentLine(id, QStringLiteral("SD-150"), 50, 1);
    ASSERT_EQ(TicketStore::CloseTicket(id), TicketChange::Done);
    QString text = summaryPdf(QDate(2026, 4, 2), SummaryPeriod::Daily);
    EXPECT_FALSE(rowOf(text, id).isEmpty());

    ASSERT_EQ(TicketStore::ReopenTicket(id), TicketChange::Done);
    text = summaryPdf(QDate(2026, 4, 2), SummaryPeriod::Daily);
    EXPECT_TRUE(rowOf(text, id).isEmpty());
    EXPECT_FALSE(rowOf(text, kept).isEmpty());
    EXPECT_EQ(totalsFields(text).value(0), QStringLiteral("10.00"));

    ASSERT_EQ(TicketStore::CloseTicket(id), TicketChange::Done);
    text = summaryPdf(QDate(2026, 4, 2), SummaryPeriod::Daily);
    EXPECT_FALSE(rowOf(text, id).isEmpty());
    EXPECT_EQ(totalsFields(text).value(0), QStringLiteral("60.00"));
}

TEST_P(SalesSummaryTest, APeriodWithoutSalesOnlySaysSoAndBadInputIsReported)
{
    closedTicket(QDateTime(QDate(2026, 3, 12), QTime(10, 0)), 100, 1, 0, {});
    const int open = SeedData::ticket(customer, QStringLiteral("Open"),
                                      DateText::toDb(QDateTime(QDate(2026, 2, 3), QTime(9, 0))));
    Database::Execute(QStringLiteral("update sales set Closedate = ? where id = ?"),
                      {DateText::toDb(QDateTime(QDate(2026, 2, 3), QTime(10, 0))), open});
    CapturingPresenter presenter;
    EXPECT_EQ(PrintSalesSummary(QStringLiteral("02/01/2026"), QStringLiteral("Monthly")).status,
              ReportResult::Status::NoDocument);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("No sales found for 2/1/2026")});
    EXPECT_EQ(presenter.setups, 0);
    EXPECT_TRUE(presenter.previews.isEmpty());

    prompts.clear();
    EXPECT_EQ(PrintSalesSummary(QStringLiteral("13/45/2026"), QStringLiteral("Daily")).status,
              ReportResult::Status::Failed);
    EXPECT_EQ(PrintSalesSummary(QStringLiteral("03/12/2026"), QStringLiteral("daily")).status,
              ReportResult::Status::Failed);
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Report- Sales Summary: \"13/45/2026\"")));
    EXPECT_TRUE(prompts.messages[1].startsWith(QStringLiteral("Report- Sales Summary: \"daily\"")));
    EXPECT_EQ(presenter.setups, 0);

    // The window's text is month/day/year whatever the machine's locale.
    prompts.clear();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const ReportResult march = PrintSalesSummary(QStringLiteral("03/12/2026"), QStringLiteral("Daily"));
    QLocale::setDefault(before);
    EXPECT_TRUE(march.done());
    EXPECT_EQ(presenter.setups, 1);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(SalesSummaryTest, ALongMonthBreaksPagesWithTheBandRuleAndHeadingsOnEach)
{
    constexpr int kTickets = 150;
    QList<int> ids;
    Database::Transaction([&] {
        for (int i = 0; i < kTickets; ++i)
            ids << closedTicket(QDateTime(QDate(2026, 3, 1 + i % 31), QTime(8 + i % 10, i % 60)), 1234.57, 1, 0,
                                {{"Visa", 1336.42}});
        return true;
    });
    const QString text = summaryPdf(QDate(2026, 3, 1), SummaryPeriod::Monthly);
    ASSERT_GE(pages.size(), 3);
    for (int p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(pages[p].contains(QRegularExpression(QStringLiteral("Ticket Total\\s+Cash\\s+Charge\\s+Checks"))))
            << "page " << p + 1;
        if (p > 0) {
            EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1").arg(p + 1))) << "page " << p + 1;
        }
    }
    for (const int id : ids)
        EXPECT_FALSE(rowOf(text, id).isEmpty()) << id;
    // A float running sum is cents off after 150 of these; the exact one is not.
    EXPECT_EQ(totalsFields(text).value(0), QStringLiteral("185185.50"));
    EXPECT_EQ(totalsFields(text).value(4),
              Money::fromCents(kTickets * SummaryTestSupport::ownFigures(ids[0]).total).format0());
    EXPECT_EQ(totalsFields(text).value(6), QStringLiteral("200463.00"));

    const std::shared_ptr<const RecordedDocument> doc = summaryPreview(QDate(2026, 3, 1), SummaryPeriod::Monthly);
    ASSERT_TRUE(doc);
    int listed = 0;
    for (int p = 0; p < doc->pages.size(); ++p) {
        const RecordedPage &page = doc->pages[p];
        listed += listedTickets(page).size();
        double lowest = 0;
        for (const PageOp::Text &t : page.texts()) {
            if (!t.text.isEmpty())
                lowest = std::max(lowest, t.position.y() + t.height);
        }
        EXPECT_LE(lowest, doc->pageHeight()) << "page " << p + 1;
        // The rule between "Ticket Total" and "Cash" runs from the band down
        // to the page's last line.
        bool rule = false;
        for (const PageOp::Line &l : page.lines()) {
            if (qAbs(l.from.x() - 5.3) < 1e-9 && qAbs(l.to.x() - 5.3) < 1e-9) {
                rule = true;
                EXPECT_NEAR(l.from.y(), p == 0 ? 1.75 : 0.75, 1e-9);
                EXPECT_GT(l.to.y(), lowest - 0.4) << "page " << p + 1;
            }
        }
        EXPECT_TRUE(rule) << "page " << p + 1;
    }
    EXPECT_EQ(listed, kTickets);
}

TEST_P(SalesSummaryTest, TheTotalsLineGoesToANewPageWithItsHeadingsWhenThePageIsFull)
{
    // First learn how many lines fill the first page, then print just that many.
    Database::Transaction([&] {
        for (int i = 0; i < 80; ++i)
            closedTicket(QDateTime(QDate(2026, 1, 1 + i % 28), QTime(10, i % 60)), 10, 1, 0, {});
        return true;
    });
    std::shared_ptr<const RecordedDocument> doc = summaryPreview(QDate(2026, 1, 1), SummaryPeriod::Monthly);
    ASSERT_TRUE(doc);
    const int firstPage = int(listedTickets(doc->pages.at(0)).size());
    ASSERT_GT(firstPage, 40);
    Database::Transaction([&] {
        for (int i = 0; i < firstPage; ++i)
            closedTicket(QDateTime(QDate(2026, 2, 1 + i % 28), QTime(10, i % 60)), 10, 1, 0, {});
        return true;
    });
    const QString text = summaryPdf(QDate(2026, 2, 1), SummaryPeriod::Monthly);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Total Sales:")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Ticket Total")));
    EXPECT_EQ(totalsFields(pages[1]).value(0), Money::fromCents(firstPage * 1000).format0());
}

TEST_P(SalesSummaryTest, ALandscapeChoiceBreaksAtTheLandscapePagesFoot)
{
    Database::Transaction([&] {
        for (int i = 0; i < 70; ++i)
            closedTicket(QDateTime(QDate(2026, 3, 1 + i % 28), QTime(10, i % 60)), 10, 1, 0, {});
        return true;
    });
    LandscapePresenter presenter;
    ASSERT_TRUE(PrintSalesSummary(QStringLiteral("03/01/2026"), QStringLiteral("Monthly")).done());
    ASSERT_TRUE(presenter.document);
    const RecordedDocument &doc = *presenter.document;
    EXPECT_LT(doc.pageHeight(), doc.pageWidth());
    ASSERT_GE(doc.pages.size(), 2);
    int listed = 0;
    for (const RecordedPage &page : doc.pages) {
        listed += listedTickets(page).size();
        for (const PageOp::Text &t : page.texts())
            EXPECT_LE(t.position.y() + t.height, doc.pageHeight()) << t.text.toStdString();
    }
    EXPECT_EQ(listed, 70);
}

INSTANTIATE_TEST_SUITE_P(Engines, SalesSummaryTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
