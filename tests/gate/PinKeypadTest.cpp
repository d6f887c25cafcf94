// The keypad window: its twelve keys, "Accept" handing the PIN over, and
// closing without it.
#include "gate/PinPad.h"
#include "gate/frmPIN.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPushButton *key(frmPIN &pad, const QString &caption)
{
    for (QPushButton *b : pad.findChildren<QPushButton *>()) {
        if (b->text() == caption)
            return b;
    }
    ADD_FAILURE() << caption.toStdString();
    return nullptr;
}

TEST(PinKeypad, ClicksBuildAPinOfAtMostFiveDigitsShownAsStars)
{
    frmPIN pad;
    pad.show();
    EXPECT_EQ(pad.windowTitle(), QStringLiteral("Enter PIN"));
    EXPECT_EQ(pad.findChildren<QPushButton *>().size(), 13) << "twelve keys and Accept";
    QTest::mouseClick(key(pad, QStringLiteral("<=")), Qt::LeftButton);
    for (const char *d : {"1", "2", "3", "4", "5", "6"})
        QTest::mouseClick(key(pad, QLatin1String(d)), Qt::LeftButton);
    EXPECT_EQ(pad.pin(), QStringLiteral("12345"));
    EXPECT_EQ(pad.findChild<QLineEdit *>(QStringLiteral("txtPIN"))->text(), QStringLiteral("*****"));
    QTest::mouseClick(key(pad, QStringLiteral("<=")), Qt::LeftButton);
    EXPECT_EQ(pad.pin(), QStringLiteral("1234"));
    QTest::mouseClick(key(pad, QStringLiteral("Clear")), Qt::LeftButton);
    EXPECT_EQ(pad.pin(), QString());
    // The keyboard works the same keys.
    QTest::keyClicks(&pad, QStringLiteral("0a7"));
    QTest::keyClick(&pad, Qt::Key_Backspace);
    EXPECT_EQ(pad.pin(), QStringLiteral("0"));
}

TEST(PinKeypad, AcceptHandsThePinOverAndClosingOtherwiseLeavesItEmpty)
{
    SharedPin().clear();
    {
        frmPIN pad;
        pad.show();
        pad.press(QStringLiteral("0"));
        pad.press(QStringLiteral("1"));
        pad.reject(); // the window closed without "Accept"
        EXPECT_EQ(SharedPin(), QString());
        EXPECT_EQ(pad.result(), QDialog::Rejected);
    }
    frmPIN pad;
    pad.show();
    pad.press(QStringLiteral("0"));
    pad.press(QStringLiteral("1"));
    QTest::mouseClick(pad.findChild<QPushButton *>(QStringLiteral("cmdAccept")), Qt::LeftButton);
    EXPECT_EQ(SharedPin(), QStringLiteral("01"));
    EXPECT_EQ(pad.result(), QDialog::Accepted);
    EXPECT_FALSE(pad.isVisible());
}

} // namespace
