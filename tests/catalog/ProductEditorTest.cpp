// The product editor as a clerk uses it: typing into a text box writes the
// product at every keystroke, a numeric box is written when it is left or
// Enter is pressed, text that is not a number is shown as wrong and never
// written or answered with a message box while typed, a new product is
// confirmed with Save New Item, and Print UPC prints the label.
#include "catalog/BarcodeView.h"
#include "catalog/NewProductId.h"
#include "catalog/ProductDetail.h"
#include "catalog/frmNewProduct.h"
#include "data/Database.h"
#include "tests/catalog/CatalogFixtures.h"
#include "tests/catalog/LabelCapture.h"
#include "tests/catalog/WindowSupport.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using CatalogFixtures::AddProduct;
using WindowSupport::child;

class ProductEditorTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        id = AddProduct(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("Single-DIN CD receiver"),
                        109.99, 9, QStringLiteral("012345000093"));
        editor.resize(560, 600);
        WindowSupport::showAndActivate(editor);
    }
    void TearDown() override { CatalogFixtures::AllowInserts(GetParam(), QStringLiteral("product")); }

    QVariant stored(const char *column, int product = 0) const
    {
        return SeedData::value(QStringLiteral("select %1 from product where id = ?").arg(QLatin1String(column)),
                               {product ? product : id});
    }

    // Clears a box and types into it key by key.
    void retype(ProductField field, const QString &text)
    {
        QLineEdit *box = editor.box(field);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    RecordingPrompts prompts;
    ProductDetail editor;
    int id = 0;
};

TEST_P(ProductEditorTest, LoadingShowsTheProductAndItsBarCodeCaption)
{
    editor.LoadProduct(id);
    EXPECT_EQ(editor.productid(), id);
    EXPECT_EQ(editor.box(ProductField::Barcode)->text(), QStringLiteral("012345000093"));
    EXPECT_EQ(editor.box(ProductField::Price)->text(), QStringLiteral("109.99"));
    EXPECT_EQ(editor.box(ProductField::Cost)->text(), QStringLiteral("55.00"));
    EXPECT_EQ(editor.box(ProductField::Qoh)->text(), QStringLiteral("9"));
    EXPECT_EQ(editor.barcodePicture()->completedCode(), QStringLiteral("*012345000093*"));
    EXPECT_EQ(editor.barcodePicture()->caption(), QStringLiteral("[ SD-150 ]   Single-DIN CD receiver"));
    EXPECT_FALSE(child<QGroupBox>(&editor, QStringLiteral("Frame1"))->isVisible());

    Database::Execute(QStringLiteral("update product set modelnumber = NULL where id = ?"), {id});
    editor.setProductid(id);
    EXPECT_EQ(editor.barcodePicture()->caption(), QStringLiteral("[  ]   Single-DIN CD receiver"));

    editor.LoadProduct(id + 50);
    for (const ProductField f : AllProductFields) {
        const bool zero = f == ProductField::Qoh || f == ProductField::Gm;
        EXPECT_EQ(editor.box(f)->text(), zero ? QStringLiteral("0") : QString());
    }
    EXPECT_EQ(editor.barcodePicture()->completedCode(), QStringLiteral("**"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(ProductEditorTest, ANumericBoxIsWrittenWhenLeftOrOnEnterNotAtEveryKeystroke)
{
    editor.LoadProduct(id);
    QSignalSpy updates(&editor, &ProductDetail::ProductUpdate);
    retype(ProductField::Cost, QStringLiteral("12.5"));
    EXPECT_EQ(updates.count(), 0) << "nothing while typing";
    EXPECT_DOUBLE_EQ(stored("cost").toDouble(), 54.995);
    QTest::keyClick(editor.box(ProductField::Cost), Qt::Key_Return);
    EXPECT_EQ(updates.count(), 1);
    EXPECT_DOUBLE_EQ(stored("cost").toDouble(), 12.5);
    EXPECT_FALSE(editor.isShownAsWrong(ProductField::Cost));

    retype(ProductField::Qoh, QStringLiteral("7"));
    retype(ProductField::Gm, QStringLiteral("35")); // leaving QOH writes it
    EXPECT_DOUBLE_EQ(stored("qoh").toDouble(), 7);
    QTest::keyClick(editor.box(ProductField::Gm), Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(stored("gm").toDouble(), 35);
    EXPECT_EQ(updates.count(), 3);

    // An emptied box writes 0; a box left as it was writes nothing.
    editor.box(ProductField::Price)->setFocus();
    editor.box(ProductField::Price)->selectAll();
    QTest::keyClick(editor.box(ProductField::Price), Qt::Key_Delete);
    QTest::keyClick(editor.box(ProductField::Price), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(stored("price").toDouble(), 0);
    EXPECT_EQ(updates.count(), 4);
    QTest::keyClick(editor.box(ProductField::Price), Qt::Key_Tab);
    QTest::keyClick(editor.box(ProductField::Msrp), Qt::Key_Return);
    EXPECT_EQ(updates.count(), 4);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(ProductEditorTest, TextThatIsNotANumberIsShownAsWrongAndNotWritten)
{
    editor.LoadProduct(id);
    QSignalSpy updates(&editor, &ProductDetail::ProductUpdate);
    QLineEdit *price = editor.box(ProductField::Price);
    price->setFocus();
    price->end(false);
    QTest::keyClicks(price, QStringLiteral("x"));
    EXPECT_EQ(price->text(), QStringLiteral("109.99x"));
    EXPECT_TRUE(editor.isShownAsWrong(ProductField::Price));
    EXPECT_EQ(price->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(updates.count(), 0);
    EXPECT_DOUBLE_EQ(stored("price").toDouble(), 109.99);

    QTest::keyClick(price, Qt::Key_Backspace);
    EXPECT_FALSE(editor.isShownAsWrong(ProductField::Price));
    EXPECT_NE(price->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(updates.count(), 0);
    retype(ProductField::Qoh, QStringLiteral("ten"));
    EXPECT_TRUE(editor.isShownAsWrong(ProductField::Qoh));
    EXPECT_DOUBLE_EQ(stored("qoh").toDouble(), 9);
    EXPECT_EQ(updates.count(), 0) << "the price box was left as it was loaded";
    EXPECT_TRUE(prompts.messages.isEmpty());

    editor.LoadProduct(id);
    EXPECT_FALSE(editor.isShownAsWrong(ProductField::Qoh));
}

// The shop types in en_US: 1,299 is a thousand two hundred ninety-nine
// dollars, and a comma out of the thousands places is shown as wrong.
TEST_P(ProductEditorTest, AThousandsCommaIsReadAsGroupingAndAMisplacedOneIsWrong)
{
    editor.LoadProduct(id);
    retype(ProductField::Price, QStringLiteral("1,299"));
    EXPECT_FALSE(editor.isShownAsWrong(ProductField::Price));
    QTest::keyClick(editor.box(ProductField::Price), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(stored("price").toDouble(), 1299);
    retype(ProductField::Qoh, QStringLiteral("12,500"));
    QTest::keyClick(editor.box(ProductField::Qoh), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(stored("qoh").toDouble(), 12500);

    EXPECT_TRUE(prompts.messages.isEmpty());

    // While the box is being typed in, no message; left, it is put back.
    retype(ProductField::Cost, QStringLiteral("7,5"));
    EXPECT_TRUE(editor.isShownAsWrong(ProductField::Cost));
    EXPECT_TRUE(prompts.messages.isEmpty());
    retype(ProductField::Msrp, QStringLiteral("12,34.5"));
    EXPECT_DOUBLE_EQ(stored("cost").toDouble(), 54.995) << "the value as stored, not as shown";
    EXPECT_EQ(editor.box(ProductField::Cost)->text(), QStringLiteral("55.00"));
    EXPECT_TRUE(editor.isShownAsWrong(ProductField::Msrp));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], QStringLiteral("Cost: \"7,5\" is not a number, so it is back to 55.00."));
}

// "1e3" is not written (nor is its "1"); the box left, it shows the stored
// price again, and a message says so. The same for an
// amount with a fraction of a cent or one too large to total.
TEST_P(ProductEditorTest, ABoxLeftWithTextItCannotKeepGetsBackItsValueAndSaysSo)
{
    editor.LoadProduct(id);
    QLineEdit *price = editor.box(ProductField::Price);
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, QStringLiteral("1e3"));
    EXPECT_TRUE(editor.isShownAsWrong(ProductField::Price));
    EXPECT_TRUE(prompts.messages.isEmpty());
    QTest::keyClick(price, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), price);
    EXPECT_DOUBLE_EQ(stored("price").toDouble(), 109.99);
    EXPECT_EQ(price->text(), QStringLiteral("109.99"));
    EXPECT_FALSE(editor.isShownAsWrong(ProductField::Price));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], QStringLiteral("Price: \"1e3\" is not a number, so it is back to 109.99."));

    const struct
    {
        ProductField field;
        const char *typed;
        const char *said;
    } refused[] = {
        {ProductField::Price, "12.345", "has more than two decimals"},
        {ProductField::Cost, "99999999999999", "is larger than the program can total"},
        {ProductField::Qoh, "1.23456", "has more than 4 decimals"},
    };
    for (const auto &r : refused) {
        prompts.clear();
        const QVariant before = stored(r.field == ProductField::Qoh        ? "qoh"
                                           : r.field == ProductField::Cost ? "cost"
                                                                           : "price");
        retype(r.field, QLatin1String(r.typed));
        QTest::keyClick(editor.box(r.field), Qt::Key_Tab);
        ASSERT_EQ(prompts.messages.size(), 1) << r.typed;
        EXPECT_TRUE(prompts.messages[0].contains(QLatin1String(r.said))) << prompts.messages[0].toStdString();
        EXPECT_DOUBLE_EQ(stored(r.field == ProductField::Qoh        ? "qoh"
                                    : r.field == ProductField::Cost ? "cost"
                                                                    : "price")
                             .toDouble(),
                         before.toDouble())
            << r.typed;
    }

    // Picking another product, or closing, ends the edit the same way.
    prompts.clear();
    price->setFocus();
    price->end(false);
    QTest::keyClicks(price, QStringLiteral("x"));
    editor.hide();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(price->text(), QStringLiteral("109.99"));
    EXPECT_DOUBLE_EQ(stored("price").toDouble(), 109.99);
}

// A product whose row could not be read is not the current one: its boxes
// are read-only, and typing writes nothing over it.
TEST_P(ProductEditorTest, AProductThatFailedToLoadIsNotCurrentAndItsBoxesAreReadOnly)
{
    const int other = AddProduct(QStringLiteral("Audio"), QStringLiteral("AMP-4"), QStringLiteral("Amplifier"), 239.99);
    editor.LoadProduct(id);
    ASSERT_GE(Database::Execute(QStringLiteral("alter table product rename to product_away")), 0);
    editor.LoadProduct(other);
    ASSERT_GE(Database::Execute(QStringLiteral("alter table product_away rename to product")), 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("GetRS:")));
    EXPECT_EQ(editor.productid(), 0);
    for (const ProductField f : AllProductFields)
        EXPECT_TRUE(editor.box(f)->isReadOnly());
    QLineEdit *price = editor.box(ProductField::Price);
    price->setFocus();
    QTest::keyClicks(price, QStringLiteral("5"));
    QTest::keyClicks(editor.box(ProductField::Description), QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(stored("price", other).toDouble(), 239.99);
    EXPECT_DOUBLE_EQ(stored("price").toDouble(), 109.99);
    EXPECT_EQ(stored("description", other).toString(), QStringLiteral("Amplifier"));

    editor.LoadProduct(other);
    EXPECT_EQ(editor.productid(), other);
    EXPECT_FALSE(price->isReadOnly());
    retype(ProductField::Price, QStringLiteral("249.99"));
    QTest::keyClick(price, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(stored("price", other).toDouble(), 249.99);
}

// Two counters hold one product. While this editor types "14.50" into the
// price, the other counter sells at the stored price, never at "1" or
// "14.5". The editor shows QOH 20; the other counter sells one (19 stored);
// this editor types 25: the count goes up by five, to 24, and the box shows
// 24. Then the other counter deletes the product: the editor says so and
// writes nothing.
TEST_P(ProductEditorTest, TwoCountersNoHalfTypedPriceNoLostSaleAndAGoneProductIsSaid)
{
    ASSERT_GE(Database::Execute(QStringLiteral("update product set qoh = 20, price = 9.99 where id = ?"), {id}), 1);
    editor.LoadProduct(id);
    OtherCounter other;
    ASSERT_TRUE(other.isOpen());
    const auto seen = [&](const char *column) {
        return other.value(QStringLiteral("select %1 from product where id = ?").arg(QLatin1String(column)), {id})
            .toDouble();
    };
    QLineEdit *price = editor.box(ProductField::Price);
    price->setFocus();
    price->selectAll();
    for (const QChar c : QStringLiteral("14.50")) {
        QTest::keyClicks(price, QString(c));
        EXPECT_DOUBLE_EQ(seen("price"), 9.99) << "after " << price->text().toStdString();
    }
    QTest::keyClick(price, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(seen("price"), 14.5);

    ASSERT_EQ(other.exec(QStringLiteral("update product set qoh = qoh - 1 where id = ?"), {id}), 1);
    EXPECT_EQ(editor.box(ProductField::Qoh)->text(), QStringLiteral("20"));
    retype(ProductField::Qoh, QStringLiteral("25"));
    QTest::keyClick(editor.box(ProductField::Qoh), Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(seen("qoh"), 24);
    EXPECT_EQ(editor.box(ProductField::Qoh)->text(), QStringLiteral("24"));
    // Typed again from 24, as now shown: 22 is two less.
    ASSERT_EQ(other.exec(QStringLiteral("update product set qoh = qoh + 10 where id = ?"), {id}), 1);
    retype(ProductField::Qoh, QStringLiteral("22"));
    QTest::keyClick(editor.box(ProductField::Qoh), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(seen("qoh"), 32);
    EXPECT_EQ(editor.box(ProductField::Qoh)->text(), QStringLiteral("32"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();

    ASSERT_EQ(other.exec(QStringLiteral("delete from product where id = ?"), {id}), 1);
    retype(ProductField::Cost, QStringLiteral("60"));
    QTest::keyClick(editor.box(ProductField::Cost), Qt::Key_Return);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], QStringLiteral("Product %1 does not exist any more; nothing was saved.").arg(id));
    QTest::keyClicks(editor.box(ProductField::Description), QStringLiteral("x"));
    EXPECT_EQ(prompts.messages.size(), 1) << "said once";
    EXPECT_EQ(other.value(QStringLiteral("select count(*) from product")).toInt(), 0);

    // A text box writes at every keystroke, and says so too for a product gone.
    const int amp = AddProduct(QStringLiteral("Audio"), QStringLiteral("AMP-4"), QStringLiteral("Amplifier"), 239.99);
    editor.LoadProduct(amp);
    ASSERT_EQ(other.exec(QStringLiteral("delete from product where id = ?"), {amp}), 1);
    QTest::keyClicks(editor.box(ProductField::Category), QStringLiteral("ab"));
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[1], QStringLiteral("Product %1 does not exist any more; nothing was saved.").arg(amp));
}

TEST_P(ProductEditorTest, TextBoxesStoreWhatWasTypedApostrophesIncluded)
{
    editor.LoadProduct(id);
    retype(ProductField::Description, QStringLiteral("Dana's 'best' receiver"));
    EXPECT_EQ(stored("description").toString(), QStringLiteral("Dana's 'best' receiver"));
    retype(ProductField::ModelNumber, QStringLiteral("SD-2"));
    retype(ProductField::Barcode, QStringLiteral("ab-9"));
    EXPECT_EQ(stored("modelnumber").toString(), QStringLiteral("SD-2"));
    EXPECT_EQ(stored("barcode").toString(), QStringLiteral("ab-9"));
    retype(ProductField::Category, QStringLiteral("Head units"));
    retype(ProductField::PartNumber, QStringLiteral("P'1"));
    EXPECT_EQ(stored("category").toString(), QStringLiteral("Head units"));
    EXPECT_EQ(stored("partnumber").toString(), QStringLiteral("P'1"));
    // The picture follows the boxes.
    EXPECT_EQ(editor.barcodePicture()->completedCode(), QStringLiteral("*AB-9*"));
    EXPECT_EQ(editor.barcodePicture()->caption(), QStringLiteral("[ SD-2 ]   Dana's 'best' receiver"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(ProductEditorTest, ANewProductIsWrittenOnlyWhenSaved)
{
    editor.CreateNew();
    EXPECT_TRUE(child<QGroupBox>(&editor, QStringLiteral("Frame1"))->isVisible());
    EXPECT_EQ(editor.box(ProductField::Qoh)->text(), QStringLiteral("0"));
    QSignalSpy created(&editor, &ProductDetail::ProductCreated);
    retype(ProductField::Description, QStringLiteral("Wiring harness adapter"));
    retype(ProductField::Price, QStringLiteral("14.99"));
    retype(ProductField::Qoh, QStringLiteral("60"));
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 1);

    QTest::mouseClick(child<QPushButton>(&editor, QStringLiteral("cmdCreateNew")), Qt::LeftButton);
    ASSERT_EQ(created.count(), 1);
    const int newId = created.at(0).at(0).toInt();
    EXPECT_GT(newId, id);
    EXPECT_EQ(stored("description", newId).toString(), QStringLiteral("Wiring harness adapter"));
    EXPECT_DOUBLE_EQ(stored("price", newId).toDouble(), 14.99);
    EXPECT_DOUBLE_EQ(stored("qoh", newId).toDouble(), 60);
    // The form now edits the new product; a second press inserts nothing.
    EXPECT_FALSE(child<QGroupBox>(&editor, QStringLiteral("Frame1"))->isVisible());
    EXPECT_EQ(editor.productid(), newId);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(ProductEditorTest, ABadNumberOrARefusedInsertCreatesNothingAndLoadsNoOtherProduct)
{
    editor.CreateNew();
    QSignalSpy created(&editor, &ProductDetail::ProductCreated);
    retype(ProductField::Description, QStringLiteral("Light bar"));
    retype(ProductField::Msrp, QStringLiteral("a lot"));
    QTest::mouseClick(child<QPushButton>(&editor, QStringLiteral("cmdCreateNew")), Qt::LeftButton);
    EXPECT_EQ(created.count(), 0);
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("MSRP is not a number: the new product was not saved."));
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 1);

    retype(ProductField::Msrp, QStringLiteral("149.99"));
    CatalogFixtures::RefuseInserts(GetParam(), QStringLiteral("product"));
    prompts.clear();
    QTest::mouseClick(child<QPushButton>(&editor, QStringLiteral("cmdCreateNew")), Qt::LeftButton);
    EXPECT_EQ(created.count(), 0);
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Execute:")));
    EXPECT_EQ(prompts.messages[1], QStringLiteral("Create new product error"));
    EXPECT_EQ(editor.productid(), 0);
    EXPECT_EQ(editor.box(ProductField::Description)->text(), QStringLiteral("Light bar"));
    EXPECT_TRUE(child<QGroupBox>(&editor, QStringLiteral("Frame1"))->isVisible());
}

TEST_P(ProductEditorTest, SaveNewItemRefusesABarCodeAnotherProductHasAndAsksBeforeAnEmptyItem)
{
    editor.CreateNew();
    QSignalSpy created(&editor, &ProductDetail::ProductCreated);
    auto *save = child<QPushButton>(&editor, QStringLiteral("cmdCreateNew"));
    const auto pressSave = [save] {
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Space);
    };

    // Every box as the form opened (QOH and GM "0"): asked first; No saves nothing.
    prompts.answer(false);
    pressSave();
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Every box of the new item is empty. Save it anyway?")});
    EXPECT_EQ(created.count(), 0);
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 1);
    EXPECT_TRUE(child<QGroupBox>(&editor, QStringLiteral("Frame1"))->isVisible());

    // The bar code of the CD receiver, typed with blanks around it.
    retype(ProductField::Barcode, QStringLiteral(" 012345000093 "));
    retype(ProductField::Description, QStringLiteral("Amplifier"));
    prompts.clear();
    pressSave();
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Barcode / UPC \"012345000093\" is already on Single-DIN CD "
                                         "receiver [ SD-150 ]: the new product was not saved.")});
    EXPECT_EQ(created.count(), 0);
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 1);
    EXPECT_EQ(editor.box(ProductField::Description)->text(), QStringLiteral("Amplifier")) << "what was typed stays";

    // Another bar code is saved without a word.
    retype(ProductField::Barcode, QStringLiteral("012345000110"));
    prompts.clear();
    pressSave();
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_EQ(created.count(), 1);
    EXPECT_EQ(stored("barcode", created.at(0).at(0).toInt()).toString().trimmed(), QStringLiteral("012345000110"));

    // An empty item the clerk confirms is saved.
    editor.CreateNew();
    prompts.clear();
    prompts.answer(true);
    pressSave();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(created.count(), 2);
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 3);
}

TEST_P(ProductEditorTest, PrintUpcPrintsTheLabelWithTheModelAndDescription)
{
    editor.LoadProduct(id);
    retype(ProductField::Description, QStringLiteral("Single-DIN CD receiver with Bluetooth and USB"));
    LabelCapture capture;
    QTest::mouseClick(child<QPushButton>(&editor, QStringLiteral("Command2")), Qt::LeftButton);
    ASSERT_EQ(capture.previews, 1);
    EXPECT_EQ(capture.document->pages.at(0).textStrings(),
              QStringList{QStringLiteral("012345000093 - [ SD-150 ]    Single-DIN CD receiver with Bl")});
}

TEST_P(ProductEditorTest, TheNewProductWindowReportsTheNewIdOrNoneWhenCancelled)
{
    SetNewProductId(0);
    {
        frmNewProduct window;
        WindowSupport::showAndActivate(window);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("New Product"));
        EXPECT_TRUE(window.productDetail()->isCreating());
        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("Command1")), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }
    EXPECT_EQ(NewProductId(), 0);
    {
        frmNewProduct window;
        WindowSupport::showAndActivate(window);
        window.productDetail()->box(ProductField::Description)->setText(QStringLiteral("Glass break sensor"));
        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdCreateNew")), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
    EXPECT_GT(NewProductId(), id);
    EXPECT_EQ(stored("description", NewProductId()).toString(), QStringLiteral("Glass break sensor"));
}

INSTANTIATE_TEST_SUITE_P(Engines, ProductEditorTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
