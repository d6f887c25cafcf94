// The labor price list edited in place: a typed character opens the edit
// box over the cell, the edit is written when it ends (prices as "00.00"),
// New Item adds placeholder rows, Remove asks first and never edits.
#include "catalog/frmInstallHours.h"
#include "tests/catalog/CatalogFixtures.h"
#include "tests/catalog/WindowSupport.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using WindowSupport::child;
using WindowSupport::clickCell;

class LaborWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        headUnit = SeedData::labor(QStringLiteral("Install head unit"), 75, 60, QStringLiteral("Audio"));
        alarm = SeedData::labor(QStringLiteral("Install alarm system"), 125, 100, QStringLiteral("Security"));
        window.resize(700, 400);
        WindowSupport::showAndActivate(window);
        grid = window.grid();
    }

    QVariant stored(const char *column, int id) const
    {
        return SeedData::value(QStringLiteral("select %1 from labor where id = ?").arg(QLatin1String(column)), {id});
    }

    // Types over a cell the way a clerk does: the first key opens the box.
    void typeOver(int row, int col, const QString &text)
    {
        clickCell(grid, row, col);
        QTest::keyClicks(grid->view(), text.left(1));
        QTest::keyClicks(window.editBox(), text.mid(1));
    }

    RecordingPrompts prompts;
    frmInstallHours window;
    vbalGrid *grid = nullptr;
    int headUnit = 0, alarm = 0;
};

TEST_P(LaborWindowTest, TheListShowsEveryItemWithBothPrices)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Store Inventory"));
    QStringList headers;
    for (int c = 1; c <= grid->ColumnCount(); ++c)
        headers << grid->ColumnHeader(c);
    EXPECT_EQ(headers, (QStringList{"Cat.", "Description", "Ours", "COG", ""}));
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->CellValue(1, 1), QStringLiteral("Audio"));
    EXPECT_EQ(grid->CellValue(1, 2), QStringLiteral("Install head unit"));
    EXPECT_EQ(grid->CellValue(1, 3), QStringLiteral("75"));
    EXPECT_EQ(grid->CellValue(1, 5), QStringLiteral("Remove"));
    EXPECT_EQ(grid->CellItemData(2, 1), alarm);
    EXPECT_FALSE(window.editBox()->isVisible());
}

// A price that is not an amount to the cent is refused with a message, and
// the price list keeps the price it had ("$5" must not wipe 60 to 00.00).
TEST_P(LaborWindowTest, APriceThatIsNotAnAmountIsRefusedAndTheOldPriceKept)
{
    clickCell(grid, 1, 3);
    QTest::keyClick(grid->view(), Qt::Key_X);
    ASSERT_TRUE(window.editBox()->isVisible());
    EXPECT_EQ(window.editBox()->text(), QStringLiteral("x"));
    QTest::keyClick(window.editBox(), Qt::Key_Return);
    EXPECT_FALSE(window.editBox()->isVisible());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("\"x\" is not a number")));
    EXPECT_EQ(grid->CellValue(1, 3), QStringLiteral("75"));
    EXPECT_DOUBLE_EQ(stored("ours", headUnit).toDouble(), 75);

    for (const char *typed : {"$5", "5.255", "99999999999999"}) {
        prompts.clear();
        typeOver(1, 4, QLatin1String(typed));
        QTest::keyClick(window.editBox(), Qt::Key_Return);
        EXPECT_EQ(prompts.messages.size(), 1) << typed;
        EXPECT_EQ(grid->CellValue(1, 4), QStringLiteral("60")) << typed;
        EXPECT_DOUBLE_EQ(stored("cog", headUnit).toDouble(), 60) << typed;
    }
}

TEST_P(LaborWindowTest, APriceTypedIsStoredAndShownInTheShopsFormat)
{
    typeOver(2, 4, QStringLiteral("5"));
    QTest::keyClick(window.editBox(), Qt::Key_Tab);
    EXPECT_EQ(grid->CellValue(2, 4), QStringLiteral("05.00"));
    EXPECT_DOUBLE_EQ(stored("cog", alarm).toDouble(), 5);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(LaborWindowTest, TextEditsStartFromTheCellAndKeepApostrophes)
{
    clickCell(grid, 1, 2);
    QTest::keyClick(grid->view(), Qt::Key_F2);
    EXPECT_EQ(window.editBox()->text(), QStringLiteral("Install head unit"));
    QTest::keyClicks(window.editBox(), QStringLiteral(" (Dana's)  "));
    QTest::keyClick(window.editBox(), Qt::Key_Return);
    EXPECT_EQ(grid->CellValue(1, 2), QStringLiteral("Install head unit (Dana's)"));
    EXPECT_EQ(stored("description", headUnit).toString(), QStringLiteral("Install head unit (Dana's)"));

    typeOver(2, 1, QStringLiteral("Alarms"));
    QTest::keyClick(window.editBox(), Qt::Key_Escape);
    EXPECT_EQ(stored("category", alarm).toString(), QStringLiteral("Security"));
    EXPECT_EQ(grid->CellValue(2, 1), QStringLiteral("Security"));
}

TEST_P(LaborWindowTest, NewItemAddsPlaceholderRowsToEdit)
{
    QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdNew")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdNew")), Qt::LeftButton);
    EXPECT_EQ(SeedData::count(QStringLiteral("labor")), 4);
    ASSERT_EQ(grid->RowCount(), 4);
    int placeholders = 0;
    for (int r = 1; r <= 4; ++r) {
        if (grid->CellValue(r, 1) == QLatin1String("_newcat") && grid->CellValue(r, 2) == QLatin1String("_new labor"))
            ++placeholders;
    }
    EXPECT_EQ(placeholders, 2);
    // The newest placeholder is selected, ready to be typed over.
    const int r = grid->SelectedRow();
    ASSERT_GT(r, 0);
    EXPECT_EQ(grid->CellValue(r, 1), QStringLiteral("_newcat"));
    QTest::keyClicks(grid->view(), QStringLiteral("T"));
    QTest::keyClicks(window.editBox(), QStringLiteral("int"));
    QTest::keyClick(window.editBox(), Qt::Key_Return);
    EXPECT_EQ(stored("category", int(grid->CellItemData(r, 1))).toString(), QStringLiteral("Tint"));
}

TEST_P(LaborWindowTest, RemoveAsksFirstAndItsColumnNeverOpensTheBox)
{
    clickCell(grid, 1, 5);
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(prompts.questions[0], QStringLiteral("Remove   Audio => Install head unit?"));
    EXPECT_EQ(SeedData::count(QStringLiteral("labor")), 2);
    QTest::keyClick(grid->view(), Qt::Key_F2);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, WindowSupport::cellCentre(grid, 1, 5));
    EXPECT_FALSE(window.editBox()->isVisible());
    EXPECT_FALSE(grid->InEditMode());

    prompts.setDefaultAnswer(true);
    clickCell(grid, 1, 5);
    EXPECT_EQ(SeedData::count(QStringLiteral("labor")), 1);
    ASSERT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->CellItemData(1, 1), alarm);
}

TEST_P(LaborWindowTest, ARemoveTheDatabaseRefusesIsToldUnderTheGridHandlersLabel)
{
    CatalogFixtures::RefuseDeletes(GetParam(), QStringLiteral("labor"));
    prompts.setDefaultAnswer(true);
    clickCell(grid, 1, 5);
    CatalogFixtures::AllowDeletes(GetParam(), QStringLiteral("labor"));
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Vbalgrid1_mouseup:")))
        << prompts.lastMessage().toStdString();
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("deletes refused"))) << "the reason";
    EXPECT_EQ(SeedData::count(QStringLiteral("labor")), 2);
    EXPECT_EQ(grid->RowCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, LaborWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
