// The inventory and product-sales reports, rendered to PDF and read back,
// and their recorded pages inspected where a position matters.
#include "tests/reports/ReportFixtures.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "reports/DemoLetterhead.h"
#include "reports/ProductReports.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ReportFixtures;

namespace {

class ProductReportsTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        provideLetterheadFiles();
        Clock::setFixed(QDateTime(QDate(2026, 3, 14), QTime(15, 4, 5)));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    int product(const QString &category, const QString &model, const QVariant &description, const QVariant &price,
                const QVariant &cost = 10, double qoh = 5)
    {
        return int(Database::InsertRow(QStringLiteral("product"),
                                       {QStringLiteral("category"), QStringLiteral("modelnumber"),
                                        QStringLiteral("partnumber"), QStringLiteral("description"),
                                        QStringLiteral("price"), QStringLiteral("cost"), QStringLiteral("msrp"),
                                        QStringLiteral("qoh"), QStringLiteral("gm")},
                                       {category, model, model, description, price, cost, 29.99, qoh, 35}));
    }

    // A closed ticket of one equipment line, sold at the given moment.
    void sale(const QString &model, double price, double quantity, const QDateTime &closed)
    {
        const int customer = SeedData::customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
        const int ticket = SeedData::ticket(customer, QStringLiteral("Close"), DateText::toDb(closed.addDays(-1)));
        Database::Execute(QStringLiteral("update sales set Closedate = ? where id = ?"),
                          {DateText::toDb(closed), ticket});
        Database::Execute(QStringLiteral("update salesitem set modelnumber = ? where id = ?"),
                          {model, SeedData::equipmentLine(ticket, model, price, quantity)});
    }

    QString pdfOf(const ReportResult &result, const QString &path)
    {
        EXPECT_TRUE(result.done()) << result.error.toStdString();
        pages = pdfPageTexts(path);
        return pages.join(QLatin1Char('\f'));
    }

    QString inventoryPdf()
    {
        const QString path = dir.filePath(QStringLiteral("inventory.pdf"));
        return pdfOf(PrintInventory(ReportOutput::pdf(path)), path);
    }

    RecordingPrompts prompts;
    QTemporaryDir dir;
    QStringList pages;
};

// A report prints for a new shop as the invoice does: no logo, no notice,
// nobody else's address.
TEST_P(ProductReportsTest, ANewShopPrintsItsInventoryWithoutLogoOrAnybodysAddress)
{
    becomeNewShop();
    product(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("Single-DIN CD receiver"), 12.5);
    const QString text = inventoryPdf();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("SD-150")));
    for (const QString &demoLine : DemoLetterhead::lines())
        EXPECT_FALSE(text.contains(demoLine)) << demoLine.toStdString();
}

TEST_P(ProductReportsTest, TheInventoryPrintsItsHeadingsAndEveryProductLandscape)
{
    product(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("Single-DIN CD receiver"), 12.5);
    product(QStringLiteral("Audio"), QStringLiteral("DD-700"),
            QStringLiteral("Double-DIN touchscreen receiver with CarPlay and Android Auto"), 429.99, QVariant());
    product(QStringLiteral("Towing"), QStringLiteral("HR-III"), QVariant(), 189.99);
    const QString text = inventoryPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NE(lineWith(text, QStringLiteral("Product Inventory as of")).indexOf(QStringLiteral("3/14/2026")), -1);
    const QString headings = lineWith(text, QStringLiteral("Category"));
    EXPECT_TRUE(headings.contains(QRegularExpression(QStringLiteral(
        "Category\\s+Model #\\s+Description\\s+QOH\\s+MSRP\\s+Price\\s+Cost\\s+GM\\s+Reserved\\s+Available"))))
        << headings.toStdString();
    const QString receiver = lineWith(text, QStringLiteral("SD-150"));
    EXPECT_TRUE(receiver.contains(QRegularExpression(
        QStringLiteral("Audio\\s+SD-150\\s+Single-DIN CD receiver\\s+5\\s+29.99\\s+12.50\\s+10.00\\s+35\\s+0\\s+5$"))))
        << receiver.toStdString();
    // Cut to 40 characters at most; a missing cost and description print blank.
    EXPECT_TRUE(text.contains(QStringLiteral("Double-DIN touchscreen receiver with")));
    EXPECT_FALSE(text.contains(QStringLiteral("CarPlay")));
    EXPECT_TRUE(lineWith(text, QStringLiteral("DD-700")).contains(QRegularExpression(QStringLiteral("429.99\\s+35"))));
    EXPECT_TRUE(
        lineWith(text, QStringLiteral("HR-III")).contains(QRegularExpression(QStringLiteral("HR-III\\s+5\\s"))));
    EXPECT_EQ(lineWith(text, QStringLiteral("Page:")), QStringLiteral("Page: 1"));
    EXPECT_LT(text.indexOf(QStringLiteral("DD-700")), text.indexOf(QStringLiteral("SD-150")));
    EXPECT_LT(text.indexOf(QStringLiteral("SD-150")), text.indexOf(QStringLiteral("HR-III")));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(ProductReportsTest, AMoneyValueEndsAtItsColumnsRightEdge)
{
    product(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("CD receiver"), 12.5);
    CapturingPresenter presenter;
    ASSERT_TRUE(PrintInventory(ReportOutput::preview()).done());
    ASSERT_EQ(presenter.previews.size(), 1);
    const RecordedDocument &doc = *presenter.previews[0];
    EXPECT_EQ(doc.layout.orientation(), QPageLayout::Landscape);
    const auto price = doc.pages.at(0).findText(QStringLiteral("12.50"));
    ASSERT_TRUE(price);
    EXPECT_NEAR(price->position.x(), 7.0 - 5 * 0.07, 1e-9);
    const auto cost = doc.pages.at(0).findText(QStringLiteral("10.00"));
    ASSERT_TRUE(cost);
    EXPECT_NEAR(cost->position.x(), 7.8 - 5 * 0.07, 1e-9);
    const auto page = doc.pages.at(0).findText(QStringLiteral("Page: 1"));
    ASSERT_TRUE(page);
    EXPECT_NEAR(page->position.x(), 5.0, 1e-9);
    EXPECT_NEAR(page->position.y(), 7.6, 1e-9);
}

TEST_P(ProductReportsTest, ALongDescriptionIsCutAt40AndNeverRunsIntoTheQohColumn)
{
    const QString wide = QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    const QString narrow = QStringLiteral("iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii");
    product(QStringLiteral("Audio"), QStringLiteral("W-1"), wide, 1);
    product(QStringLiteral("Audio"), QStringLiteral("I-1"), narrow, 1);
    CapturingPresenter presenter;
    ASSERT_TRUE(PrintInventory(ReportOutput::preview()).done());
    const RecordedPage &page = presenter.previews.at(0)->pages.at(0);
    const auto w = page.findText(QStringLiteral("WWWW"));
    ASSERT_TRUE(w);
    EXPECT_TRUE(wide.startsWith(w->text));
    EXPECT_LE(w->position.x() + w->width, 5.2 - 0.05);
    const auto i = page.findText(QStringLiteral("iiii"));
    ASSERT_TRUE(i);
    EXPECT_EQ(i->text, narrow.left(40));
}

TEST_P(ProductReportsTest, AnEmptyInventoryStillPrintsTheHeadingsAndPageOne)
{
    const QString text = inventoryPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Reserved")));
    EXPECT_EQ(lineWith(text, QStringLiteral("Page:")), QStringLiteral("Page: 1"));
}

TEST_P(ProductReportsTest, ALongCatalogIsNumberedPageByPageWithHeadingsOnEach)
{
    Database::Transaction([this] {
        for (int i = 0; i < 120; ++i)
            product(QStringLiteral("Cat%1").arg(i / 10, 2, 10, QLatin1Char('0')),
                    QStringLiteral("M-%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Item %1").arg(i), 1 + i);
        return true;
    });
    const QString text = inventoryPdf();
    ASSERT_GE(pages.size(), 3);
    for (int p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(lineWith(pages[p], QStringLiteral("Page:")), QStringLiteral("Page: %1").arg(p + 1));
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Available"))) << "page " << p + 1;
    }
    for (int i = 0; i < 120; ++i)
        EXPECT_EQ(text.count(QStringLiteral("M-%1 ").arg(i, 3, 10, QLatin1Char('0'))), 1) << i;
    EXPECT_TRUE(pages.last().contains(QStringLiteral("M-119")));
}

TEST_P(ProductReportsTest, ADaysSalesAreGroupedByModelAndMidnightBelongsToTheNextDay)
{
    const QDate day(2026, 3, 12);
    sale(QStringLiteral("SD-150"), 109.99, 1, QDateTime(day, QTime(0, 0)));
    sale(QStringLiteral("sd-150 "), 109.99, 2, QDateTime(day, QTime(16, 30)));
    sale(QStringLiteral("AA-12"), 9.99, 1.5, QDateTime(day, QTime(23, 59, 59)));
    sale(QStringLiteral("WK-8G"), 39.99, 1, QDateTime(day.addDays(1), QTime(0, 0)));
    sale(QStringLiteral("DK-99"), 19.99, 1, QDateTime(day.addDays(-1), QTime(23, 59, 59)));

    const QString path = dir.filePath(QStringLiteral("sales.pdf"));
    const QString text = pdfOf(PrintProductSales(QStringLiteral("03/12/2026"), false, ReportOutput::pdf(path)), path);
    EXPECT_FALSE(lineWith(text, QStringLiteral("Daily Product Sales for 03/12/2026")).isEmpty());
    EXPECT_TRUE(
        lineWith(text, QStringLiteral("model number")).contains(QRegularExpression(QStringLiteral("Qty\\s+Amount"))));
    EXPECT_TRUE(
        lineWith(text, QStringLiteral("SD-150")).contains(QRegularExpression(QStringLiteral("SD-150\\s+3\\s+329.97"))));
    EXPECT_TRUE(
        lineWith(text, QStringLiteral("AA-12")).contains(QRegularExpression(QStringLiteral("AA-12\\s+1.5\\s+14.99"))));
    EXPECT_FALSE(text.contains(QStringLiteral("WK-8G")));
    EXPECT_FALSE(text.contains(QStringLiteral("DK-99")));
    EXPECT_LT(text.indexOf(QStringLiteral("AA-12")), text.indexOf(QStringLiteral("SD-150")));

    const QString next = dir.filePath(QStringLiteral("next.pdf"));
    const QString nextText = pdfOf(PrintProductSales(day.addDays(1), false, ReportOutput::pdf(next)), next);
    EXPECT_TRUE(nextText.contains(QStringLiteral("WK-8G")));
    EXPECT_FALSE(nextText.contains(QStringLiteral("SD-150")));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(ProductReportsTest, ALineWithoutModelNumberOrPriceStillPrintsItsRow)
{
    const QDateTime noon(QDate(2026, 3, 12), QTime(12, 0));
    sale(QStringLiteral("SD-150"), 109.99, 1, noon);
    sale(QStringLiteral("AA-12"), 9.99, 2, noon);
    sale(QStringLiteral("NOMODEL"), 25, 1, noon);
    Database::Execute(QStringLiteral("update salesitem set price = NULL where modelnumber = ?"),
                      {QStringLiteral("AA-12")});
    Database::Execute(QStringLiteral("update salesitem set modelnumber = NULL where modelnumber = ?"),
                      {QStringLiteral("NOMODEL")});
    const QString path = dir.filePath(QStringLiteral("nulls.pdf"));
    const QString text = pdfOf(PrintProductSales(noon.date(), false, ReportOutput::pdf(path)), path);
    EXPECT_TRUE(
        lineWith(text, QStringLiteral("SD-150")).contains(QRegularExpression(QStringLiteral("SD-150\\s+1\\s+109.99$"))))
        << text.toStdString();
    // No price sells for nothing; no model number is a row of its own with a blank name.
    EXPECT_TRUE(
        lineWith(text, QStringLiteral("AA-12")).contains(QRegularExpression(QStringLiteral("AA-12\\s+2\\s+0.00$"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("(^|\\n)\\s*1\\s+25.00\\s*(\\n|$)"))))
        << text.toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(ProductReportsTest, ADayWithoutSalesOnlySaysSo)
{
    sale(QStringLiteral("SD-150"), 109.99, 1, QDateTime(QDate(2026, 3, 12), QTime(10, 0)));
    CapturingPresenter presenter;
    const ReportResult result = PrintProductSales(QStringLiteral("03/13/2026"), false);
    EXPECT_EQ(result.status, ReportResult::Status::NoDocument);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("No sales found for 3/13/2026")});
    EXPECT_EQ(presenter.setups, 0);
    EXPECT_TRUE(presenter.previews.isEmpty());

    prompts.clear();
    EXPECT_EQ(PrintProductSales(QStringLiteral("13/45/2026"), false).status, ReportResult::Status::Failed);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Print Daily Product: ")));
    EXPECT_EQ(presenter.setups, 0);
}

TEST_P(ProductReportsTest, TheMonthlyReportCoversTheCalendarMonthOfTheDay)
{
    sale(QStringLiteral("SD-150"), 100, 1, QDateTime(QDate(2026, 3, 1), QTime(0, 0)));
    sale(QStringLiteral("SD-150"), 100, 1, QDateTime(QDate(2026, 3, 31), QTime(23, 0)));
    sale(QStringLiteral("SD-150"), 100, 1, QDateTime(QDate(2026, 4, 1), QTime(0, 0)));
    CapturingPresenter presenter;
    ASSERT_TRUE(PrintProductSales(QStringLiteral("3/14/2026"), true).done());
    EXPECT_EQ(presenter.setups, 1);
    QStringList texts;
    for (const PageOp::Text &t : presenter.lastTexts())
        texts << t.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("Monthly Product Sales for March 2026")));
    EXPECT_TRUE(texts.contains(QStringLiteral("2")));
    EXPECT_TRUE(texts.contains(QStringLiteral("200.00")));
}

TEST_P(ProductReportsTest, AMonthOfManyModelsContinuesOnNumberedPages)
{
    for (int i = 0; i < 70; ++i)
        sale(QStringLiteral("M-%1").arg(i, 2, 10, QLatin1Char('0')), 10, 1,
             QDateTime(QDate(2026, 3, 1 + i % 28), QTime(12, 0)));
    const QString path = dir.filePath(QStringLiteral("month.pdf"));
    const QString text = pdfOf(PrintProductSales(QDate(2026, 3, 5), true, ReportOutput::pdf(path)), path);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Page 2")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("model number")));
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(text.count(QStringLiteral("M-%1 ").arg(i, 2, 10, QLatin1Char('0'))), 1) << i;
}

INSTANTIATE_TEST_SUITE_P(Engines, ProductReportsTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
