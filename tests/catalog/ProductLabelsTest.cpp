// Bar-code labels by the sheet: where the labels of a sheet lie, which codes
// fit, and whole sheets printed to a PDF, rasterised at the resolutions of
// label and office printers and read back label by label with zbarimg.
#include "catalog/ProductLabels.h"
#include "catalog/modBarCode.h"
#include "data/Database.h"
#include "print/PageOps.h"
#include "print/PrintPresenter.h"
#include "tests/catalog/CatalogFixtures.h"
#include "tests/catalog/LabelCapture.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ProductLabels::Choice;
using ProductLabels::Count;

// The printable area of the page the tests print on: Letter with
// quarter-inch margins.
const QRectF kPaper(0, 0, 8.5, 11);
const QRectF kPrintable(0.25, 0.25, 8.0, 10.5);

LabelSheet sheet(const char *name)
{
    const std::optional<LabelSheet> s = LabelSheet::Named(QLatin1String(name));
    EXPECT_TRUE(s) << name;
    return s.value_or(LabelSheet());
}

double barRoom(const LabelSheet &s)
{
    return ProductLabels::BarRoom(ProductLabels::Areas(s, kPaper, kPrintable));
}

// What zbarimg reads in an image ("" when it finds nothing), each code on a
// line of its own.
QString readCodes(const QImage &image, const QString &file)
{
    if (!image.save(file))
        return QStringLiteral("<image not saved>");
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), file});
    if (!zbar.waitForFinished(30000))
        return QStringLiteral("<zbarimg did not finish>");
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

// The pages of a PDF as pdftoppm draws them at a resolution.
QList<QImage> rasterise(const QString &pdf, int dpi, const QString &base)
{
    QProcess raster;
    raster.start(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"), pdf, base});
    if (!raster.waitForFinished(120000) || raster.exitCode() != 0)
        return {};
    QList<QImage> pages;
    for (int page = 1;; ++page) {
        // pdftoppm numbers its files with as many digits as the last page needs.
        QImage image(base + QStringLiteral("-%1.png").arg(page));
        if (image.isNull())
            image.load(base + QStringLiteral("-%1.png").arg(page, 2, 10, QLatin1Char('0')));
        if (image.isNull())
            break;
        pages.append(image);
    }
    return pages;
}

QRect pixels(const QRectF &inches, int dpi)
{
    return QRectF(inches.left() * dpi, inches.top() * dpi, inches.width() * dpi, inches.height() * dpi).toAlignedRect();
}

// The pixels of a page darker than paper that lie outside every given area
// (a pixel of anti-aliasing grace around each).
int darkOutside(const QImage &page, const QList<QRectF> &areas, int dpi)
{
    QList<QRect> allowed;
    for (const QRectF &a : areas)
        allowed.append(pixels(a, dpi).adjusted(-1, -1, 1, 1));
    int outside = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) > 235)
                continue;
            const bool inside = std::any_of(allowed.cbegin(), allowed.cend(),
                                            [x, y](const QRect &r) { return r.contains(x, y); });
            outside += inside ? 0 : 1;
        }
    }
    return outside;
}

bool blank(const QImage &page, const QRect &area)
{
    for (int y = std::max(0, area.top()); y <= std::min(page.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(page.width() - 1, area.right()); ++x) {
            if (qGray(page.pixel(x, y)) <= 235)
                return false;
        }
    }
    return true;
}

// The extent of a recorded operation, in inches from the paper's corner.
QRectF extentOnPaper(const PageOperation &operation)
{
    QRectF r;
    if (const auto *text = std::get_if<PageOp::Text>(&operation))
        r = QRectF(text->position, QSizeF(text->width, text->height));
    else if (const auto *box = std::get_if<PageOp::Box>(&operation))
        r = box->rect;
    return r.translated(kPrintable.topLeft());
}

// A code of n characters, different for each i.
QString codeOf(int i, int n)
{
    QString code = QStringLiteral("L%1-").arg(i, 2, 10, QLatin1Char('0'));
    const QString fill = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    while (code.size() < n)
        code.append(fill.at((i * 7 + code.size()) % fill.size()));
    return code.left(n);
}

void setOnHand(int id, double qoh)
{
    Database::Execute(QStringLiteral("update product set qoh = ? where id = ?"), {qoh, id});
}

TEST(LabelSheets, TheSheetsLieOnLetterPaperWithoutOverlap)
{
    const LabelSheet s5160 = sheet("5160");
    EXPECT_EQ(s5160.Count(), 30);
    EXPECT_EQ(s5160.Cell(1), QRectF(0.1875, 0.5, 2.625, 1.0));
    EXPECT_EQ(s5160.Cell(2), QRectF(0.1875 + 2.75, 0.5, 2.625, 1.0));
    EXPECT_EQ(s5160.Cell(4), QRectF(0.1875, 1.5, 2.625, 1.0));
    EXPECT_EQ(s5160.Cell(30), QRectF(0.1875 + 5.5, 9.5, 2.625, 1.0));
    const LabelSheet s5163 = sheet("5163");
    EXPECT_EQ(s5163.Count(), 10);
    EXPECT_EQ(s5163.Cell(1), QRectF(0.15625, 0.5, 4.0, 2.0));
    EXPECT_EQ(s5163.Cell(10), QRectF(0.15625 + 4.1875, 8.5, 4.0, 2.0));
    for (const LabelSheet &s : LabelSheet::All()) {
        for (int a = 1; a <= s.Count(); ++a) {
            EXPECT_TRUE(kPaper.contains(s.Cell(a))) << s.name.toStdString() << " " << a;
            EXPECT_TRUE(kPrintable.contains(s.ContentArea(a))) << s.name.toStdString() << " " << a;
            for (int b = a + 1; b <= s.Count(); ++b)
                EXPECT_FALSE(s.Cell(a).intersects(s.Cell(b))) << s.name.toStdString() << " " << a << "/" << b;
        }
    }
    EXPECT_FALSE(LabelSheet::Named(QStringLiteral("5999")));
    EXPECT_TRUE(ProductLabels::Areas(s5160, QRectF(0, 0, 8.27, 11.69), QRectF(0.25, 0.25, 7.77, 11.19)).isEmpty())
        << "an A4 page is too narrow for a Letter sheet";
}

TEST(LabelModule, TheModuleIsAsWideAsTheLabelAllowsButNeverUnderTheNarrowestAScannerReads)
{
    const double room = barRoom(sheet("5160"));
    const QString shortCode = modBarCode::CompleteCode(QStringLiteral("AB1"));
    EXPECT_DOUBLE_EQ(ProductLabels::ModuleFor(shortCode, room).value_or(0), ProductLabels::kMaximumModule);
    const int longest = ProductLabels::LongestCode(room);
    EXPECT_EQ(longest, 17);
    const QString fits = modBarCode::CompleteCode(QString(longest, QLatin1Char('7')));
    const std::optional<double> module = ProductLabels::ModuleFor(fits, room);
    ASSERT_TRUE(module);
    EXPECT_GE(*module, ProductLabels::kMinimumModule);
    EXPECT_LE(double(modBarCode::Modules(fits).size() + 2 * ProductLabels::kQuietModules) * *module, room + 1e-9);
    EXPECT_FALSE(ProductLabels::ModuleFor(modBarCode::CompleteCode(QString(longest + 1, QLatin1Char('7'))), room));
    EXPECT_EQ(ProductLabels::LongestCode(barRoom(sheet("5163"))), 28);
}

class ProductLabelsTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }

    // Products with codes from 3 characters up to the longest the sheet
    // takes, and descriptions too long for a label.
    QList<int> addProducts(const LabelSheet &s, int count)
    {
        const int longest = ProductLabels::LongestCode(barRoom(s));
        QList<int> ids;
        for (int i = 0; i < count; ++i) {
            const int length = 3 + (longest - 3) * i / std::max(1, count - 1);
            codes.append(codeOf(i, length));
            ids.append(CatalogFixtures::AddProduct(
                QStringLiteral("Security"), QStringLiteral("RS-%1W-LONGMODELNUMBER").arg(i),
                QStringLiteral("Two-way remote start with a long range and a description that runs on %1").arg(i),
                1234.5 + i, 1, codes.last()));
        }
        return ids;
    }

    std::shared_ptr<const RecordedDocument> printed(const QList<int> &ids, const Choice &choice)
    {
        LabelCapture capture;
        const std::optional<QList<ProductLabels::Product>> products = ProductLabels::Read(ids);
        EXPECT_TRUE(products);
        const ReportResult result = ProductLabels::PrintLabels(products.value_or(QList<ProductLabels::Product>()),
                                                               choice, ReportOutput::preview());
        EXPECT_TRUE(result.done()) << result.error.toStdString();
        return capture.document;
    }

    RecordingPrompts prompts;
    QTemporaryDir dir;
    QStringList codes;
};

TEST_P(ProductLabelsTest, EveryLabelOfAFullSheetReadsBackAt203And300DpiAndStaysInItsCell)
{
    for (const char *name : {"5160", "5163"}) {
        const LabelSheet s = sheet(name);
        codes.clear();
        const QList<int> ids = addProducts(s, s.Count());
        const auto doc = printed(ids, Choice{s, 1, Count::One});
        ASSERT_TRUE(doc);
        ASSERT_EQ(doc->pages.size(), 1) << name;
        EXPECT_EQ(doc->title, QStringLiteral("Labels %1").arg(QLatin1String(name)));

        // Every text and bar lies inside its label's content area.
        QList<QRectF> areas;
        for (int a = 1; a <= s.Count(); ++a)
            areas.append(s.ContentArea(a));
        int drawn = 0;
        for (const PageOperation &op : doc->pages[0].operations) {
            const QRectF extent = extentOnPaper(op);
            const bool inside = std::any_of(areas.cbegin(), areas.cend(), [&extent](const QRectF &a) {
                return a.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(extent);
            });
            EXPECT_TRUE(inside) << name << ": " << extent.x() << "," << extent.y() << " " << extent.width() << "x"
                                << extent.height();
            ++drawn;
        }
        EXPECT_GT(drawn, 0);
        // The description is cut, the rest whole.
        const QStringList texts = doc->pages[0].textStrings();
        EXPECT_TRUE(texts.contains(QStringLiteral("$1234.50"))) << texts.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(texts.contains(codes.first()));
        EXPECT_FALSE(texts.filter(QStringLiteral("Two-way remote")).isEmpty());
        EXPECT_TRUE(texts.filter(QStringLiteral("runs on 0")).isEmpty()) << "the description is cut to fit";

        const QString pdf = dir.filePath(QStringLiteral("sheet%1.pdf").arg(QLatin1String(name)));
        QString error;
        ASSERT_TRUE(doc->writePdf(pdf, &error)) << error.toStdString();
        for (const int dpi : {203, 300}) {
            const QList<QImage> pages = rasterise(
                pdf, dpi, dir.filePath(QStringLiteral("p%1-%2").arg(QLatin1String(name)).arg(dpi)));
            ASSERT_EQ(pages.size(), 1) << name << " at " << dpi;
            EXPECT_EQ(darkOutside(pages[0], areas, dpi), 0) << name << " at " << dpi << " dpi";
            for (int a = 1; a <= s.Count(); ++a) {
                const QImage cell = pages[0].copy(pixels(s.Cell(a), dpi));
                EXPECT_EQ(readCodes(cell, dir.filePath(QStringLiteral("cell.png"))), codes[a - 1])
                    << name << " label " << a << " at " << dpi << " dpi";
            }
        }
    }
}

TEST_P(ProductLabelsTest, ACodeTooLongForTheLabelIsRefusedNamingItsProductAndNothingIsPrinted)
{
    const LabelSheet s = sheet("5160");
    const int longest = ProductLabels::LongestCode(barRoom(s));
    const int fits = CatalogFixtures::AddProduct(QStringLiteral("Audio"), QStringLiteral("SD-150"),
                                                 QStringLiteral("CD receiver"), 99, 1,
                                                 QString(longest, QLatin1Char('A')));
    const int tooLong = CatalogFixtures::AddProduct(QStringLiteral("Security"), QStringLiteral("RS-2W"),
                                                    QStringLiteral("Two-way remote start"), 199, 1,
                                                    QString(longest + 1, QLatin1Char('B')));
    LabelCapture capture;
    const QString pdf = dir.filePath(QStringLiteral("never.pdf"));
    const ReportResult result = ProductLabels::PrintLabels(*ProductLabels::Read({fits, tooLong}),
                                                           Choice{s, 1, Count::One}, ReportOutput::pdf(pdf));
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("The bar code \"%1\" of Two-way remote start [ RS-2W ] is too long "
                             "for a 5160 label: 17 characters fit at most. No labels were "
                             "printed.")
                  .arg(QString(longest + 1, QLatin1Char('B'))));
    EXPECT_EQ(prompts.titles.last(), QStringLiteral("Labels"));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(capture.previews, 0);

    // A product without a bar code, or with a character Code 39 lacks.
    const int none = CatalogFixtures::AddProduct(QStringLiteral("Audio"), QString(), QStringLiteral("Speaker wire"), 9,
                                                 1, QString());
    const int hash = CatalogFixtures::AddProduct(QStringLiteral("Audio"), QStringLiteral("AMP#4"),
                                                 QStringLiteral("Amplifier"), 9, 1, QStringLiteral("AMP#4"));
    ProductLabels::PrintLabels(*ProductLabels::Read({fits, none}), Choice{s, 1, Count::One}, ReportOutput::pdf(pdf));
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("Speaker wire has no bar code to put on a label. No labels were "
                             "printed."));
    ProductLabels::PrintLabels(*ProductLabels::Read({hash}), Choice{s, 1, Count::One}, ReportOutput::pdf(pdf));
    EXPECT_TRUE(prompts.lastMessage().startsWith(
        QStringLiteral("Amplifier [ AMP#4 ]: Code 39 cannot show \"#\" of the bar code \"AMP#4\".")))
        << prompts.lastMessage().toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_P(ProductLabelsTest, EveryProductsLabelsLeaveOutThoseWithoutABarCodeAndSayWhich)
{
    const LabelSheet s = sheet("5160");
    QList<int> ids = addProducts(s, 2);
    ids.insert(1,
               CatalogFixtures::AddProduct(QStringLiteral("Audio"), QString(), QStringLiteral("Speaker wire"), 9, 1,
                                           QString()));
    ids << CatalogFixtures::AddProduct(QStringLiteral("Audio"), QStringLiteral("SW-10"), QStringLiteral("Subwoofer"),
                                       90, 2, QString());
    const auto products = ProductLabels::Read(ids);
    ASSERT_TRUE(products);

    // Every product: the two with a bar code are printed, then the others are named.
    LabelCapture capture;
    const ReportResult every = ProductLabels::PrintEveryLabel(*products, Choice{s, 1, Count::One},
                                                              ReportOutput::preview());
    ASSERT_TRUE(every.done()) << every.error.toStdString();
    ASSERT_EQ(capture.previews, 1);
    const QStringList texts = capture.document->pages[0].textStrings();
    EXPECT_TRUE(texts.contains(codes[0]) && texts.contains(codes[1]));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("2 products have no bar code and got no label: Speaker wire, "
                             "Subwoofer [ SW-10 ]."));
    EXPECT_EQ(prompts.titles.last(), QStringLiteral("Labels"));

    // Picked one by one, the same products are refused, naming the first without one.
    const ReportResult picked = ProductLabels::PrintLabels(*products, Choice{s, 1, Count::One},
                                                           ReportOutput::preview());
    EXPECT_EQ(picked.status, ReportResult::Status::Failed);
    EXPECT_EQ(capture.previews, 1);
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("Speaker wire has no bar code to put on a label. No labels were printed."));

    // Counted by the pieces on hand, a product without any would have had no label: not named.
    setOnHand(ids[1], 0);
    ASSERT_TRUE(
        ProductLabels::PrintEveryLabel(*ProductLabels::Read(ids), Choice{s, 1, Count::OnHand}, ReportOutput::preview())
            .done());
    EXPECT_EQ(capture.previews, 2);
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("1 product has no bar code and got no label: Subwoofer [ SW-10 ]."));

    // None with a bar code: nothing printed, and said so.
    const ReportResult none = ProductLabels::PrintEveryLabel(*ProductLabels::Read({ids[1], ids[3]}),
                                                             Choice{s, 1, Count::One}, ReportOutput::preview());
    EXPECT_EQ(none.status, ReportResult::Status::Failed);
    EXPECT_EQ(capture.previews, 2);
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("2 products have no bar code and got no label: Speaker wire, "
                             "Subwoofer [ SW-10 ]. No labels were printed."));
}

TEST_P(ProductLabelsTest, TheStartPositionLeavesTheEarlierLabelsOfAHalfUsedSheetEmpty)
{
    const LabelSheet s = sheet("5160");
    const QList<int> ids = addProducts(s, 3);
    // Two on hand, one and a half, none: three labels.
    setOnHand(ids[0], 2);
    setOnHand(ids[1], 1.5);
    setOnHand(ids[2], 0);
    const auto doc = printed(ids, Choice{s, 7, Count::OnHand});
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pages.size(), 1);
    const QString pdf = dir.filePath(QStringLiteral("start.pdf"));
    ASSERT_TRUE(doc->writePdf(pdf));
    const QList<QImage> pages = rasterise(pdf, 203, dir.filePath(QStringLiteral("start")));
    ASSERT_EQ(pages.size(), 1);
    const QStringList expected = {codes[0], codes[0], codes[1]};
    for (int a = 1; a <= s.Count(); ++a) {
        const QRect cell = pixels(s.Cell(a), 203);
        if (a >= 7 && a <= 9)
            EXPECT_EQ(readCodes(pages[0].copy(cell), dir.filePath(QStringLiteral("c.png"))), expected[a - 7]) << a;
        else
            EXPECT_TRUE(blank(pages[0], cell)) << "label " << a << " stays empty";
    }

    // Started near the end of a sheet, the run goes on at the top of the next.
    const auto two = printed(ids, Choice{s, 29, Count::One});
    ASSERT_TRUE(two);
    ASSERT_EQ(two->pages.size(), 2);
    const auto codesOn = [](const RecordedPage &page, const QStringList &all) {
        QStringList found;
        for (const QString &t : page.textStrings()) {
            if (all.contains(t))
                found << t;
        }
        return found;
    };
    EXPECT_EQ(codesOn(two->pages[0], codes), (QStringList{codes[0], codes[1]}));
    EXPECT_EQ(codesOn(two->pages[1], codes), (QStringList{codes[2]}));
    const auto top = two->pages[1].findText(codes[2]);
    ASSERT_TRUE(top);
    EXPECT_TRUE(s.Cell(1).contains(top->position + kPrintable.topLeft()));

    // Nothing on hand: no document.
    LabelCapture capture;
    EXPECT_EQ(
        ProductLabels::PrintLabels(*ProductLabels::Read({ids[2]}), Choice{s, 1, Count::OnHand}, ReportOutput::preview())
            .status,
        ReportResult::Status::NoDocument);
    EXPECT_EQ(capture.previews, 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// A printer setup whose user turns the page.
class LandscapeSetup final : public PrintPresenter
{
public:
    LandscapeSetup() { SetPrintPresenter(this); }
    ~LandscapeSetup() override { SetPrintPresenter(nullptr); }
    PrintSetupChoice showPrinterSetup(int) override { return PrintSetupChoice::preview(2); }
    void showPreview(std::shared_ptr<const RecordedDocument>, bool, QObject *) override { ++previews; }
    int previews = 0;
};

TEST_P(ProductLabelsTest, ASheetTurnedInThePrinterSetupIsRefusedAndNothingIsShown)
{
    const LabelSheet s = sheet("5163");
    const QList<int> ids = addProducts(s, 2);
    LandscapeSetup setup;
    const ReportResult result = ProductLabels::PrintLabels(*ProductLabels::Read(ids), Choice{s, 1, Count::One},
                                                           ReportOutput::interactive());
    EXPECT_EQ(result.status, ReportResult::Status::Failed);
    EXPECT_EQ(setup.previews, 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("PrintLabels: The labels of a 5163 sheet do not fit on the "
                             "printer's paper (11 x 8.5 inches): label sheets are Letter "
                             "paper, printed upright."));
}

INSTANTIATE_TEST_SUITE_P(Engines, ProductLabelsTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
