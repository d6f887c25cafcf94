// The product and labor stores against real databases, for what the window
// tests don't reach: blanks for NULLs, which texts count as numbers, the
// list order and the labor price rule.
#include "catalog/LaborStore.h"
#include "catalog/ProductStore.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "tests/catalog/CatalogFixtures.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using CatalogFixtures::AddProduct;

class CatalogStoreTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }

    static QVariant productValue(int id, const char *column)
    {
        return SeedData::value(QStringLiteral("select %1 from product where id = ?").arg(QLatin1String(column)), {id});
    }

    RecordingPrompts prompts;
};

TEST_P(CatalogStoreTest, NullsLoadAsBlanksAndMoneyAsTwoDecimals)
{
    const int id = AddProduct(QStringLiteral("Audio"), QStringLiteral("  SD-150 "), QStringLiteral("CD receiver"),
                              12.5);
    ProductTexts t;
    ASSERT_TRUE(ProductStore::Load(id, &t));
    EXPECT_EQ(t[ProductField::Msrp], QStringLiteral("15.63"));
    EXPECT_EQ(t[ProductField::ModelNumber], QStringLiteral("SD-150"));
    Database::Execute(QStringLiteral("update product set description = NULL, modelnumber = NULL, cost = NULL, "
                                     "qoh = NULL where id = ?"),
                      {id});
    ASSERT_TRUE(ProductStore::Load(id, &t));
    EXPECT_EQ(t[ProductField::Description], QStringLiteral(" "));
    EXPECT_EQ(t[ProductField::ModelNumber], QString());
    EXPECT_EQ(t[ProductField::Cost], QStringLiteral(" "));
    EXPECT_EQ(t[ProductField::Qoh], QStringLiteral(" "));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CatalogStoreTest, OnlyNumbersWithinReachAreWritten)
{
    const int id = AddProduct(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("CD receiver"), 12.5);
    for (const char *bad : {"abc", "12x", "1.2.3", "--5", "1e5", "99999999999999"}) {
        EXPECT_FALSE(ProductStore::WriteField(id, ProductField::Price, QLatin1String(bad))) << bad;
        EXPECT_FALSE(ProductStore::ValueOf(ProductField::Price, QLatin1String(bad))) << bad;
    }
    EXPECT_DOUBLE_EQ(productValue(id, "price").toDouble(), 12.5);
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Qoh, QStringLiteral(" -3 ")));
    EXPECT_DOUBLE_EQ(productValue(id, "qoh").toDouble(), -3);
    // A comma groups thousands; anywhere else it is refused, not read as a
    // decimal point.
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Cost, QStringLiteral("1,299")));
    EXPECT_DOUBLE_EQ(productValue(id, "cost").toDouble(), 1299);
    EXPECT_FALSE(ProductStore::WriteField(id, ProductField::Cost, QStringLiteral("7,5")));
    EXPECT_DOUBLE_EQ(productValue(id, "cost").toDouble(), 1299);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CatalogStoreTest, TheInventoryListIsOrderedByCategoryThenModelWithoutRegardToCase)
{
    AddProduct(QStringLiteral("audio"), QStringLiteral("b-2"), QStringLiteral("x"), 1);
    AddProduct(QStringLiteral("Towing"), QStringLiteral("A-1"), QStringLiteral("x"), 1);
    AddProduct(QStringLiteral("Audio"), QStringLiteral("A-9"), QStringLiteral("x"), 1);
    const int sold = AddProduct(QStringLiteral("Audio"), QStringLiteral("C-3"), QStringLiteral("x"), 1, 4);
    const int customer = SeedData::customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
    SeedData::equipmentLine(SeedData::ticket(customer, QStringLiteral("Open")), QStringLiteral("C-3"), 1, 3);
    const auto rs = ProductStore::AvailableList();
    ASSERT_TRUE(rs);
    QStringList models;
    for (int r = 0; r < rs->rowCount(); ++r) {
        models << rs->value(r, QStringLiteral("modelnumber")).toString();
        if (rs->value(r, QStringLiteral("id")).toInt() == sold) {
            EXPECT_DOUBLE_EQ(rs->value(r, QStringLiteral("available")).toDouble(), 1);
        }
    }
    EXPECT_EQ(models, (QStringList{"A-9", "b-2", "C-3", "A-1"}));
}

TEST_P(CatalogStoreTest, LaborPricesAreAmountsToTheCentInTwoDigitsTwoDecimals)
{
    using LaborStore::Column;
    EXPECT_EQ(LaborStore::EditedText(Column::Cog, QStringLiteral("  125.46 ")), QStringLiteral("125.46"));
    EXPECT_FALSE(LaborStore::EditedText(Column::Cog, QStringLiteral("  125.456abc")));
    EXPECT_FALSE(LaborStore::EditedText(Column::Cog, QStringLiteral("125.456")));
    EXPECT_FALSE(LaborStore::EditedText(Column::Cog, QStringLiteral("$5")));
    EXPECT_EQ(LaborStore::EditedText(Column::Cog, QStringLiteral("-7.5")), QStringLiteral("-07.50"));
    EXPECT_EQ(LaborStore::EditedText(Column::Ours, QStringLiteral("1,250")), QStringLiteral("1250.00"));
    EXPECT_FALSE(LaborStore::EditedText(Column::Ours, QStringLiteral("1,25")));
    EXPECT_EQ(LaborStore::EditedText(Column::Category, QStringLiteral("  Audio ")), QStringLiteral("Audio"));
    EXPECT_EQ(LaborStore::ColumnOfKey(QStringLiteral(" Ours ")), Column::Ours);
    EXPECT_FALSE(LaborStore::ColumnOfKey(QStringLiteral("Remove")));
    const int id = SeedData::labor(QStringLiteral("Install head unit"), 75, 60);
    EXPECT_TRUE(LaborStore::Write(id, Column::Cog, QStringLiteral("125.46")));
    EXPECT_DOUBLE_EQ(SeedData::value(QStringLiteral("select cog from labor where id = ?"), {id}).toDouble(), 125.46);
}

INSTANTIATE_TEST_SUITE_P(Engines, CatalogStoreTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
