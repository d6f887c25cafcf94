// The layout rules of the page recorder, measured with fixed metrics.
#include "tests/print/RecorderFixture.h"

#include "data/Clock.h"

#include <QDateTime>

namespace {

QString repeat(char c, int n)
{
    return QString(n, QLatin1Char(c));
}

} // namespace

using PrintAtCursor = RecorderTest;

TEST_F(PrintAtCursor, PageIsLetterWithQuarterInchMargins)
{
    EXPECT_NEAR_IN(rec->GetPaperWidth(), 8.0);
    EXPECT_NEAR_IN(rec->GetPaperHeight(), 10.5);
    rec->abortDoc();
    rec->setOrientation(2);
    rec->pStartDoc();
    EXPECT_NEAR_IN(rec->GetPaperWidth(), 10.5);
    EXPECT_NEAR_IN(rec->GetPaperHeight(), 8.0);
}

TEST_F(PrintAtCursor, SameLineMovesAlongAndLineEndGoesDownOneLine)
{
    rec->pPrint(QStringLiteral("abc"), 1.0, true);
    EXPECT_NEAR_IN(rec->CurrentX(), 1.3);
    EXPECT_NEAR_IN(rec->CurrentY(), 0);
    rec->pPrint(QStringLiteral("de"));
    EXPECT_NEAR_IN(rec->CurrentX(), 0);
    EXPECT_NEAR_IN(rec->CurrentY(), 0.2);

    const auto t = texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].text, QStringLiteral("abc"));
    EXPECT_NEAR_IN(t[0].position.x(), 1.0);
    EXPECT_EQ(t[1].text, QStringLiteral("de"));
    EXPECT_NEAR_IN(t[1].position.x(), 1.3);
    EXPECT_NEAR_IN(t[1].position.y(), 0);
}

TEST_F(PrintAtCursor, EmptyTextIsABlankLineUnlessSameLine)
{
    rec->setCurrentX(2.0);
    rec->pPrint(QString(), -1, true);
    EXPECT_NEAR_IN(rec->CurrentX(), 2.0);
    EXPECT_NEAR_IN(rec->CurrentY(), 0);
    rec->pPrint();
    EXPECT_NEAR_IN(rec->CurrentX(), 0);
    EXPECT_NEAR_IN(rec->CurrentY(), 0.2);
    EXPECT_TRUE(texts().isEmpty());
}

TEST_F(PrintAtCursor, TextInTheCurrentFontAndColour)
{
    rec->setFontName(QStringLiteral("Times New Roman"));
    rec->setFontSize(12);
    rec->setFontBold(true);
    rec->setForeColor(255);
    rec->pPrint(QStringLiteral("Total"), 0.5);
    const auto t = texts();
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t[0].font.name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(t[0].font.size, 12);
    EXPECT_TRUE(t[0].font.bold);
    EXPECT_EQ(t[0].color, 255);
    EXPECT_NEAR_IN(rec->CurrentY(), 0.24);
}

TEST_F(PrintAtCursor, UnknownFontNameFallsBackToArial)
{
    rec->setFontName(QStringLiteral("No Such Face 123"));
    EXPECT_EQ(rec->FontName(), QStringLiteral("Arial"));
    rec->setFontName(QStringLiteral("Century Gothic"));
    EXPECT_EQ(rec->FontName(), QStringLiteral("Century Gothic"));
}

TEST_F(PrintAtCursor, FontSizeReadsBackAsAWholeNumber)
{
    rec->setFontSize(10.6);
    EXPECT_EQ(rec->FontSize(), 11);
}

using Wrapping = RecorderTest;

TEST_F(Wrapping, TextExactlyPageWideStaysOnOneLine)
{
    rec->pPrint(repeat('x', 80));
    ASSERT_EQ(texts().size(), 1);
    EXPECT_NEAR_IN(rec->CurrentY(), 0.2);
}

TEST_F(Wrapping, OneCharacterMoreIsCutInsideTheWordBeforeWhereItOverflowed)
{
    // Right margin 7.9: the 79th character reaches it, the cut comes one
    // character earlier.
    rec->pPrint(repeat('x', 81));
    const auto t = texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].text, repeat('x', 78));
    EXPECT_EQ(t[1].text, repeat('x', 3));
    EXPECT_NEAR_IN(t[1].position.y(), 0.2);
}

TEST_F(Wrapping, WrapsAfterTheLastBlankThatFits)
{
    rec->pMultiline(QStringLiteral("aaaa bbbb cccc"), 1.0, 1.75);
    EXPECT_EQ(page().textStrings(),
              QStringList({QStringLiteral("aaaa "), QStringLiteral("bbbb "), QStringLiteral("cccc")}));
    for (const auto &t : texts())
        EXPECT_NEAR_IN(t.position.x(), 1.0);
    EXPECT_NEAR_IN(rec->CurrentY(), 0.6);
}

TEST_F(Wrapping, HangingIndentOnLaterLinesOnly)
{
    rec->pMultiline(QStringLiteral("aaaa bbbb cccc dddd"), 0, 0.75, QStringLiteral("   "));
    EXPECT_EQ(page().textStrings(),
              QStringList({QStringLiteral("aaaa "), QStringLiteral("   bbbb "), QStringLiteral("   cccc "),
                           QStringLiteral("   dddd")}));
}

TEST_F(Wrapping, ForcedCutNeverShrinksToNothing)
{
    // An indent wider than the column: every line still takes at least one
    // character, and nothing is lost or repeated.
    rec->pMultiline(QStringLiteral("abcdefgh"), 0, 0.35, QStringLiteral("....."));
    QString joined;
    for (const QString &line : page().textStrings())
        joined += QString(line).remove(QLatin1Char('.'));
    EXPECT_EQ(joined, QStringLiteral("abcdefgh"));
}

TEST_F(Wrapping, EveryKindOfLineEndSplitsLines)
{
    for (const QString &text : {QStringLiteral("a\r\nb"), QStringLiteral("a\nb"), QStringLiteral("a\rb")}) {
        rec->pStartDoc();
        rec->pPrint(text);
        EXPECT_EQ(page().textStrings(), QStringList({QStringLiteral("a"), QStringLiteral("b")}))
            << qPrintable(text.toUtf8().toHex());
        EXPECT_NEAR_IN(rec->CurrentY(), 0.4);
    }
}

TEST_F(Wrapping, LineEndsInsideLongTextKeepTheWrap)
{
    rec->pMultiline(QStringLiteral("one two\nthree four five"), 0, 1.05);
    EXPECT_EQ(page().textStrings(),
              QStringList({QStringLiteral("one two"), QStringLiteral("three four"), QStringLiteral("five")}));
}

TEST_F(Wrapping, SameLineKeepsTheCursorAfterTheLastLine)
{
    rec->pMultiline(QStringLiteral("aaaa bbbb"), 0, 0.75, QString(), true);
    EXPECT_NEAR_IN(rec->CurrentY(), 0.2);
    EXPECT_NEAR_IN(rec->CurrentX(), 0.4);
}

TEST_F(Wrapping, CentredLinesAreCentredBetweenTheMargins)
{
    rec->pCenterMultiline(QStringLiteral("aaaa bbbb"), 1.0, 1.7);
    const auto t = texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].text, QStringLiteral("aaaa"));
    EXPECT_NEAR_IN(t[0].position.x(), 1.15);
    EXPECT_EQ(t[1].text, QStringLiteral("bbbb"));
}

TEST_F(Wrapping, LongTextBreaksPagesWithFooterButNoHeaderWhenUntitled)
{
    QStringList words;
    for (int i = 0; i < 120; ++i)
        words << QStringLiteral("word%1").arg(i, 3, 10, QLatin1Char('0'));
    rec->pMultiline(words.join(QLatin1Char(' ')), 0, 0.95);
    ASSERT_EQ(rec->pageCount(), 3);
    EXPECT_EQ(rec->GetPage(), 3);
    // A page holds lines until the next one would run into the footer room.
    EXPECT_TRUE(page(0).findText(QStringLiteral("Pg. 1")));
    EXPECT_TRUE(page(1).findText(QStringLiteral("Pg. 2")));
    EXPECT_FALSE(page(2).findText(QStringLiteral("Pg. 3")));
    const auto second = texts(1);
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NEAR_IN(second.first().position.y(), 0);
    EXPECT_TRUE(second.first().text.startsWith(QStringLiteral("word")));
    // Nothing lost across the breaks.
    int wordsPrinted = 0;
    for (int p = 0; p < rec->pageCount(); ++p) {
        for (const QString &s : page(p).textStrings())
            wordsPrinted += s.startsWith(QStringLiteral("word")) ? 1 : 0;
    }
    EXPECT_EQ(wordsPrinted, 120);
}

TEST_F(Wrapping, TitledDocumentsRepeatTheHeaderOnNewPages)
{
    rec->setReportTitle(QStringLiteral("Stock List"));
    QString many;
    for (int i = 0; i < 60; ++i)
        many += QStringLiteral("line %1\n").arg(i);
    rec->pPrint(many);
    ASSERT_GE(rec->pageCount(), 2);
    const auto second = texts(1);
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(second.first().text, QStringLiteral("Stock List"));
    EXPECT_NEAR_IN(second.first().position.y(), 0);
}

using PageFurniture = RecorderTest;

TEST_F(PageFurniture, EndOfPageAtItsThreshold)
{
    // One 10-point line (0.2) and two footer lines (0.4) must fit above 10.5.
    rec->setCurrentY(9.89);
    EXPECT_FALSE(rec->pEndOfPage());
    rec->setCurrentY(9.9);
    EXPECT_TRUE(rec->pEndOfPage());
    rec->setCurrentY(9.5);
    EXPECT_TRUE(rec->pEndOfPage(0.4));
    rec->setCurrentY(10.0);
    EXPECT_FALSE(rec->pEndOfPage(0, false));
    rec->setCurrentY(10.1);
    EXPECT_TRUE(rec->pEndOfPage(0, false));
}

TEST_F(PageFurniture, HeaderOnlyOnTitledDocuments)
{
    rec->pHeader();
    EXPECT_TRUE(page().operations.isEmpty());

    rec->setCurrentY(3.0);
    rec->pHeader(QStringLiteral("Daily Sales"), QStringLiteral("All registers"));
    EXPECT_EQ(rec->ReportTitle(), QStringLiteral("Daily Sales"));
    const auto t = texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].text, QStringLiteral("Daily Sales"));
    EXPECT_EQ(t[0].font.name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(t[0].font.size, 16);
    EXPECT_TRUE(t[0].font.bold);
    EXPECT_TRUE(t[0].font.italic);
    EXPECT_NEAR_IN(t[0].position.y(), 0);
    EXPECT_NEAR_IN(t[0].position.x(), (8.0 - 11 * 0.16) / 2);
    EXPECT_EQ(t[1].text, QStringLiteral("All registers"));
    EXPECT_EQ(t[1].font.size, 11);
    EXPECT_FALSE(t[1].font.italic);
    EXPECT_EQ(page().lines().size(), 2);
    // The report's own font comes back.
    EXPECT_EQ(rec->FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(rec->FontSize(), 10);
}

TEST_F(PageFurniture, FooterAtTheBottomWithDateAndPageNumber)
{
    Clock::setFixed(QDateTime(QDate(2026, 7, 7), QTime(15, 4)));
    rec->pNewPage();
    const QString used = rec->pFooter();
    Clock::setFixed(std::nullopt);
    EXPECT_EQ(used, QStringLiteral("Printed: Tue. July 7, 2026 @ 3:04 PM"));
    const auto t = texts(1);
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].text, used);
    EXPECT_NEAR_IN(t[0].position.x(), 0.5);
    EXPECT_NEAR_IN(t[0].position.y(), 10.5 - 0.4 + 0.06);
    EXPECT_EQ(t[1].text, QStringLiteral("Pg. 2"));
    EXPECT_NEAR_IN(t[1].position.x(), 7.5 - 0.5);
    const auto rule = page(1).lines();
    ASSERT_EQ(rule.size(), 1);
    EXPECT_EQ(rule[0].drawWidth, 6);
    EXPECT_NEAR_IN(rule[0].from.y(), 10.13);
    EXPECT_NEAR_IN(rule[0].to.x(), 8.0);
}

TEST_F(PageFurniture, FooterTextGivenBackPrintsTheSameLater)
{
    const QString first = rec->pFooter();
    rec->pNewPage();
    EXPECT_EQ(rec->pFooter(first), first);
    EXPECT_TRUE(page(1).findText(first));
}

TEST_F(PageFurniture, NewPageStartsAtTheTopLeft)
{
    rec->setCurrentX(3.0);
    rec->setCurrentY(7.5);
    rec->pNewPage();
    EXPECT_NEAR_IN(rec->CurrentX(), 0);
    EXPECT_NEAR_IN(rec->CurrentY(), 0);
    EXPECT_EQ(rec->GetPage(), 2);
    rec->pNewPage();
    rec->pEndDoc();
    EXPECT_EQ(rec->pageCount(), 3);
}

TEST_F(PageFurniture, TabsAndJustification)
{
    rec->pRightTab(QStringLiteral("Qty"), 3.0, true);
    rec->pRightTab(QStringLiteral("Total"));
    rec->setCurrentX(2.0);
    rec->pRightJust(QStringLiteral("here"), -1, true);
    rec->pRightJust(QStringLiteral("end"), 5.0);
    const auto t = texts();
    ASSERT_EQ(t.size(), 4);
    EXPECT_NEAR_IN(t[0].position.x(), 8.0 - 3.3);
    EXPECT_NEAR_IN(t[1].position.x(), 8.0 - 0.6);
    EXPECT_NEAR_IN(t[2].position.x(), 2.0);
    EXPECT_NEAR_IN(t[3].position.x(), 4.7);
}

TEST_F(PageFurniture, CentreInAColumn)
{
    EXPECT_NEAR_IN(rec->pCenter(QStringLiteral("abcd"), false, 2.0, 1.0), 2.0);
    EXPECT_NEAR_IN(texts()[0].position.x(), 1.8);
    EXPECT_NEAR_IN(rec->pCenter(QStringLiteral("ab")), 8.0);
}

TEST_F(PageFurniture, RulesKeepTheirGaps)
{
    rec->setCurrentX(1.5);
    rec->setCurrentY(1.0);
    rec->pLine(0.5, 7.5, 2);
    EXPECT_NEAR_IN(rec->CurrentY(), 1.06);
    EXPECT_NEAR_IN(rec->CurrentX(), 1.5);
    EXPECT_EQ(rec->DrawWidth(), 1);
    rec->pDoubleLine();
    EXPECT_NEAR_IN(rec->CurrentY(), 1.06 + 4 * 0.03);
    const auto lines = page().lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_NEAR_IN(lines[0].from.y(), 1.03);
    EXPECT_EQ(lines[0].drawWidth, 2);
    EXPECT_NEAR_IN(lines[1].from.y(), 1.09);
    EXPECT_NEAR_IN(lines[2].from.y(), 1.12);
    EXPECT_NEAR_IN(lines[2].to.x(), 8.0);
}

TEST_F(PageFurniture, SpacingLines)
{
    rec->pHalfSpace();
    EXPECT_NEAR_IN(rec->CurrentY(), 0.1);
    rec->pQuarterSpace();
    EXPECT_NEAR_IN(rec->CurrentY(), 0.14);
    rec->p15Space();
    EXPECT_NEAR_IN(rec->CurrentY(), 0.44);
    EXPECT_EQ(rec->FontSize(), 10);
}

TEST_F(PageFurniture, PrintedDateInNinePoint)
{
    Clock::setFixed(QDateTime(QDate(2026, 1, 5), QTime(9, 30)));
    rec->setFontBold(true);
    rec->pPrintedDate(false, 1.0);
    Clock::setFixed(std::nullopt);
    const auto t = texts();
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t[0].text, QStringLiteral("Printed: Mon. Jan. 5, 2026 @ 9:30 AM"));
    EXPECT_EQ(t[0].font.size, 9);
    EXPECT_FALSE(t[0].font.bold);
    EXPECT_TRUE(rec->FontBold());
}

TEST_F(PageFurniture, MeasuresOfTheCurrentFont)
{
    EXPECT_NEAR_IN(rec->GetTextWidth(QStringLiteral("abcd")), 0.4);
    EXPECT_NEAR_IN(rec->GetTextWidth(QStringLiteral("ab\r\nabcdef")), 0.6);
    EXPECT_NEAR_IN(rec->GetTextHeight(), 0.2);
    EXPECT_NEAR_IN(rec->GetTextHeight(QStringLiteral("a\nb")), 0.4);
}

TEST(TextHelpers, LineBreaksBecomeBlanks)
{
    EXPECT_EQ(clsMultiPgPreview::GetRemoveCRLF(QStringLiteral("a\r\nb")), QStringLiteral("a b"));
    EXPECT_EQ(clsMultiPgPreview::GetRemoveCRLF(QStringLiteral("\nb\nc\rd")), QStringLiteral("b c d"));
    EXPECT_EQ(clsMultiPgPreview::GetStripQuotes(QStringLiteral("\"quoted\"")), QStringLiteral("quoted"));
    EXPECT_EQ(clsMultiPgPreview::GetStripQuotes(QStringLiteral("\"")), QString());
    EXPECT_EQ(clsMultiPgPreview::GetFormalCase(QStringLiteral("mary mcdonald o'brien jr.smith")),
              QStringLiteral("Mary McDonald O'Brien Jr.Smith"));
}
