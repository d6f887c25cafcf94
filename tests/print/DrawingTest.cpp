// Boxes, rules, circles, pictures, fillers and text backgrounds, as the
// recorder records them.
#include "tests/print/RecorderFixture.h"

#include "print/PrintColor.h"

#include <QTemporaryDir>

using Shapes = RecorderTest;

TEST_F(Shapes, BoxWithDefaultsIsAnOutlineOneLineHighAcrossThePage)
{
    rec->setCurrentX(0.5);
    rec->setCurrentY(2.0);
    rec->pBox();
    const auto boxes = page().boxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].rect, QRectF(0.5, 2.0, 8.0, 0.2));
    EXPECT_EQ(boxes[0].fillStyle, 1);
    EXPECT_EQ(boxes[0].lineColor, 0);
    EXPECT_NEAR_IN(rec->CurrentX(), 0.5);
    EXPECT_NEAR_IN(rec->CurrentY(), 2.0);
}

TEST_F(Shapes, BoxKeepsItsFillRules)
{
    // Fill style 1 draws the outline only, whatever fill colour is given;
    // a band of colour asks for style 0.
    rec->pBox(1.0, 0.45, 6.5, 0.25, -1, RGB(220, 220, 220), 1);
    rec->pBox(1.0, 0.45, 6.5, 0.25, -1, RGB(220, 220, 220), 0);
    rec->setForeColor(255);
    rec->pBox(0, 0, 1, 1, -1, -1, 6);
    const auto boxes = page().boxes();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0].fillStyle, 1);
    EXPECT_EQ(boxes[1].fillStyle, 0);
    EXPECT_EQ(boxes[1].fillColor, 14474460);
    EXPECT_EQ(boxes[1].lineColor, 0);
    EXPECT_EQ(boxes[2].fillStyle, 6);
    EXPECT_EQ(boxes[2].fillColor, 255);
}

TEST_F(Shapes, VerticalLineDefaultsToTheFooterRuleAndRestoresTheCursor)
{
    rec->setCurrentX(5.3);
    rec->setCurrentY(1.75);
    rec->setDrawWidth(2);
    rec->pVerticalLine(-1, -1, -1, 6);
    rec->pVerticalLine(9.0, 1.0, 2.0);
    const auto lines = page().lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].from, QPointF(5.3, 1.75));
    EXPECT_NEAR_IN(lines[0].to.y(), 10.5 - 0.4);
    EXPECT_EQ(lines[0].drawWidth, 6);
    EXPECT_NEAR_IN(lines[1].from.x(), 7.99);
    EXPECT_EQ(lines[1].drawWidth, 2);
    EXPECT_EQ(rec->DrawWidth(), 2);
    EXPECT_NEAR_IN(rec->CurrentX(), 5.3);
    EXPECT_NEAR_IN(rec->CurrentY(), 1.75);
}

TEST_F(Shapes, CircleAndEllipseMoveTheCursorToTheCentre)
{
    rec->pCircle(2.0, 3.0, 1.0);
    rec->pCircle(4.0, 5.0, 1.0, 255, -1, 0, 0.5);
    rec->pCircle(6.0, 5.0, 1.0, -1, -1, 1, 2.0);
    const auto e = page().ellipses();
    ASSERT_EQ(e.size(), 3);
    EXPECT_NEAR_IN(e[0].radiusX, 1.0);
    EXPECT_NEAR_IN(e[0].radiusY, 1.0);
    EXPECT_NEAR_IN(e[1].radiusY, 0.5);
    EXPECT_EQ(e[1].fillColor, 255);
    EXPECT_EQ(e[1].fillStyle, 0);
    EXPECT_NEAR_IN(e[2].radiusX, 0.5);
    EXPECT_NEAR_IN(e[2].radiusY, 1.0);
    EXPECT_NEAR_IN(rec->CurrentX(), 6.0);
    EXPECT_NEAR_IN(rec->CurrentY(), 5.0);
}

using Pictures = RecorderTest;

TEST_F(Pictures, LogoKeepsItsProportionsInsideATwoInchSquare)
{
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    rec->setCurrentX(1.0);
    rec->setCurrentY(4.0);
    const auto place = rec->pPrintPicture(logo, 0.2, 0.2, 2.0, 0);
    ASSERT_TRUE(place);
    EXPECT_EQ(*place, QRectF(0.2, 0.2, 2.0, 1.0));
    EXPECT_NEAR_IN(rec->CurrentX(), 1.0);
    EXPECT_NEAR_IN(rec->CurrentY(), 4.0);
    const auto pictures = page().pictures();
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].image.size(), QSize(200, 100));
}

TEST_F(Pictures, TallPictureScaledToFitIsCentredAcross)
{
    QImage tall(100, 400, QImage::Format_RGB32);
    tall.fill(Qt::red);
    const auto place = rec->pPrintPicture(tall);
    ASSERT_TRUE(place);
    EXPECT_NEAR_IN(place->height(), 10.5);
    EXPECT_NEAR_IN(place->width(), 10.5 / 4);
    EXPECT_NEAR_IN(place->left(), (8.0 - 10.5 / 4) / 2);
    EXPECT_NEAR_IN(place->top(), 0);
}

TEST_F(Pictures, StretchedWithoutKeepingProportions)
{
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    const auto place = rec->pPrintPicture(wide, -1, -1, 3.0, 3.0, false, false);
    ASSERT_TRUE(place);
    EXPECT_EQ(*place, QRectF(0, (10.5 - 3.0) / 2, 3.0, 3.0));
}

TEST_F(Pictures, EmptyOrUnreadablePicturesAreSkipped)
{
    QTemporaryDir dir;
    EXPECT_FALSE(rec->pPrintPicture(QImage()));
    EXPECT_FALSE(rec->pPrintPicture(dir.filePath(QStringLiteral("missing.jpg")), 0.2, 0.2, 2.0));
    QFile broken(dir.filePath(QStringLiteral("logo.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    EXPECT_FALSE(rec->pPrintPicture(broken.fileName(), 0.2, 0.2, 2.0));
    EXPECT_TRUE(page().operations.isEmpty());
}

using Fillers = RecorderTest;

TEST_F(Fillers, DotsRunToTheRightMarginOnTheSameLine)
{
    rec->setCurrentX(1.0);
    rec->pDots(3.0);
    const auto t = texts();
    ASSERT_GE(t.size(), 20);
    ASSERT_LE(t.size(), 21);
    for (const auto &dot : t) {
        EXPECT_EQ(dot.text, QStringLiteral("."));
        EXPECT_NEAR_IN(dot.position.y(), 0);
    }
    EXPECT_GE(rec->CurrentX(), 3.0 - 1e-9);
    EXPECT_NEAR_IN(rec->CurrentY(), 0);
}

TEST_F(Fillers, FillersAlwaysEndAtTheEdgeOfThePage)
{
    rec->setCurrentX(7.0);
    rec->pDots(100.0);
    EXPECT_LE(texts().size(), 40);
    rec->pSpaces(-1, 7.95);
    rec->pSpaces(20.0, 7.5, true);
    EXPECT_LE(texts().size(), 80);
}

TEST_F(Fillers, SymbolMarksInGreenThenTheFontComesBack)
{
    rec->setForeColor(RGB(0, 0, 255));
    rec->pSpaces(1.0, 0.5, true);
    const auto t = texts();
    ASSERT_FALSE(t.isEmpty());
    EXPECT_EQ(t[0].color, 65280);
    EXPECT_EQ(t[0].font.name, QStringLiteral("Symbol"));
    EXPECT_EQ(rec->FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(rec->ForeColor(), RGB(0, 0, 255));
}

TEST_F(Fillers, BulletThenTextAfterIt)
{
    rec->setFontBold(true);
    rec->pBullet(0.25);
    rec->pPrint(QStringLiteral("Install"));
    const auto t = texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].text, QString(QChar(0x2022)) + QStringLiteral("  "));
    EXPECT_FALSE(t[0].font.bold);
    EXPECT_NEAR_IN(t[1].position.x(), 0.55);
    EXPECT_TRUE(t[1].font.bold);
}

TEST_F(Fillers, CancelNoticeLeavesTheFontBoldRed)
{
    rec->pCancled();
    rec->pPrint(QStringLiteral("after"));
    const auto t = texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].text, QStringLiteral("**** PRINTING CANCLED ****"));
    EXPECT_NEAR_IN(t[0].position.x(), 0.5);
    EXPECT_NEAR_IN(t[0].position.y(), 0.24);
    EXPECT_EQ(t[1].color, 255);
    EXPECT_TRUE(t[1].font.bold);
    EXPECT_EQ(t[1].font.size, 12);
}

using TextLooks = RecorderTest;

TEST_F(TextLooks, BackColourMakesTextOpaqueAndMinusOneClearsIt)
{
    rec->setBackColor(RGB(255, 255, 0));
    rec->pPrint(QStringLiteral("marked"));
    rec->setBackColor(-1);
    rec->pPrint(QStringLiteral("plain"));
    const auto t = texts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_TRUE(t[0].opaque);
    EXPECT_EQ(t[0].backColor, 65535);
    EXPECT_FALSE(t[1].opaque);
    EXPECT_EQ(rec->BackColor(), 0xFFFFFF);
    EXPECT_TRUE(rec->FontTransparent());
    rec->setFontTransparent(false);
    EXPECT_FALSE(rec->FontTransparent());
}

TEST_F(TextLooks, RotatedTextAtTheCursorWhichStays)
{
    rec->pPrintRotate(QString(), 90);
    EXPECT_TRUE(page().operations.isEmpty());
    rec->setCurrentY(2.0);
    rec->setFontBold(true);
    rec->pPrintRotate(QStringLiteral("Side"), 400, 1.5);
    const auto t = texts();
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t[0].degrees, 359);
    EXPECT_EQ(t[0].position, QPointF(1.5, 2.0));
    EXPECT_FALSE(t[0].font.bold);
    EXPECT_NEAR_IN(rec->CurrentX(), 1.5);
    EXPECT_NEAR_IN(rec->CurrentY(), 2.0);
}

TEST_F(TextLooks, DrawWidthIsNeverBelowOne)
{
    rec->setDrawWidth(0);
    EXPECT_EQ(rec->DrawWidth(), 1);
    rec->setDrawWidth(6);
    EXPECT_EQ(rec->DrawWidth(), 6);
}
