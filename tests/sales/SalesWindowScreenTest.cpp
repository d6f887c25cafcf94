// The sales window on the screen it opens on: run on small offscreen screens
// (1280x720 and 1024x600 logical pixels, what 150 % and 100 % scaling leave
// of common laptop screens), with the default settings and with a stored
// width far wider than any screen.
#include "customers/CustomerInfo.h"
#include "data/Settings.h"
#include "sales/TicketArea.h"
#include "sales/TicketPane.h"
#include "sales/TicketTotals.h"
#include "sales/frmSales.h"
#include "tests/sales/SalesWindowFixture.h"
#include "tests/support/SeedData.h"
#include "widgets/vbalGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace {

using namespace SeedData;

QString stored(const char *key)
{
    return Settings::get(QStringLiteral("frmSales"), QStringLiteral("frmSales.") + QLatin1String(key));
}

void store(const char *key, const QString &value)
{
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("frmSales.") + QLatin1String(key), value);
}

class SalesWindowScreen : public SalesWindowTest
{
protected:
    void SetUp() override
    {
        SalesWindowTest::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        area = QGuiApplication::primaryScreen()->availableGeometry();
        ann = customer(QStringLiteral("Ann"), QStringLiteral("Lee"));
    }

    // The window reopened on what the settings store holds now.
    void reopen()
    {
        window->close();
        window.reset();
        openWindow();
        settle();
    }

    // Where a control stands on the screen.
    static QRect onScreen(const QWidget *w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

    // On the screen's available area, and not cut off by the pane it is in.
    ::testing::AssertionResult seenOnScreen(const QWidget *w) const
    {
        if (!w->isVisible())
            return ::testing::AssertionFailure() << w->objectName().toStdString() << " is hidden";
        const QRect at = onScreen(w);
        if (!area.contains(at))
            return ::testing::AssertionFailure()
                << w->objectName().toStdString() << " at " << at.x() << "," << at.y() << " " << at.width() << "x"
                << at.height() << " is not inside the screen's area " << area.width() << "x" << area.height();
        if (w->visibleRegion().boundingRect() != w->rect())
            return ::testing::AssertionFailure() << w->objectName().toStdString() << " is cut off";
        return ::testing::AssertionSuccess();
    }

    // The row at the top of the window: the customer editor's buttons and
    // "Search Ticket", "Auto Hide", "New Ticket".
    QList<QWidget *> topRow() const
    {
        QList<QWidget *> row;
        for (QAbstractButton *b : child<QWidget>("Picture1")->findChildren<QAbstractButton *>())
            row.append(b);
        for (const char *name : {"cmdSearchTicket", "chkAutoHide", "cmdNewTicket"})
            row.append(child<QWidget>(name));
        return row;
    }

    void expectTheWindowFits()
    {
        settle();
        EXPECT_TRUE(area.contains(window->frameGeometry()))
            << "the window " << window->frameGeometry().width() << "x" << window->frameGeometry().height();
        for (QWidget *b : topRow())
            EXPECT_TRUE(seenOnScreen(b));
    }

    // A ticket with lines and a payment, open in the window.
    int openBusyTicket()
    {
        const int t = ticket(ann);
        for (int i = 0; i < 5; ++i)
            equipmentLine(t, QStringLiteral("P%1").arg(i), 1);
        payment(t, QStringLiteral("Cash"), 10);
        openTicket(ann, t);
        settle();
        return t;
    }

    void expectHeaderAndTotalsTogether()
    {
        EXPECT_TRUE(seenOnScreen(child<QWidget>("lblHeader")));
        EXPECT_TRUE(seenOnScreen(child<QWidget>("cmdFinalize")));
        EXPECT_TRUE(seenOnScreen(window->ticketArea()->totals()));
    }

    // From 720 pixels up the header, Finalize and the totals are seen
    // together; on a lower screen the area scrolls: it opens at the header,
    // and the payment entry brings the totals into view beside it, or the
    // customer pane folded away ("Auto Hide") leaves room for all of them.
    // Lines scanned in at the counter, then the equipment search opened and
    // closed again: the header, Finalize and (where the screen has room)
    // the totals stay where they are seen, and the newest line is in view.
    void scanLinesAndOpenEquipment()
    {
        product(QStringLiteral("777"), QStringLiteral("S7"), 25, 50);
        for (int i = 0; i < 4; ++i)
            scan(QStringLiteral("777"));
        settle();
        if (area.height() >= 720)
            expectHeaderAndTotalsTogether();
        else
            EXPECT_TRUE(seenOnScreen(child<QWidget>("cmdFinalize")));
        EXPECT_EQ(onScreen(child<QWidget>("cmdFinalize")).top(), onScreen(child<QWidget>("txtNote")).top())
            << "Finalize stands level with the note box";
        vbalGrid *grid = child<vbalGrid>("vbalGrid2");
        const QRect last = grid->CellRect(grid->RowCount(), 1);
        EXPECT_TRUE(grid->rect().contains(last)) << "the newest line is scrolled into view";
        clickButton("cmdEquipment");
        settle();
        EXPECT_TRUE(child<QWidget>("picEquipment")->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        EXPECT_FALSE(child<QWidget>("picEquipment")->isVisible());
        if (area.height() >= 720)
            expectHeaderAndTotalsTogether();
        else
            EXPECT_TRUE(seenOnScreen(child<QWidget>("cmdFinalize")));
    }

    void expectTheTicketFits()
    {
        openBusyTicket();
        scanLinesAndOpenEquipment();
        if (area.height() >= 720) {
            expectHeaderAndTotalsTogether();
            // Taking a payment keeps them there, the amount box beside them.
            clickButton("cmdPayment");
            settle();
            EXPECT_TRUE(seenOnScreen(child<QWidget>("txtAmount")));
            expectHeaderAndTotalsTogether();
            QTest::keyClick(child<QWidget>("txtAmount"), Qt::Key_Escape);
            return;
        }
        EXPECT_TRUE(window->ticketPane()->scrollBar()->isVisible());
        EXPECT_TRUE(seenOnScreen(child<QWidget>("lblHeader")));
        EXPECT_TRUE(seenOnScreen(child<QWidget>("cmdFinalize")));
        clickButton("cmdPayment");
        settle();
        EXPECT_TRUE(seenOnScreen(child<QWidget>("txtAmount")));
        EXPECT_TRUE(seenOnScreen(window->ticketArea()->totals()));
        QTest::keyClick(child<QWidget>("txtAmount"), Qt::Key_Escape);
        QTest::mouseClick(child<QWidget>("chkAutoHide"), Qt::LeftButton);
        openBusyTicket();
        expectHeaderAndTotalsTogether();
    }

    QRect area;
    int ann = 0;
};

TEST_P(SalesWindowScreen, TheDefaultWindowFitsTheScreen)
{
    expectTheWindowFits();
    expectTheTicketFits();
}

TEST_P(SalesWindowScreen, AStoredWidthWiderThanTheScreenOpensMaximised)
{
    window->close();
    store("Width", QStringLiteral("30000"));
    store("Height", QStringLiteral("13000"));
    store("Left", QStringLiteral("0"));
    store("Top", QStringLiteral("0"));
    reopen();
    EXPECT_TRUE(window->isMaximized());
    expectTheWindowFits();
    expectTheTicketFits();
}

TEST_P(SalesWindowScreen, TheStoredPlaceIsKeptUntilTheUserMovesOrResizesTheWindow)
{
    window->close();
    store("Width", QStringLiteral("30000"));
    store("Height", QStringLiteral("13000"));
    store("Left", QStringLiteral("150"));
    store("Top", QStringLiteral("300"));
    reopen();
    window->close();
    EXPECT_EQ(stored("Width"), QStringLiteral("30000")) << "not the width of this screen";
    EXPECT_EQ(stored("Height"), QStringLiteral("13000"));
    EXPECT_EQ(stored("Left"), QStringLiteral("150"));
    EXPECT_EQ(stored("Top"), QStringLiteral("300"));

    // Opened again, un-maximised and made smaller by the user: that is kept.
    reopen();
    window->showNormal();
    settle();
    window->resize(700, 400);
    window->move(30, 20);
    settle();
    window->close();
    EXPECT_EQ(stored("Width"), QStringLiteral("10500"));
    EXPECT_EQ(stored("Height"), QStringLiteral("6000"));
    EXPECT_EQ(stored("Left"), QStringLiteral("450"));
    EXPECT_EQ(stored("Top"), QStringLiteral("300"));
    reopen();
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->size(), QSize(700, 400)) << "a place that fits is kept as it is";
    EXPECT_EQ(window->pos(), QPoint(30, 20));
}

TEST_P(SalesWindowScreen, APlacePartlyOffTheScreenIsMovedOntoIt)
{
    window->close();
    store("Width", QStringLiteral("9000"));  // 600 pixels
    store("Height", QStringLiteral("6000")); // 400
    store("Left", QString::number((area.width() - 300) * 15));
    store("Top", QString::number((area.height() - 100) * 15));
    reopen();
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->size(), QSize(600, 400)) << "its size fits: kept";
    EXPECT_TRUE(area.contains(window->frameGeometry()));
    window->close();
    EXPECT_EQ(stored("Left"), QString::number((area.width() - 300) * 15)) << "not moved by the user";
}

// Stored measures that are not whole pixels stay as they were written when
// the window is only moved: a move rewrites the place, not the size.
TEST_P(SalesWindowScreen, AMoveAloneKeepsTheStoredSizeAsItWasWritten)
{
    window->close();
    store("Width", QStringLiteral("9007"));  // 600.47 pixels
    store("Height", QStringLiteral("6004")); // 400.27
    store("Left", QStringLiteral("300"));
    store("Top", QStringLiteral("300"));
    reopen();
    ASSERT_EQ(window->size(), QSize(600, 400));
    window->move(window->pos() + QPoint(10, 20));
    settle();
    window->close();
    EXPECT_EQ(stored("Width"), QStringLiteral("9007"));
    EXPECT_EQ(stored("Height"), QStringLiteral("6004"));
    EXPECT_EQ(stored("Left"), QStringLiteral("450"));
    EXPECT_EQ(stored("Top"), QStringLiteral("600"));
}

TESSALY_SALES_ENGINES(SalesWindowScreen);

} // namespace
