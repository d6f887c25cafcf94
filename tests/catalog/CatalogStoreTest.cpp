// The product and labor stores against real databases: what the editor
// loads and writes, what a new product and a placeholder get, the number
// rules of the numeric boxes and of the labor prices.
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
    void TearDown() override
    {
        CatalogFixtures::AllowInserts(GetParam(), QStringLiteral("product"));
        CatalogFixtures::AllowInserts(GetParam(), QStringLiteral("labor"));
    }

    static QVariant productValue(int id, const char *column)
    {
        return SeedData::value(QStringLiteral("select %1 from product where id = ?").arg(QLatin1String(column)), {id});
    }

    RecordingPrompts prompts;
};

TEST_P(CatalogStoreTest, LoadShowsMoneyAsTwoDecimalsAndNullsAsBlanks)
{
    const int id = AddProduct(QStringLiteral("Audio"), QStringLiteral("  SD-150 "), QStringLiteral("CD receiver"), 12.5);
    ProductTexts t;
    bool found = false;
    ASSERT_TRUE(ProductStore::Load(id, &t, &found));
    EXPECT_TRUE(found);
    EXPECT_EQ(t[ProductField::Price], QStringLiteral("12.50"));
    EXPECT_EQ(t[ProductField::Cost], QStringLiteral("06.25"));
    EXPECT_EQ(t[ProductField::Msrp], QStringLiteral("15.63"));
    EXPECT_EQ(t[ProductField::ModelNumber], QStringLiteral("SD-150"));
    EXPECT_EQ(t[ProductField::Qoh], QStringLiteral("5"));
    EXPECT_EQ(t[ProductField::Gm], QStringLiteral("40"));

    Database::Execute(QStringLiteral("update product set description = NULL, modelnumber = NULL, cost = NULL, "
                                     "qoh = NULL where id = ?"),
                      {id});
    ASSERT_TRUE(ProductStore::Load(id, &t));
    EXPECT_EQ(t[ProductField::Description], QStringLiteral(" "));
    EXPECT_EQ(t[ProductField::ModelNumber], QString());
    EXPECT_EQ(t[ProductField::Cost], QStringLiteral(" "));
    EXPECT_EQ(t[ProductField::Qoh], QStringLiteral(" "));

    ASSERT_TRUE(ProductStore::Load(id + 100, &t, &found));
    EXPECT_FALSE(found);
    for (const ProductField f : AllProductFields) {
        const bool zero = f == ProductField::Qoh || f == ProductField::Gm;
        EXPECT_EQ(t[f], zero ? QStringLiteral("0") : QString()) << ProductStore::LabelOf(f).toStdString();
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CatalogStoreTest, NumericFieldsWriteNumbersOnlyAndAnEmptiedBoxWritesZero)
{
    const int id = AddProduct(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("CD receiver"), 12.5);
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Price, QStringLiteral(" 19.99 ")));
    EXPECT_DOUBLE_EQ(productValue(id, "price").toDouble(), 19.99);
    for (const char *bad : {"abc", "12x", "1.2.3", "--5", "1e5", "99999999999999"}) {
        EXPECT_FALSE(ProductStore::WriteField(id, ProductField::Price, QLatin1String(bad))) << bad;
        EXPECT_FALSE(ProductStore::ValueOf(ProductField::Price, QLatin1String(bad))) << bad;
    }
    EXPECT_DOUBLE_EQ(productValue(id, "price").toDouble(), 19.99);
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Qoh, QStringLiteral("-3")));
    EXPECT_DOUBLE_EQ(productValue(id, "qoh").toDouble(), -3);
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Gm, QStringLiteral("   ")));
    EXPECT_DOUBLE_EQ(productValue(id, "gm").toDouble(), 0);
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Cost, QStringLiteral("7,5")));
    EXPECT_DOUBLE_EQ(productValue(id, "cost").toDouble(), 7.5);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CatalogStoreTest, TextFieldsAreTrimmedAndAnApostropheRoundTrips)
{
    const int id = AddProduct(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("CD receiver"), 12.5);
    const QString typed = QStringLiteral("  6.5\" speakers, O'Brien's pick; drop table product -- ");
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Description, typed));
    EXPECT_EQ(productValue(id, "description").toString(), typed.trimmed());
    EXPECT_TRUE(ProductStore::WriteField(id, ProductField::Barcode, QStringLiteral("ab'12")));
    EXPECT_EQ(productValue(id, "barcode").toString(), QStringLiteral("ab'12"));
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CatalogStoreTest, ANewProductGetsTheEnginesIdAndABadNumberInsertsNothing)
{
    const int first = AddProduct(QStringLiteral("Audio"), QStringLiteral("A"), QStringLiteral("a"), 1);
    ProductTexts t = ProductStore::EmptyTexts();
    t[ProductField::Description] = QStringLiteral("Dana's dash kit");
    t[ProductField::Price] = QStringLiteral("19.99");
    t[ProductField::Cost] = QString();
    std::optional<ProductField> bad;
    const qint64 id = ProductStore::Create(t, &bad);
    EXPECT_FALSE(bad);
    EXPECT_GT(id, first);
    EXPECT_EQ(productValue(int(id), "description").toString(), QStringLiteral("Dana's dash kit"));
    EXPECT_DOUBLE_EQ(productValue(int(id), "price").toDouble(), 19.99);
    EXPECT_DOUBLE_EQ(productValue(int(id), "cost").toDouble(), 0);
    EXPECT_DOUBLE_EQ(productValue(int(id), "qoh").toDouble(), 0);

    const qint64 second = ProductStore::Create(t, &bad);
    EXPECT_GT(second, id);

    t[ProductField::Msrp] = QStringLiteral("twelve");
    EXPECT_EQ(ProductStore::Create(t, &bad), -1);
    ASSERT_TRUE(bad);
    EXPECT_EQ(*bad, ProductField::Msrp);
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 3);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(CatalogStoreTest, ARefusedInsertReportsFailureInsteadOfTheNewestProduct)
{
    AddProduct(QStringLiteral("Audio"), QStringLiteral("A"), QStringLiteral("a"), 1);
    CatalogFixtures::RefuseInserts(GetParam(), QStringLiteral("product"));
    EXPECT_EQ(ProductStore::Create(ProductStore::EmptyTexts()), -1);
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 1);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:")));
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
    for (int r = 0; r < rs->rowCount(); ++r)
        models << rs->value(r, QStringLiteral("modelnumber")).toString();
    EXPECT_EQ(models, (QStringList{"A-9", "b-2", "C-3", "A-1"}));
    for (int r = 0; r < rs->rowCount(); ++r) {
        if (rs->value(r, QStringLiteral("id")).toInt() == sold)
            EXPECT_DOUBLE_EQ(rs->value(r, QStringLiteral("available")).toDouble(), 1);
    }
}

TEST_P(CatalogStoreTest, CaptionsCutTheDescriptionAt30AndBracketTheModel)
{
    const QString longText = QStringLiteral("Two-way remote start with LCD fob and more");
    EXPECT_EQ(ProductStore::PictureCaption(QStringLiteral(" RS-2W "), longText),
              QStringLiteral("[ RS-2W ]   Two-way remote start with LCD "));
    EXPECT_EQ(ProductStore::PictureCaption(QString(), QStringLiteral(" ")), QStringLiteral("[  ]    "));
    EXPECT_EQ(ProductStore::LabelCaption(QStringLiteral("RS-2W"), QStringLiteral("  ") + longText),
              QStringLiteral("[ RS-2W ]    Two-way remote start with LCD "));
}

TEST_P(CatalogStoreTest, LaborPricesAreTheLeadingNumberInTwoDigitsTwoDecimals)
{
    using LaborStore::Column;
    EXPECT_EQ(LaborStore::EditedText(Column::Ours, QStringLiteral("5")), QStringLiteral("05.00"));
    EXPECT_EQ(LaborStore::EditedText(Column::Ours, QStringLiteral("x")), QStringLiteral("00.00"));
    EXPECT_EQ(LaborStore::EditedText(Column::Cog, QStringLiteral("  125.456abc")), QStringLiteral("125.46"));
    EXPECT_EQ(LaborStore::EditedText(Column::Cog, QStringLiteral("-7.5")), QStringLiteral("-07.50"));
    EXPECT_EQ(LaborStore::EditedText(Column::Category, QStringLiteral("  Audio ")), QStringLiteral("Audio"));
    EXPECT_EQ(LaborStore::ColumnOfKey(QStringLiteral(" Ours ")), Column::Ours);
    EXPECT_EQ(LaborStore::ColumnOfKey(QStringLiteral("COG")), Column::Cog);
    EXPECT_FALSE(LaborStore::ColumnOfKey(QStringLiteral("Remove")));

    const int id = SeedData::labor(QStringLiteral("Install head unit"), 75, 60);
    EXPECT_TRUE(LaborStore::Write(id, Column::Ours, LaborStore::EditedText(Column::Ours, QStringLiteral("x"))));
    EXPECT_DOUBLE_EQ(SeedData::value(QStringLiteral("select ours from labor where id = ?"), {id}).toDouble(), 0);
    EXPECT_TRUE(LaborStore::Write(id, Column::Cog, QStringLiteral("05.00")));
    EXPECT_DOUBLE_EQ(SeedData::value(QStringLiteral("select cog from labor where id = ?"), {id}).toDouble(), 5);
    EXPECT_TRUE(LaborStore::Write(id, Column::Description, QStringLiteral("Dana's amp")));
    EXPECT_EQ(SeedData::value(QStringLiteral("select description from labor where id = ?"), {id}).toString(),
              QStringLiteral("Dana's amp"));
}

TEST_P(CatalogStoreTest, PlaceholdersAreAlikeAndDeletesGoByIdOnly)
{
    const qint64 a = LaborStore::AddPlaceholder();
    const qint64 b = LaborStore::AddPlaceholder();
    EXPECT_GT(b, a);
    const auto rs = LaborStore::ReadList();
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->rowCount(), 2);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(rs->value(r, QStringLiteral("category")).toString(), QStringLiteral("_newcat"));
        EXPECT_EQ(rs->value(r, QStringLiteral("description")).toString(), QStringLiteral("_new labor"));
        EXPECT_TRUE(rs->value(r, QStringLiteral("ours")).isNull());
    }
    EXPECT_TRUE(LaborStore::Delete(int(a)));
    EXPECT_EQ(SeedData::count(QStringLiteral("labor")), 1);
    const int p = AddProduct(QStringLiteral("Audio"), QStringLiteral("A"), QStringLiteral("a"), 1);
    AddProduct(QStringLiteral("Audio"), QStringLiteral("B"), QStringLiteral("b"), 1);
    EXPECT_TRUE(ProductStore::Delete(p));
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Engines, CatalogStoreTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
