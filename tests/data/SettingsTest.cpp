// Window and control values land in the settings store under the section of
// their window and the key of their own name.
#include "data/Settings.h"
#include "widgets/ObjectSettings.h"

#include "tests/support/RecordingPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly"),
                     QStringLiteral("Tessaly"));
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

// A store that cannot be written (its folder is a file here; a full or
// read-only home at a shop) is said once, with the file's path, not lost
// without a word.
TEST(Settings, AWriteThatFailsIsSaidOnceWithTheFilesPath)
{
    RecordingPrompts prompts;
    const QString file = store().fileName();
    const QString folder = QFileInfo(file).absolutePath();
    const QString aside = folder + QStringLiteral(".aside");
    ASSERT_TRUE(!QFileInfo::exists(folder) || QDir().rename(folder, aside));
    {
        QFile blocker(folder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("frmSales.Width"), QStringLiteral("12000"));
    Settings::save(QStringLiteral("frmSales"), QStringLiteral("frmSales.Height"), QStringLiteral("9000"));
    QFile::remove(folder);
    if (QFileInfo::exists(aside))
        QDir().rename(aside, folder);
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(prompts.messages[0].contains(QDir::toNativeSeparators(file))) << prompts.messages[0].toStdString();
}

} // namespace
