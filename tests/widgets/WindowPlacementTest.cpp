// A window's stored place, read from its twips and fitted to the screen it
// opens on.
#include "widgets/WindowPlacement.h"

#include "data/Twips.h"

#include <gtest/gtest.h>

namespace {

using namespace WindowPlacement;

TEST(WindowPlacement, StoredTextsAreTwipsAndFallBackWhenTheyAreNotNumbers)
{
    EXPECT_EQ(StoredRect({QStringLiteral("20000"), QStringLiteral("13000"), QStringLiteral("0"), QStringLiteral("0")}),
              QRect(0, 0, 1333, 867));
    EXPECT_EQ(
        StoredRect({QStringLiteral("big"), QStringLiteral("-5"), QStringLiteral("1500"), QStringLiteral("1.5e400")}),
        QRect(100, 0, 1333, 867));
    EXPECT_EQ(Twips::FromPixels(900), 13500);
}

TEST(WindowPlacement, APlaceThatFitsTheAreaIsKept)
{
    const Fit fit = FitToArea(QRect(40, 30, 900, 640), QRect(0, 0, 1280, 720));
    EXPECT_EQ(fit.normal, QRect(40, 30, 900, 640));
    EXPECT_FALSE(fit.maximised);
    EXPECT_FALSE(fit.fitted);
}

TEST(WindowPlacement, ASizeLargerThanTheAreaOpensMaximisedWithItsOwnPlaceInside)
{
    // The default 20000 x 13000 twips on a 1920 x 1080 screen at 150 %.
    const QRect area(0, 0, 1280, 720);
    const Fit fit = FitToArea(QRect(0, 0, 1333, 867), area);
    EXPECT_TRUE(fit.maximised);
    EXPECT_TRUE(fit.fitted);
    EXPECT_TRUE(area.contains(fit.normal));
    EXPECT_EQ(fit.normal, area);
    // Only the height too large, and a frame to leave room for.
    const Fit tall = FitToArea(QRect(100, 50, 1000, 700), area, QMargins(2, 28, 2, 2));
    EXPECT_TRUE(tall.maximised);
    EXPECT_EQ(tall.normal, QRect(0, 0, 1000, 690));
}

TEST(WindowPlacement, APlacePartlyOrWhollyOffTheAreaIsMovedOntoIt)
{
    const QRect area(0, 0, 1024, 600);
    const Fit right = FitToArea(QRect(900, 500, 600, 400), area);
    EXPECT_FALSE(right.maximised);
    EXPECT_TRUE(right.fitted);
    EXPECT_EQ(right.normal, QRect(424, 200, 600, 400));
    EXPECT_EQ(FitToArea(QRect(-60000, 0, 600, 400), area).normal, QRect(0, 0, 600, 400));
    // A second screen's area, beside the first, with a panel at its top.
    const QRect second(1024, 30, 1280, 994);
    EXPECT_EQ(FitToArea(QRect(1100, 0, 600, 400), second, QMargins(1, 20, 1, 1)).normal, QRect(1100, 30, 600, 400));
}

TEST(WindowPlacement, TheAreaIsTheScreenThatHoldsMostOfThePlaceElseTheFirst)
{
    const QList<QRect> areas{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(AreaFor(QRect(2000, 100, 900, 600), areas), areas[1]);
    EXPECT_EQ(AreaFor(QRect(1700, 100, 900, 600), areas), areas[1]) << "most of it on the second";
    EXPECT_EQ(AreaFor(QRect(1400, 100, 900, 600), areas), areas[0]);
    EXPECT_EQ(AreaFor(QRect(5000, 100, 900, 600), areas), areas[0]) << "a screen that is gone";
}

} // namespace
