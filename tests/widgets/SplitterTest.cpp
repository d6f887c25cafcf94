// The splitter's geometry rules and its behaviour in a window.
#include "widgets/Splitter.h"
#include "widgets/SplitterLayout.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SplitterLayout, SharesTheSpaceLessTheBar)
{
    const SplitterLayout v = LayoutSplitter(1007, 300, 7, 0.5, true);
    EXPECT_EQ(v.child1, QRect(0, 0, 500, 300));
    EXPECT_EQ(v.bar, QRect(500, 0, 7, 300));
    EXPECT_EQ(v.child2, QRect(507, 0, 500, 300));
    const SplitterLayout h = LayoutSplitter(400, 1007, 7, 0.32, false);
    EXPECT_EQ(h.child1.height(), 320);
    EXPECT_EQ(h.bar.top(), 320);
    EXPECT_EQ(h.child2.top() + h.child2.height(), 1007);
}

TEST(SplitterLayout, TinyAndZeroSizesNeverGoNegative)
{
    for (int size : {0, 1, 3, 6}) {
        const SplitterLayout l = LayoutSplitter(size, size, 7, 0.999, false);
        EXPECT_GE(l.child1.height(), 0);
        EXPECT_GE(l.child2.height(), 0);
        EXPECT_GE(l.bar.height(), 0);
        EXPECT_LE(l.child2.top() + l.child2.height(), std::max(size, 0));
    }
    const SplitterLayout neg = LayoutSplitter(-50, -50, 7, 0.5, true);
    EXPECT_GE(neg.child1.width(), 0);
    EXPECT_GE(neg.child2.width(), 0);
}

TEST(SplitterLayout, PercentagesAreClampedAndReadBackAsWritten)
{
    EXPECT_EQ(PercentOfFraction(FractionOfPercent(33)), 33);
    EXPECT_EQ(PercentOfFraction(FractionOfPercent(29)), 29); // 0.29 × 100 is 28.999…
    EXPECT_EQ(PercentOfFraction(FractionOfPercent(250)), 100);
    EXPECT_EQ(PercentOfFraction(FractionOfPercent(-5)), 0);
    EXPECT_DOUBLE_EQ(FractionOfPercent(0), 0.001);
    EXPECT_DOUBLE_EQ(FractionOfPercent(100), 0.999);
    // Dragging past either edge leaves a sliver of each pane.
    EXPECT_DOUBLE_EQ(FractionForBarAt(-40, 500), 0.001);
    EXPECT_DOUBLE_EQ(FractionForBarAt(900, 500), 0.999);
    EXPECT_DOUBLE_EQ(FractionForBarAt(10, 0), 0.5);
}

TEST(SplitterWidget, DraggingMovesTheBarAndThePanesFollowOnRelease)
{
    QWidget host;
    host.resize(600, 400);
    Splitter splitter(&host);
    splitter.setOrientation(1);
    splitter.setSplitterWidth(100); // twips: about 7 pixels
    QWidget top, bottom;
    splitter.setChild1(&top);
    splitter.setChild2(&bottom);
    splitter.setGeometry(0, 0, 600, 407);
    splitter.setSplitPercent(50);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_EQ(splitter.SplitterBar()->height(), 7);
    EXPECT_EQ(top.height(), 200);

    QSignalSpy resized(&splitter, &Splitter::Resize);
    QWidget *bar = splitter.SplitterBar();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(100, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 3 + 100), bar->mapToGlobal(QPointF(100, 103)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    EXPECT_EQ(top.height(), 200) << "panes stay put while dragging";
    EXPECT_EQ(bar->y(), 300);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(100, 3));
    EXPECT_EQ(top.height(), 300);
    EXPECT_EQ(splitter.SplitPercent(), 75); // 300 of the 400 pixels the bar travels
    EXPECT_GE(resized.count(), 1);
}

TEST(SplitterWidget, WithoutChildrenItStillLaysOutItsBar)
{
    Splitter splitter;
    QSignalSpy resized(&splitter, &Splitter::Resize);
    splitter.resize(300, 100);
    splitter.setSplitPercent(33);
    EXPECT_GE(resized.count(), 1);
    EXPECT_EQ(splitter.SplitPercent(), 33);
    EXPECT_EQ(splitter.SplitterBar()->x(), 98); // 33 % of 300 less the 3-pixel bar
}

} // namespace
