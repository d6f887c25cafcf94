// The customer invoice, rendered to PDF and read back, on every engine.
#include "tests/reports/ReportFixtures.h"

#include "data/AppPaths.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DemoShop.h"
#include "data/ExactDecimal.h"
#include "data/ReceiptNotice.h"
#include "data/Settings.h"
#include "data/TicketRules.h"
#include "reports/DemoLetterhead.h"
#include "reports/InvoiceData.h"
#include "reports/Printbill.h"
#include "reports/ReportLetterhead.h"
#include "reports/ShopLetterhead.h"
#include "sales/TicketReader.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ReportFixtures;

class InvoiceTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        provideLetterheadFiles();
        Clock::setFixed(QDateTime(QDate(2026, 3, 14), QTime(15, 4, 5)));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    int customer(const QVariant &prefer = 0, const QVariant &phone1 = QStringLiteral("5125550101"),
                 const QVariant &phone2 = QVariant())
    {
        return int(Database::InsertRow(
            QStringLiteral("customer"),
            {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("address1"),
             QStringLiteral("city"), QStringLiteral("state"), QStringLiteral("zipcode"), QStringLiteral("PreferPhone"),
             QStringLiteral("phone1"), QStringLiteral("phone2")},
            {QStringLiteral("Alan "), QStringLiteral("Smith"), QStringLiteral("1200 Oak St"), QStringLiteral("Austin"),
             QStringLiteral("TX"), QStringLiteral("78701"), prefer, phone1, phone2}));
    }

    int ticket(int customerId = 0, int taxExempt = 0)
    {
        const int id = SeedData::ticket(customerId ? customerId : customer());
        Database::Execute(QStringLiteral("update sales set year = ?, make = ?, model = ?, TaxExempt = ? where id = ?"),
                          {QStringLiteral("2019"), QStringLiteral("Ford"), QStringLiteral("F-150"), taxExempt, id});
        return id;
    }

    // The invoice as a PDF read back; also kept as pages.
    QString render(int ticketId)
    {
        const QString path = dir.filePath(QStringLiteral("invoice%1.pdf").arg(ticketId));
        const ReportResult result = Printbill(ticketId, ReportOutput::pdf(path));
        EXPECT_TRUE(result.done()) << result.error.toStdString();
        pages = pdfPageTexts(path);
        return pages.join(QLatin1Char('\f'));
    }

    RecordingPrompts prompts;
    QTemporaryDir dir;
    QStringList pages;
};

TEST_P(InvoiceTest, LaborAndPartsGiveShopFeeTaxAndTotal)
{
    const int id = ticket();
    SeedData::laborLine(id, QStringLiteral("Install remote start"), 100);
    SeedData::equipmentLine(id, QStringLiteral("RS-2W"), 50);
    const QString text = render(id);
    EXPECT_TRUE(text.contains(QStringLiteral("Customer Invoice #A%1").arg(id, 4, 10, QLatin1Char('0'))));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Parts:")), QStringLiteral("50.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Labor:")), QStringLiteral("100.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Shop Fee:")), QStringLiteral("10.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Sub-Total:")), QStringLiteral("160.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Tax (8.25%):")), QStringLiteral("13.20"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Total:")), QStringLiteral("173.20"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Total Payments:")), QStringLiteral("0.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Balance:")), QStringLiteral("173.20"));
    EXPECT_EQ(lineWith(text, QStringLiteral("RS-2W--")), QStringLiteral("RS-2W--Line RS-2W 1 50.00 50.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Install remote start")),
              QStringLiteral("Install remote start 1 100.00 100.00"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(InvoiceTest, TheCustomerVehicleAndShopArePrinted)
{
    CapturingPresenter presenter;
    const int id = ticket();
    ASSERT_TRUE(Printbill(id, ReportOutput::preview()).done());
    EXPECT_TRUE(presenter.previews.last()->pages[0].findText(QStringLiteral("Alan   Smith")));
    EXPECT_TRUE(presenter.previews.last()->pages[0].findText(QStringLiteral("2019   Ford   F-150")));
    const QString text = render(id);
    EXPECT_TRUE(text.contains(QStringLiteral("1200 Oak St")));
    EXPECT_TRUE(text.contains(QStringLiteral("Austin, TX 78701")));
    EXPECT_TRUE(text.contains(QStringLiteral("(512) 555-0101")));
    EXPECT_TRUE(lineWith(text, QStringLiteral("Vehicle:"))
                    .startsWith(QStringLiteral("Vehicle: 2019 Ford F-150 3/14/2026 3:04:05")));
    EXPECT_TRUE(text.contains(QStringLiteral("4410 Burnet Road")));
    EXPECT_TRUE(text.contains(QStringLiteral("Austin, TX 78756")));
    EXPECT_TRUE(text.contains(QStringLiteral("Thank you for your business!")));
    for (const QString &heading : {QStringLiteral("Description"), QStringLiteral("Equipment"),
                                   QStringLiteral("Installs:"), QStringLiteral("Payments / Credits")})
        EXPECT_TRUE(text.contains(heading)) << heading.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(
        "A 2% surcharge will be applied to Visa and Mastercsard sales under $50.00 (excluding tax and fees)")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("A 3% surcharge will be applied to all Discover and American Express sales")));
}

TEST_P(InvoiceTest, TheRatesItPrintsAreTheTicketRules)
{
    using namespace TicketRules;
    const auto percent = [](std::int64_t numerator, std::int64_t denominator) {
        return ExactDecimal::of(100 * numerator, denominator)->text();
    };
    EXPECT_EQ(InvoiceTaxLabel(), QStringLiteral("Tax (%1%):").arg(percent(kTaxNumerator, kTaxDenominator)));
    const QStringList remarks = InvoiceSurchargeRemarks();
    ASSERT_EQ(remarks.size(), 2);
    EXPECT_TRUE(remarks[0].startsWith(
        QStringLiteral("A %1% surcharge")
            .arg(percent(kVisaSurchargeNumerator - kSurchargeDenominator, kSurchargeDenominator))));
    EXPECT_TRUE(remarks[0].contains(QLatin1Char('$') + SurchargeThreshold().format0()));
    EXPECT_TRUE(remarks[1].startsWith(
        QStringLiteral("A %1% surcharge")
            .arg(percent(kDiscoverSurchargeNumerator - kSurchargeDenominator, kSurchargeDenominator))));
    const QString text = render(ticket());
    EXPECT_FALSE(valueAfter(text, InvoiceTaxLabel()).isEmpty());
    for (const QString &remark : remarks)
        EXPECT_TRUE(text.contains(remark.trimmed())) << remark.toStdString();
}

TEST_P(InvoiceTest, DiscoverPaymentShowsItsSurchargeAsInformationOnly)
{
    const int id = ticket();
    SeedData::equipmentLine(id, QStringLiteral("DD-700"), 429.99);
    SeedData::payment(id, QStringLiteral("Discover"), 100);
    const QString text = render(id);
    EXPECT_EQ(lineWith(text, QStringLiteral("Discover")), QStringLiteral("Discover -100.00 (-103.00)"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Total Payments:")), QStringLiteral("-100.00"));
    // 429.99 × 1.0825 = 465.464…, less the 100.00 paid.
    EXPECT_EQ(valueAfter(text, QStringLiteral("Balance:")), QStringLiteral("365.46"));
}

TEST_P(InvoiceTest, VisaSurchargeOnlyOnPartsAndLaborUnderFifty)
{
    const int small = ticket();
    SeedData::equipmentLine(small, QStringLiteral("GB-10"), 45);
    SeedData::payment(small, QStringLiteral("Visa"), 40);
    EXPECT_EQ(lineWith(render(small), QStringLiteral("Visa")), QStringLiteral("Visa -40.00 (-40.80)"));

    const int fifty = ticket();
    SeedData::equipmentLine(fifty, QStringLiteral("GB-10"), 50);
    SeedData::payment(fifty, QStringLiteral("Visa"), 40);
    EXPECT_EQ(lineWith(render(fifty), QStringLiteral("Visa")), QStringLiteral("Visa -40.00"));

    // Parts + labor 46.00 is under the paper's threshold although the shop
    // fee takes the screen's base to 50.60.
    const int nearly = ticket();
    SeedData::laborLine(nearly, QStringLiteral("Program bypass"), 46);
    SeedData::payment(nearly, QStringLiteral("Mastercard"), 10);
    EXPECT_EQ(lineWith(render(nearly), QStringLiteral("Mastercard")), QStringLiteral("Mastercard -10.00 (-10.20)"));
}

TEST_P(InvoiceTest, ALargeSurchargeFigureStaysOnThePage)
{
    const int id = ticket();
    SeedData::equipmentLine(id, QStringLiteral("DD-700"), 429.99, 30);
    SeedData::payment(id, QStringLiteral("American Express"), 12000);
    CapturingPresenter presenter;
    ASSERT_TRUE(Printbill(id, ReportOutput::preview()).done());
    const auto figure = presenter.previews.last()->pages[0].findText(QStringLiteral("(-12360.00)"));
    ASSERT_TRUE(figure);
    EXPECT_LE(figure->position.x() + figure->width, 8.0);
    EXPECT_TRUE(figure->font.italic);
}

TEST_P(InvoiceTest, ACouponOfMinusFivePrintsWithOneSign)
{
    const int id = ticket();
    SeedData::equipmentLine(id, QStringLiteral("MD-100"), 19.99);
    SeedData::payment(id, QStringLiteral("Coupon"), -5);
    SeedData::payment(id, QStringLiteral("Cash"), 10);
    const QString text = render(id);
    EXPECT_EQ(lineWith(text, QStringLiteral("Coupon")), QStringLiteral("Coupon 5.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Total Payments:")), QStringLiteral("-5.00"));
    EXPECT_FALSE(text.contains(QStringLiteral("--5")));
    // 19.99 × 1.0825 = 21.639…; paid 5.00 net.
    EXPECT_EQ(valueAfter(text, QStringLiteral("Balance:")), QStringLiteral("16.64"));
}

TEST_P(InvoiceTest, TaxExemptTicketPrintsNoTax)
{
    const int id = ticket(0, 1);
    SeedData::laborLine(id, QStringLiteral("Install hitch"), 120);
    const QString text = render(id);
    EXPECT_EQ(valueAfter(text, QStringLiteral("Tax (8.25%):")), QStringLiteral("0.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Sub-Total:")), QStringLiteral("132.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Total:")), QStringLiteral("132.00"));
}

TEST_P(InvoiceTest, TicketSevenIsInvoiceA0007)
{
    int id = 0;
    const int c = customer();
    while (id < 7)
        id = ticket(c);
    ASSERT_EQ(id, 7);
    EXPECT_TRUE(render(7).contains(QStringLiteral("Customer Invoice #A0007")));
    EXPECT_EQ(InvoiceTitle(42), QStringLiteral("Customer Invoice #A0042"));
    EXPECT_EQ(InvoiceTitle(12345), QStringLiteral("Customer Invoice #A12345"));
}

TEST_P(InvoiceTest, NullAmountsCountAsZero)
{
    const int id = ticket();
    SeedData::equipmentLine(id, QStringLiteral("WK-8G"), 39.99, QVariant());
    SeedData::laborLine(id, QStringLiteral("Install amp"), 150, 2);
    Database::Execute(QStringLiteral("update saleslabor set charge = NULL where salesid = ?"), {id});
    const QString text = render(id);
    EXPECT_EQ(lineWith(text, QStringLiteral("WK-8G--")), QStringLiteral("WK-8G--Line WK-8G 0 39.99 0.00"));
    EXPECT_EQ(lineWith(text, QStringLiteral("Install amp")), QStringLiteral("Install amp 2 0.00 0.00"));
    EXPECT_EQ(valueAfter(text, QStringLiteral("Total:")), QStringLiteral("0.00"));
}

TEST_P(InvoiceTest, LongDescriptionsAreCutAndNotesPrintUnderTheirLine)
{
    const int id = ticket();
    const int line = SeedData::equipmentLine(id, QStringLiteral("SW-10B"), 199.99);
    const QString longText = QStringLiteral("10 inch subwoofer in ported box with carpet finish and terminal cup");
    Database::Execute(QStringLiteral("update salesitem set description = ?, note = ? where id = ?"),
                      {longText, QStringLiteral("  Customer brings own box next time  "), line});
    const int blankNote = SeedData::laborLine(id, QStringLiteral("Install subwoofer box"), 50);
    Database::Execute(QStringLiteral("update saleslabor set note = '   ' where id = ?"), {blankNote});
    CapturingPresenter presenter;
    ASSERT_TRUE(Printbill(id, ReportOutput::preview()).done());
    QStringList all;
    for (const PageOp::Text &t : presenter.lastTexts())
        all << t.text;
    EXPECT_TRUE(all.contains(QStringLiteral("SW-10B--") + longText.left(50)));
    const int note = all.indexOf(QStringLiteral("Customer brings own box next time"));
    ASSERT_GE(note, 0);
    const PageOp::Text noteText = presenter.lastTexts().at(note);
    EXPECT_NEAR(noteText.position.x(), 1.0, 1e-9);
    EXPECT_TRUE(noteText.font.italic);
    // The install line has no note line: the next text is the next heading.
    const int install = all.indexOf(QStringLiteral("Install subwoofer box"));
    ASSERT_GE(install, 0);
    EXPECT_EQ(all.at(install + 4), QStringLiteral("Parts:"));
}

TEST_P(InvoiceTest, LinesThatCannotBeReadAreOneMessageWithTheInvoicesLabel)
{
    const int id = ticket();
    SeedData::equipmentLine(id, QStringLiteral("SW-10B"), 199.99);
    ASSERT_GE(Database::Execute(QStringLiteral("alter table salesitem rename to salesitem_away")), 0);
    const ReportResult result = Printbill(id, ReportOutput::pdf(dir.filePath(QStringLiteral("gone.pdf"))));
    ASSERT_GE(Database::Execute(QStringLiteral("alter table salesitem_away rename to salesitem")), 0);
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Printbill: "))) << prompts.lastMessage().toStdString();
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("salesitem"))) << "the reason itself";
    EXPECT_FALSE(prompts.lastMessage().contains(QStringLiteral("GetRS:")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("gone.pdf"))));
}

TEST_P(InvoiceTest, AModelNumberAndDescriptionTooWideForTheLineContinueBelowIt)
{
    const int id = ticket();
    const QString model = QStringLiteral("KX-ULTRA-PRO-9000-SERIES-REMOTE-STARTER-KIT");
    const QString description = QStringLiteral("Two way remote start with LCD fob, bypass module and T-harness");
    const int line = SeedData::equipmentLine(id, model, 349.5);
    Database::Execute(QStringLiteral("update salesitem set description = ? where id = ?"), {description, line});
    SeedData::laborLine(id, QStringLiteral("Install remote start"), 120);
    const QString text = render(id);
    const QString sold = model + QStringLiteral("--") + description.left(50);
    const int first = int(text.indexOf(model.left(10)));
    ASSERT_GE(first, 0) << text.toStdString();
    const int installs = int(text.indexOf(QStringLiteral("Installs:")));
    ASSERT_GT(installs, first);
    // What stands between the line's start and the next section, without the
    // line's figures, read as one text: the whole of what was sold.
    QString between = text.mid(first, installs - first);
    for (const QString &figure : {QStringLiteral("349.50"), QStringLiteral("1")})
        between.replace(QRegularExpression(QStringLiteral("\\s%1(\\s|$)").arg(QRegularExpression::escape(figure))),
                        QStringLiteral(" "));
    between.remove(QRegularExpression(QStringLiteral("\\s")));
    QString expected = sold;
    expected.remove(QLatin1Char(' '));
    EXPECT_TRUE(between.contains(expected)) << between.toStdString();

    // The continuation stands at the line's own left edge, before the next item.
    CapturingPresenter presenter;
    ASSERT_TRUE(Printbill(id, ReportOutput::preview()).done());
    const QList<PageOp::Text> texts = presenter.lastTexts();
    int start = -1;
    for (int i = 0; i < texts.size() && start < 0; ++i) {
        if (texts.at(i).text.startsWith(model.left(10)))
            start = i;
    }
    ASSERT_GE(start, 0);
    EXPECT_NE(texts.at(start).text, sold) << "the text does not fit one line";
    EXPECT_EQ(texts.at(start + 1).text, QStringLiteral("1")) << "the figures stay on the first line";
    const PageOp::Text &continued = texts.at(start + 4);
    EXPECT_NEAR(continued.position.x(), texts.at(start).position.x(), 1e-9);
    EXPECT_GT(continued.position.y(), texts.at(start).position.y());
}

TEST_P(InvoiceTest, MoneyColumnsEndAtTheirTabs)
{
    const int id = ticket();
    SeedData::equipmentLine(id, QStringLiteral("DD-700"), 429.99, 2);
    SeedData::equipmentLine(id, QStringLiteral("AA-12"), 9.99);
    SeedData::laborLine(id, QStringLiteral("Install head unit"), 75);
    SeedData::payment(id, QStringLiteral("American Express"), 1000);
    CapturingPresenter presenter;
    ASSERT_TRUE(Printbill(id, ReportOutput::preview()).done());
    const QList<PageOp::Text> texts = presenter.lastTexts();
    auto rightEdgeOf = [&texts](const QString &s) {
        for (const PageOp::Text &t : texts) {
            if (t.text == s)
                return t.position.x() + t.width;
        }
        return -1.0;
    };
    // Printable width 8.0: Qty ends at 5.0, Price at 6.0, Total at 7.0.
    for (const QString &s : {QStringLiteral("Qty"), QStringLiteral("2")})
        EXPECT_NEAR(rightEdgeOf(s), 5.0, 1e-9) << s.toStdString();
    for (const QString &s : {QStringLiteral("Price"), QStringLiteral("429.99"), QStringLiteral("75.00")})
        EXPECT_NEAR(rightEdgeOf(s), 6.0, 1e-9) << s.toStdString();
    for (const QString &s :
         {QStringLiteral("Total"), QStringLiteral("859.98"), QStringLiteral("-1000.00"), QStringLiteral("952.47")})
        EXPECT_NEAR(rightEdgeOf(s), 7.0, 1e-9) << s.toStdString();
    // The surcharge figure fits on the page.
    EXPECT_LE(rightEdgeOf(QStringLiteral("(-1030.00)")), 8.0);
    // The rules above the totals, the payments and the balance.
    const QList<PageOp::Line> rules = presenter.previews.last()->pages[0].lines();
    ASSERT_EQ(rules.size(), 4);
    for (const PageOp::Line &rule : rules) {
        EXPECT_NEAR(rule.from.x(), 4.0, 1e-9);
        EXPECT_NEAR(rule.to.x(), 7.5, 1e-9);
    }
}

TEST_P(InvoiceTest, ALongTicketBreaksPagesAndKeepsItsTotals)
{
    const int id = ticket();
    for (int i = 1; i <= 60; ++i)
        SeedData::equipmentLine(id, QStringLiteral("P-%1").arg(i), 1.25);
    SeedData::payment(id, QStringLiteral("Cash"), 20);
    CapturingPresenter presenter;
    ASSERT_TRUE(Printbill(id, ReportOutput::preview()).done());
    const auto doc = presenter.previews.last();
    ASSERT_GE(doc->pages.size(), 2);
    for (int p = 0; p < doc->pages.size(); ++p) {
        EXPECT_TRUE(doc->pages[p].findText(QStringLiteral("Description"))) << "band on page " << p + 1;
        for (const PageOp::Text &t : doc->pages[p].texts())
            EXPECT_LE(t.position.y() + t.height, doc->pageHeight()) << t.text.toStdString();
    }
    const RecordedPage &last = doc->pages.last();
    for (const QString &label : {QStringLiteral("Parts:"), QStringLiteral("Total:"), QStringLiteral("Total Payments:"),
                                 QStringLiteral("Balance:")})
        EXPECT_TRUE(last.findText(label)) << label.toStdString();
    EXPECT_TRUE(doc->pages[1].findText(QStringLiteral("Page 2")));

    const QString text = render(id);
    EXPECT_EQ(pages.size(), doc->pages.size());
    EXPECT_EQ(valueAfter(text, QStringLiteral("Parts:")), QStringLiteral("75.00"));
    for (int i = 1; i <= 60; ++i)
        EXPECT_TRUE(text.contains(QStringLiteral("P-%1--").arg(i))) << i;
}

TEST_P(InvoiceTest, PhoneLinesFollowThePreferredPhone)
{
    auto customerBlock = [this](int customerId) {
        CapturingPresenter presenter;
        Printbill(ticket(customerId), ReportOutput::preview());
        // The texts between the shop's telephone and the vehicle line.
        QStringList block;
        bool inBlock = false;
        for (const PageOp::Text &t : presenter.lastTexts()) {
            if (t.text.startsWith(QStringLiteral("Vehicle:")))
                break;
            if (inBlock)
                block << t.text;
            inBlock = inBlock || t.text == ShopLetterhead::telephone();
        }
        return block;
    };
    EXPECT_EQ(customerBlock(customer(QVariant())).size(), 3) << "no phone line for NULL";
    EXPECT_EQ(customerBlock(customer(3)).size(), 3) << "no phone line for 3";
    EXPECT_EQ(customerBlock(customer(1, QStringLiteral("5125550101"), QStringLiteral("5125550199"))).last(),
              QStringLiteral("(512) 555-0199"));
    EXPECT_EQ(customerBlock(customer(0, QStringLiteral("5550101"))).last(), QStringLiteral("5550101"));
    EXPECT_EQ(InvoicePhone(QStringLiteral("5125550101")), QStringLiteral("(512) 555-0101"));
    EXPECT_EQ(InvoicePhone(QStringLiteral("512555")), QStringLiteral("512555"));
    EXPECT_EQ(InvoicePhone(QStringLiteral("(512) 555-0101")), QStringLiteral("(512) 555-0101"));
}

TEST_P(InvoiceTest, PaperAgreesWithTheScreenOnEveryDemoTicket)
{
    ASSERT_TRUE(DemoShop::Fill());
    const auto tickets = Database::GetRS(QStringLiteral("select id, TaxExempt from sales order by id"));
    ASSERT_TRUE(tickets);
    ASSERT_GE(tickets->rowCount(), 9);
    for (int r = 0; r < tickets->rowCount(); ++r) {
        const int id = tickets->value(r, QStringLiteral("id")).toInt();
        SCOPED_TRACE(id);
        const auto input = ReadTicketInput(id, tickets->value(r, QStringLiteral("TaxExempt")));
        ASSERT_TRUE(input);
        const TicketFigures screen = ComputeTicketFigures(*input);
        const QString text = render(id);
        EXPECT_EQ(valueAfter(text, QStringLiteral("Parts:")), screen.parts.format0());
        EXPECT_EQ(valueAfter(text, QStringLiteral("Labor:")), screen.labor.format0());
        EXPECT_EQ(valueAfter(text, QStringLiteral("Shop Fee:")), screen.shopFee.format0());
        EXPECT_EQ(valueAfter(text, QStringLiteral("Sub-Total:")),
                  (screen.labor + screen.shopFee + screen.parts).format0());
        EXPECT_EQ(valueAfter(text, QStringLiteral("Tax (8.25%):")), screen.tax.format0());
        EXPECT_EQ(valueAfter(text, QStringLiteral("Total:")), screen.total.format0());
        EXPECT_EQ(valueAfter(text, QStringLiteral("Total Payments:")), (-screen.payments).format0());
        EXPECT_EQ(valueAfter(text, QStringLiteral("Balance:")), screen.changeDue.format0());
    }
}

TEST_P(InvoiceTest, TicketZeroOrWithoutCustomerPrintsNothing)
{
    CapturingPresenter presenter;
    EXPECT_EQ(Printbill(0).status, ReportResult::Status::NoDocument);
    const int orphan = SeedData::ticket(9999);
    EXPECT_EQ(Printbill(orphan).status, ReportResult::Status::NoDocument);
    EXPECT_EQ(presenter.setups, 0);
    EXPECT_TRUE(presenter.previews.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(InvoiceTest, ANewShopPrintsWithoutLogoNoticeOrAnybodysAddress)
{
    // A new shop: nothing in its data folder, nothing in its settings.
    becomeNewShop();
    const int id = ticket();
    QString text = render(id);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Customer Invoice #A%1").arg(id, 4, 10, QLatin1Char('0'))));
    EXPECT_TRUE(text.contains(QStringLiteral("Balance:")));
    for (const QString &demoLine : DemoLetterhead::lines())
        EXPECT_FALSE(text.contains(demoLine)) << demoLine.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Thank you for your business")));

    // The name alone until the lines are set, then the lines.
    ShopLetterhead::save(QStringLiteral("Ridge Car Audio"), QString(), QString(), QString());
    text = render(id);
    EXPECT_TRUE(text.contains(QStringLiteral("Ridge Car Audio")));
    ShopLetterhead::save(QStringLiteral("Ridge Car Audio"), QStringLiteral("12 Main Street"),
                         QStringLiteral("Portland, OR 97201"), QStringLiteral("(503) 555-0100"));
    text = render(id);
    EXPECT_TRUE(text.contains(QStringLiteral("12 Main Street")));
    EXPECT_TRUE(text.contains(QStringLiteral("Portland, OR 97201")));
    EXPECT_TRUE(text.contains(QStringLiteral("(503) 555-0100")));

    // A logo that is there but damaged is said, naming the file.
    {
        QFile logo(ShopLetterhead::logoPath());
        ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
        logo.write("not a picture");
    }
    const QString path = dir.filePath(QStringLiteral("stopped.pdf"));
    EXPECT_EQ(Printbill(id, ReportOutput::pdf(path)).status, ReportResult::Status::Failed);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Printbill: "))) << prompts.messages[0].toStdString();
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("logo.jpg")));
    EXPECT_FALSE(QFileInfo::exists(path));
    QFile::remove(ShopLetterhead::logoPath());
    provideLetterheadFiles();
}

TEST_P(InvoiceTest, TheNoticeIsFoundWhateverTheCaseOfItsName)
{
    const QString notice = ReceiptNotice::filePath();
    const QString lower = QFileInfo(notice).dir().filePath(QStringLiteral("receiptnotice.txt"));
    ASSERT_TRUE(QFile::rename(notice, lower));
    ASSERT_TRUE(ReceiptNotice::save(QStringLiteral("Line one\nLine two")));
    const QString text = render(ticket());
    QFile::remove(ReceiptNotice::filePath());
    EXPECT_TRUE(text.contains(QStringLiteral("Line one")));
    EXPECT_TRUE(text.contains(QStringLiteral("Line two")));
}

INSTANTIATE_TEST_SUITE_P(Engines, InvoiceTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

TEST(DemoLetterhead, WritesWhatIsMissingAndNeverReplacesTheShopsOwn)
{
    const QDir folder(AppPaths::programFolder());
    QFile::remove(AppPaths::programFile(QStringLiteral("logo.jpg")));
    QFile::remove(ReceiptNotice::filePath());
    ASSERT_TRUE(DemoLetterhead::ensureFiles());
    const QImage logo(AppPaths::programFile(QStringLiteral("logo.jpg")));
    EXPECT_EQ(logo.size(), QSize(1200, 300));
    EXPECT_EQ(ReceiptNotice::lines().first(), QStringLiteral("Thank you for your business!"));

    ASSERT_TRUE(ReceiptNotice::save(QStringLiteral("Our own notice")));
    QFile::remove(AppPaths::programFile(QStringLiteral("logo.jpg")));
    QImage own(40, 10, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(folder.filePath(QStringLiteral("Logo.JPG")), "JPG"));
    ASSERT_TRUE(DemoLetterhead::ensureFiles());
    EXPECT_EQ(QImage(AppPaths::programFile(QStringLiteral("logo.jpg"))).size(), QSize(40, 10));
    EXPECT_EQ(ReceiptNotice::lines(), QStringList{QStringLiteral("Our own notice")});
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("logo.jpg"))));
    QFile::remove(folder.filePath(QStringLiteral("Logo.JPG")));
    QFile::remove(ReceiptNotice::filePath());
}
