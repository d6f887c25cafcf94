// Window and control values land in the settings store under the section of
// their window and the key of their own name.
#include "data/Settings.h"
#include "widgets/ObjectSettings.h"

#include <QSettings>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly"), QStringLiteral("Tessaly"));
}

TEST(ObjectSettings, AWindowKeepsItsValuesUnderItsOwnName)
{
    QWidget window;
    window.setObjectName(QStringLiteral("frmSales"));
    SaveObjectSetting(&window, QStringLiteral("Width"), QStringLiteral("20000"));
    EXPECT_EQ(store().value(QStringLiteral("frmSales/frmSales.Width")).toString(), QStringLiteral("20000"));
    EXPECT_EQ(GetObjectSetting(&window, QStringLiteral("Width"), QStringLiteral("1")), QStringLiteral("20000"));
}

TEST(ObjectSettings, AControlKeepsItsValuesUnderItsWindow)
{
    QWidget window;
    window.setObjectName(QStringLiteral("frmSales"));
    QWidget pane(&window);
    pane.setObjectName(QStringLiteral("picCustomer"));
    QWidget grid(&pane);
    grid.setObjectName(QStringLiteral("vbalGridOrders"));
    SaveObjectSetting(&grid, QStringLiteral("Col_5"), QStringLiteral("95"));
    EXPECT_EQ(store().value(QStringLiteral("frmSales/vbalGridOrders.Col_5")).toString(), QStringLiteral("95"));
    EXPECT_EQ(GetObjectSetting(&grid, QStringLiteral("Col_5"), QStringLiteral("80")), QStringLiteral("95"));
    EXPECT_EQ(GetObjectSetting(&grid, QStringLiteral("Col_6"), QStringLiteral("80")), QStringLiteral("80"));
}

TEST(Settings, NumbersFallBackToTheDefaultWhenTheStoredTextIsNotOne)
{
    Settings::save(QStringLiteral("frmTest"), QStringLiteral("frmTest.Width"), QStringLiteral("wide"));
    EXPECT_DOUBLE_EQ(Settings::getNumber(QStringLiteral("frmTest"), QStringLiteral("frmTest.Width"), 20000), 20000);
    Settings::save(QStringLiteral("frmTest"), QStringLiteral("frmTest.Width"), QStringLiteral(" 15000 "));
    EXPECT_DOUBLE_EQ(Settings::getNumber(QStringLiteral("frmTest"), QStringLiteral("frmTest.Width"), 20000), 15000);
    EXPECT_DOUBLE_EQ(Settings::getNumber(QStringLiteral("frmTest"), QStringLiteral("absent"), 7), 7);
}

} // namespace
