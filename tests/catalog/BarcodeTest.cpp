// Code 39: the pattern table against the symbology's own bar/space table,
// completion of codes, the picture and the printed label, and labels that a
// bar-code reader (zbarimg) reads back from the preview page and from a PDF.
#include "catalog/modBarCode.h"
#include "print/PageImageStore.h"
#include "print/PageImageSurface.h"
#include "print/PagePainter.h"
#include "tests/catalog/CatalogFixtures.h"
#include "tests/catalog/LabelCapture.h"
#include "tests/support/RecordingPrompts.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The characters of Code 39 with their nine elements (bar, space, bar, …,
// bar), w for wide and n for narrow, as the symbology lists them.
const struct
{
    char character;
    const char *elements;
} kStandard[] = {
    {'0', "nnnwwnwnn"}, {'1', "wnnwnnnnw"}, {'2', "nnwwnnnnw"}, {'3', "wnwwnnnnn"}, {'4', "nnnwwnnnw"},
    {'5', "wnnwwnnnn"}, {'6', "nnwwwnnnn"}, {'7', "nnnwnnwnw"}, {'8', "wnnwnnwnn"}, {'9', "nnwwnnwnn"},
    {'A', "wnnnnwnnw"}, {'B', "nnwnnwnnw"}, {'C', "wnwnnwnnn"}, {'D', "nnnnwwnnw"}, {'E', "wnnnwwnnn"},
    {'F', "nnwnwwnnn"}, {'G', "nnnnnwwnw"}, {'H', "wnnnnwwnn"}, {'I', "nnwnnwwnn"}, {'J', "nnnnwwwnn"},
    {'K', "wnnnnnnww"}, {'L', "nnwnnnnww"}, {'M', "wnwnnnnwn"}, {'N', "nnnnwnnww"}, {'O', "wnnnwnnwn"},
    {'P', "nnwnwnnwn"}, {'Q', "nnnnnnwww"}, {'R', "wnnnnnwwn"}, {'S', "nnwnnnwwn"}, {'T', "nnnnwnwwn"},
    {'U', "wwnnnnnnw"}, {'V', "nwwnnnnnw"}, {'W', "wwwnnnnnn"}, {'X', "nwnnwnnnw"}, {'Y', "wwnnwnnnn"},
    {'Z', "nwwnwnnnn"}, {'-', "nwnnnnwnw"}, {'.', "wwnnnnwnn"}, {' ', "nwwnnnwnn"}, {'*', "nwnnwnwnn"},
    {'$', "nwnwnwnnn"}, {'/', "nwnwnnnwn"}, {'+', "nwnnnwnwn"}, {'%', "nnnwnwnwn"},
};

// The 16 modules of a character from its elements: wide 3, narrow 1, then
// the light gap.
std::vector<bool> standardModules(const char *elements)
{
    std::vector<bool> modules;
    for (int i = 0; i < 9; ++i)
        modules.insert(modules.end(), elements[i] == 'w' ? 3 : 1, i % 2 == 0);
    modules.push_back(false);
    return modules;
}

quint16 standardPattern(const char *elements)
{
    quint16 value = 0;
    for (const bool dark : standardModules(elements))
        value = quint16((value << 1) | (dark ? 1 : 0));
    return value;
}

const char *elementsOf(char c)
{
    for (const auto &s : kStandard) {
        if (s.character == c)
            return s.elements;
    }
    return nullptr;
}

// What zbarimg reads in an image file ("" when it finds nothing).
QString readBarcode(const QString &imageFile)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), imageFile});
    if (!zbar.waitForFinished(30000))
        return QStringLiteral("<zbarimg did not finish>");
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

std::shared_ptr<const RecordedDocument> printLabel(QString code, const QString &caption)
{
    LabelCapture capture;
    modBarCode::PrintBarcodeLabel(code, caption);
    return capture.document;
}

// The bar area of a picture (without the caption line).
QImage barsOf(const QImage &picture)
{
    return picture.copy(0, int(picture.height() * 0.2), picture.width(), int(picture.height() * 0.6) - 1);
}

} // namespace

TEST(Code39Patterns, EveryCharacterMatchesTheSymbologyAndTheThreeKnownValues)
{
    const QString set = modBarCode::CharacterSet();
    ASSERT_EQ(set.size(), 44);
    EXPECT_EQ(set, QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*"));
    for (const QChar c : set) {
        const char *elements = elementsOf(char(c.unicode()));
        ASSERT_NE(elements, nullptr) << c.toLatin1();
        EXPECT_EQ(modBarCode::PatternOf(c), standardPattern(elements)) << "character " << c.toLatin1();
    }
    EXPECT_EQ(modBarCode::PatternOf(QLatin1Char('0')), 41914);
    EXPECT_EQ(modBarCode::PatternOf(QLatin1Char('*')), 35770);
    EXPECT_EQ(modBarCode::PatternOf(QLatin1Char(' ')), 36538);
}

TEST(Code39Patterns, AWholeCodeIsItsCharactersModulesInOrder)
{
    const QString code = QStringLiteral("*TESS-42*");
    std::vector<bool> expected;
    for (const QChar c : code) {
        const std::vector<bool> m = standardModules(elementsOf(char(c.unicode())));
        expected.insert(expected.end(), m.begin(), m.end());
    }
    EXPECT_EQ(modBarCode::Modules(code), expected);
    // The start character written out: bar, wide space, bar, space, wide
    // bar, space, wide bar, space, bar, gap.
    const std::vector<bool> start = modBarCode::Modules(QStringLiteral("*"));
    QString bits;
    for (const bool b : start)
        bits += b ? QLatin1Char('1') : QLatin1Char('0');
    EXPECT_EQ(bits, QStringLiteral("1000101110111010"));
}

TEST(Code39Patterns, CharactersOutsideTheSetAreDrawnAsTheBlank)
{
    EXPECT_EQ(modBarCode::PatternOf(QLatin1Char('#')), 36538);
    EXPECT_EQ(modBarCode::PatternOf(QLatin1Char('a')), 36538);
    EXPECT_EQ(modBarCode::PatternOf(QChar(0x00E9)), 36538);
    EXPECT_EQ(modBarCode::Modules(QStringLiteral("*A#B*")), modBarCode::Modules(QStringLiteral("*A B*")));
}

TEST(Code39Completion, StarsAreAddedOnceAndTheCodeIsUpperCased)
{
    EXPECT_EQ(modBarCode::CompleteCode(QStringLiteral("abc-12")), QStringLiteral("*ABC-12*"));
    EXPECT_EQ(modBarCode::CompleteCode(QStringLiteral("*AB12*")), QStringLiteral("*AB12*"));
    EXPECT_EQ(modBarCode::CompleteCode(QStringLiteral("*ab")), QStringLiteral("*AB*"));
    EXPECT_EQ(modBarCode::CompleteCode(QStringLiteral("ab*")), QStringLiteral("*AB*"));
    EXPECT_EQ(modBarCode::CompleteCode(QString()), QStringLiteral("**"));
    for (const char *stars : {"*", "**", "***", "*****"})
        EXPECT_EQ(modBarCode::CompleteCode(QLatin1String(stars)), QStringLiteral("**")) << stars;
    EXPECT_EQ(modBarCode::CodeText(QStringLiteral("**")), QString());
    EXPECT_EQ(modBarCode::CodeText(QStringLiteral("*AB*")), QStringLiteral("AB"));
    EXPECT_EQ(modBarCode::CodeText(QStringLiteral("*")), QString());
}

TEST(Code39Picture, ModulesAreTwoPixelsFromAFifthToFourFifthsOfTheHeight)
{
    QString code = QStringLiteral("a1");
    const QImage picture = modBarCode::DrawBarcode(code, QSize(400, 100), QStringLiteral("caption"));
    EXPECT_EQ(code, QStringLiteral("*A1*"));
    const std::vector<bool> modules = modBarCode::Modules(code);
    for (size_t i = 0; i < modules.size(); ++i) {
        const int x = 7 + int(i) * 2;
        for (const int dx : {0, 1}) {
            EXPECT_EQ(qGray(picture.pixel(x + dx, 50)) < 128, bool(modules[i])) << "module " << i;
        }
    }
    EXPECT_GT(qGray(picture.pixel(7, 19)), 128); // above the bars
    EXPECT_LT(qGray(picture.pixel(7, 20)), 128); // the start bar begins at 20 %
    EXPECT_LT(qGray(picture.pixel(7, 79)), 128);
    EXPECT_GT(qGray(picture.pixel(7, 80)), 128); // and ends at 80 %

    QString upper = QStringLiteral("A1");
    EXPECT_EQ(barsOf(modBarCode::DrawBarcode(upper, QSize(400, 100), QString())), barsOf(picture));
}

// Whether a picture has a bar: a dark column running from 20 % to 80 % of
// its height.
bool hasABar(const QImage &picture)
{
    for (int x = 0; x < picture.width(); ++x) {
        bool dark = true;
        for (int y = int(picture.height() * 0.2); y < int(picture.height() * 0.8) && dark; ++y)
            dark = qGray(picture.pixel(x, y)) < 128;
        if (dark)
            return true;
    }
    return false;
}

TEST(Code39Picture, ACodeTooLongForThePictureOrWithForeignCharactersDrawsNoBars)
{
    QString code = QString(200, QLatin1Char('W'));
    const QImage picture = modBarCode::DrawBarcode(code, QSize(400, 100), QStringLiteral("long"));
    EXPECT_EQ(picture.size(), QSize(400, 100));
    EXPECT_FALSE(hasABar(picture)) << "no bars cut off at the edge";
    QString fits = modBarCode::CompleteCode(QStringLiteral("AB12"));
    EXPECT_TRUE(hasABar(modBarCode::DrawBarcode(fits, QSize(modBarCode::PictureWidthNeeded(fits), 100), QString())));
    QString hash = QStringLiteral("A#1");
    EXPECT_FALSE(hasABar(modBarCode::DrawBarcode(hash, QSize(400, 100), QString())))
        << "no label that scans as \"A 1\"";
    QString none;
    EXPECT_FALSE(modBarCode::DrawBarcode(none, QSize(0, 0), QString()).isNull());
}

TEST(Code39Refusal, ForeignCharactersAreNamedAndATooLongCodeIsALargeString)
{
    EXPECT_FALSE(modBarCode::CheckCode(QStringLiteral("*AB-12 $/+%.*"), 1000));
    EXPECT_EQ(modBarCode::OutsideCharacters(QStringLiteral("*A#B_#*")), QStringLiteral("#_"));
    EXPECT_EQ(modBarCode::OutsideCharacters(QStringLiteral("*A*B*")), QStringLiteral("*")) << "a star inside";
    const auto foreign = modBarCode::CheckCode(modBarCode::CompleteCode(QStringLiteral("a#b\u00e9")), 1000);
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->text,
              QStringLiteral("Code 39 cannot show \"#\", \"\u00c9\" of the bar code \"A#B\u00c9\". It has "
                             "the digits, the letters A to Z, the blank and - . $ / + %."));
    const auto large = modBarCode::CheckCode(QStringLiteral("*ABCD*"), 6 * 16 - 1);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->title, QStringLiteral("Large string"));
    EXPECT_EQ(large->text, QStringLiteral("The length of the code exceeds control limits."));
    EXPECT_FALSE(modBarCode::CheckCode(QStringLiteral("*ABCD*"), 6 * 16));
}

TEST(Code39Refusal, ALabelThatWouldNotScanAsTypedIsNotPrinted)
{
    RecordingPrompts prompts;
    LabelCapture capture;
    QString foreign = QStringLiteral("RS#2W");
    EXPECT_FALSE(modBarCode::PrintBarcodeLabel(foreign, QStringLiteral("remote")));
    EXPECT_EQ(capture.previews, 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Code 39 cannot show \"#\" of the bar code \"RS#2W\"")))
        << prompts.lastMessage().toStdString();

    // 42 characters of 0.24 inch are wider than any page.
    QString longCode = QString(40, QLatin1Char('7'));
    EXPECT_FALSE(modBarCode::PrintBarcodeLabel(longCode, QStringLiteral("remote")));
    EXPECT_EQ(capture.previews, 0);
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("The length of the code exceeds control limits."));
    EXPECT_EQ(prompts.titles.last(), QStringLiteral("Large string"));

    QString fits = QStringLiteral("012345000017");
    EXPECT_TRUE(modBarCode::PrintBarcodeLabel(fits, QStringLiteral("remote")));
    EXPECT_EQ(capture.previews, 1);
    EXPECT_EQ(prompts.messages.size(), 2);
}

TEST(Code39Label, EachBarIsOneFilledBoxWithoutOutlineAndTheTextFollowsTheBars)
{
    QString code = QStringLiteral("012345000017");
    LabelCapture capture;
    modBarCode::PrintBarcodeLabel(code, QStringLiteral("[ RS-2W ]    Two-way remote start"));
    EXPECT_EQ(code, QStringLiteral("*012345000017*"));
    ASSERT_TRUE(capture.document);
    ASSERT_EQ(capture.document->pages.size(), 1);
    const RecordedPage &page = capture.document->pages[0];

    const std::vector<bool> modules = modBarCode::Modules(code);
    QList<QPair<double, double>> expectedBars; // left, width
    for (size_t i = 0; i < modules.size(); ++i) {
        if (!modules[i])
            continue;
        if (i > 0 && modules[i - 1])
            expectedBars.last().second += 0.015;
        else
            expectedBars.append({0.5 + double(i) * 0.015, 0.015});
    }
    const QList<PageOp::Box> boxes = page.boxes();
    ASSERT_EQ(boxes.size(), expectedBars.size());
    for (int i = 0; i < boxes.size(); ++i) {
        EXPECT_NEAR(boxes[i].rect.left(), expectedBars[i].first, 1e-9);
        EXPECT_NEAR(boxes[i].rect.width(), expectedBars[i].second, 1e-9);
        EXPECT_NEAR(boxes[i].rect.top(), 1.0, 1e-9);
        EXPECT_NEAR(boxes[i].rect.height(), 0.5, 1e-9);
        EXPECT_EQ(boxes[i].fillStyle, 0);
        EXPECT_EQ(boxes[i].fillColor, 0);
        EXPECT_EQ(boxes[i].drawWidth, 0) << "no outline";
    }
    // 14 characters of 0.24 inch: 3.36 inches of bars after the margin.
    EXPECT_NEAR(0.5 + double(modules.size()) * 0.015, 0.5 + 3.36, 1e-9);
    EXPECT_TRUE(page.lines().isEmpty());

    const auto text = page.findText(QStringLiteral("012345000017 - "));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, QStringLiteral("012345000017 - [ RS-2W ]    Two-way remote start"));
    EXPECT_NEAR(text->position.x(), 0.5, 1e-9);
    EXPECT_NEAR(text->position.y(), 1.55, 1e-9);
    EXPECT_EQ(text->font.size, 8);
}

TEST(Code39Label, AnEmptyCodePrintsTheStartAndStopAndTheCaption)
{
    const auto doc = printLabel(QString(), QStringLiteral("[  ]    "));
    ASSERT_TRUE(doc);
    const RecordedPage &page = doc->pages.at(0);
    EXPECT_EQ(page.boxes().size(), 10) << "two stars of five bars";
    EXPECT_EQ(page.textStrings(), (QStringList{QStringLiteral(" - [  ]    ")}));
}

class Code39Scan : public ::testing::TestWithParam<const char *>
{
protected:
    QTemporaryDir dir;
};

// The ink of one pixel row across the bars, in pixels: each pixel counts by
// how dark it is.
double inkAcross(const QImage &page, int y)
{
    double ink = 0;
    for (int x = 0; x < page.width(); ++x)
        ink += (255 - qGray(page.pixel(x, y))) / 255.0;
    return ink;
}

TEST(Code39Label, ABarIsExactlyItsModulesWideAtTheDpiOfLabelPrinters)
{
    QString code = QStringLiteral("012345000017");
    const auto doc = printLabel(code, QString());
    ASSERT_TRUE(doc);
    RecordedPage bars = doc->pages.at(0);
    bars.operations.erase(
        std::remove_if(bars.operations.begin(), bars.operations.end(),
                       [](const PageOperation &o) { return !std::holds_alternative<PageOp::Box>(o); }),
        bars.operations.end());
    int darkModules = 0;
    for (const bool dark : modBarCode::Modules(modBarCode::CompleteCode(code)))
        darkModules += dark ? 1 : 0;
    for (const int dpi : {203, 300, 600}) {
        QImage page(int(4.5 * dpi), int(2 * dpi), QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            PagePainter(painter, dpi).drawPage(bars);
        }
        const double expected = darkModules * modBarCode::ModuleInches * dpi;
        EXPECT_NEAR(inkAcross(page, int(1.25 * dpi)), expected, 0.5) << dpi << " dpi";
    }
}

TEST_P(Code39Scan, TheLabelReadsBackFromThePreviewPageAndFromThePdf)
{
    const QString typed = QString::fromLatin1(GetParam());
    const QString expected = modBarCode::CodeText(modBarCode::CompleteCode(typed));
    const auto doc = printLabel(typed, QStringLiteral("[ RS-2W ]    Two-way remote start"));
    ASSERT_TRUE(doc);

    // The page image the preview shows.
    PageImageStore store(doc);
    const QString previewFile = dir.filePath(QStringLiteral("preview.png"));
    ASSERT_TRUE(store.page(0).save(previewFile));
    EXPECT_EQ(readBarcode(previewFile), expected);

    // The PDF, rasterised at the resolutions of label and office printers.
    const QString pdf = dir.filePath(QStringLiteral("label.pdf"));
    QString error;
    ASSERT_TRUE(doc->writePdf(pdf, &error)) << error.toStdString();
    for (const char *dpi : {"150", "203", "300"}) {
        QProcess raster;
        const QString base = dir.filePath(QStringLiteral("pdf") + QLatin1String(dpi));
        raster.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QLatin1String(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                      pdf, base});
        ASSERT_TRUE(raster.waitForFinished(60000));
        ASSERT_EQ(raster.exitCode(), 0) << raster.readAllStandardError().toStdString();
        EXPECT_EQ(readBarcode(base + QStringLiteral(".png")), expected) << dpi << " dpi";
    }
}

TEST_P(Code39Scan, TheEditorsPictureReadsBackToo)
{
    QString code = modBarCode::CompleteCode(QString::fromLatin1(GetParam()));
    const QImage picture = modBarCode::DrawBarcode(code, QSize(modBarCode::PictureWidthNeeded(code), 100),
                                                   QStringLiteral("caption"));
    const QString file = dir.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(picture.save(file));
    EXPECT_EQ(readBarcode(file), modBarCode::CodeText(code));
}

INSTANTIATE_TEST_SUITE_P(Codes, Code39Scan, ::testing::Values("012345000017", "tess-ly 42", "*AB.$/+%*", "X"),
                         [](const auto &info) { return std::to_string(info.index); });
