// A window with a size of its own fitted to a screen of 1024 x 600 (the
// offscreen platform's screen for this test).
#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

TEST(WindowPlacementScreen, AWindowWithItsOwnSizeIsBoundedToTheScreen)
{
    ASSERT_EQ(screenArea().size(), QSize(1024, 600));
    QWidget window;
    window.resize(1000, 800);
    WindowPlacement::FitOnScreen(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EXPECT_TRUE(screenArea().contains(window.frameGeometry()));
    EXPECT_EQ(window.width(), 1000) << "a width that fits is kept";
}

} // namespace
