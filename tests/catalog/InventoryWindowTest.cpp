// The inventory window as a clerk uses it: the list of every product with
// its stock, a pick showing the product in the editor beside it, Remove
// with its question, New Item through the New Product window, and the
// widths, split and place kept between runs, Print List, and Print Labels.
#include "catalog/LabelSheet.h"
#include "catalog/ProductDetail.h"
#include "catalog/frmInventory.h"
#include "catalog/frmNewProduct.h"
#include "data/Database.h"
#include "data/Settings.h"
#include "reports/DemoLetterhead.h"
#include "tests/catalog/CatalogFixtures.h"
#include "tests/catalog/LabelCapture.h"
#include "tests/catalog/WindowSupport.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "widgets/OleColor.h"
#include "widgets/Splitter.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using CatalogFixtures::AddProduct;
using WindowSupport::child;
using WindowSupport::clickCell;

class InventoryWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        forgetWindowSettings();
        receiver = AddProduct(QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("CD receiver"), 12.5,
                              9);
        alarm = AddProduct(QStringLiteral("Security"), QStringLiteral("AL-300"), QStringLiteral("Vehicle alarm"),
                           119.99, 10);
        amp = AddProduct(QStringLiteral("audio"), QStringLiteral("AMP-4C"), QStringLiteral("4-channel amplifier"),
                         239.99, 6);
        Database::Execute(QStringLiteral("update product set description = NULL where id = ?"), {amp});
        const int customer = SeedData::customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
        SeedData::equipmentLine(SeedData::ticket(customer, QStringLiteral("Open")), QStringLiteral("SD-150"), 12.5, 2);
    }

    static void forgetWindowSettings()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly"), QStringLiteral("Tessaly"))
            .remove(QStringLiteral("frmInventory"));
    }

    void open()
    {
        window = std::make_unique<frmInventory>();
        WindowSupport::showAndActivate(*window);
        grid = window->grid();
    }

    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 1; c <= grid->ColumnCount(); ++c)
            cells << grid->CellValue(r, c);
        return cells;
    }

    RecordingPrompts prompts;
    std::unique_ptr<frmInventory> window;
    vbalGrid *grid = nullptr;
    int receiver = 0, alarm = 0, amp = 0;
};

TEST_P(InventoryWindowTest, TheListShowsEveryProductByCategoryAndModelWithItsStock)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Store Inventory"));
    ASSERT_EQ(grid->ColumnCount(), 7);
    QStringList headers;
    for (int c = 1; c <= 7; ++c)
        headers << grid->ColumnHeader(c);
    EXPECT_EQ(headers, (QStringList{"Cat.", "Model No.", "Description", "QOH", "Available", "Price", ""}));
    ASSERT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(row(1), (QStringList{"audio", "AMP-4C", " ", "6", "6", "239.99", "Remove"}));
    EXPECT_EQ(row(2), (QStringList{"Audio", "SD-150", "CD receiver", "9", "7", "12.5", "Remove"}));
    EXPECT_EQ(row(3), (QStringList{"Security", "AL-300", "Vehicle alarm", "10", "10", "119.99", "Remove"}));
    EXPECT_EQ(grid->CellItemData(2, 1), receiver);
    EXPECT_EQ(grid->CellFormat(2, 3), vbalGrid::Wrapped);
    EXPECT_EQ(grid->CellForeColor(2, 7), OleColor::Red);
    EXPECT_EQ(grid->DefaultRowHeight(), 30);
    EXPECT_FALSE(window->productDetail()->isVisible());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(InventoryWindowTest, APickedProductShowsInTheEditorAndItsEditsReachTheListOnRefresh)
{
    open();
    clickCell(grid, 3, 2);
    ASSERT_TRUE(window->productDetail()->isVisible());
    EXPECT_EQ(window->shownProductId(), alarm);
    EXPECT_EQ(window->productDetail()->box(ProductField::ModelNumber)->text(), QStringLiteral("AL-300"));

    QLineEdit *price = window->productDetail()->box(ProductField::Price);
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, QStringLiteral("99"));
    QTest::keyClick(price, Qt::Key_Return); // a number is written when entered
    EXPECT_DOUBLE_EQ(SeedData::value(QStringLiteral("select price from product where id = ?"), {alarm}).toDouble(), 99);
    EXPECT_EQ(grid->CellValue(3, 6), QStringLiteral("119.99"));
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdRefreshList")), Qt::LeftButton);
    EXPECT_EQ(grid->CellValue(3, 6), QStringLiteral("99"));

    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, WindowSupport::cellCentre(grid, 1, 3));
    EXPECT_EQ(window->shownProductId(), amp);
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_P(InventoryWindowTest, TheRemoveCellAsksAndYesDeletesTheProduct)
{
    open();
    clickCell(grid, 2, 7);
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(prompts.questions[0], QStringLiteral("Remove   Audio) CD receiver?"));
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 3);
    EXPECT_EQ(grid->RowCount(), 3);

    prompts.answer(true);
    clickCell(grid, 3, 7);
    EXPECT_EQ(prompts.questions.last(), QStringLiteral("Remove   Security) Vehicle alarm?"));
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 2);
    EXPECT_TRUE(SeedData::value(QStringLiteral("select id from product where id = ?"), {alarm}).isNull());
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->CellValue(2, 2), QStringLiteral("SD-150"));
    EXPECT_FALSE(window->productDetail()->isVisible());

    // A click beside the Remove cell only picks the product.
    clickCell(grid, 1, 6);
    EXPECT_EQ(prompts.questions.size(), 2);
    EXPECT_TRUE(window->productDetail()->isVisible());
}

TEST_P(InventoryWindowTest, ARemoveTheDatabaseRefusesIsToldUnderTheGridHandlersLabel)
{
    open();
    // The database refuses to delete products (a rule of its own).
    CatalogFixtures::RefuseDeletes(GetParam(), QStringLiteral("product"));
    prompts.answer(true);
    clickCell(grid, 3, 7);
    CatalogFixtures::AllowDeletes(GetParam(), QStringLiteral("product"));
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Vbalgrid1_mouseup:")))
        << prompts.lastMessage().toStdString();
    EXPECT_FALSE(prompts.lastMessage().contains(QStringLiteral("Execute:")));
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("deletes refused"))) << "the reason";
    EXPECT_EQ(SeedData::count(QStringLiteral("product")), 3);
    EXPECT_EQ(grid->RowCount(), 3);
}

TEST_P(InventoryWindowTest, NewItemListsAndShowsTheSavedProductAndCancelChangesNothing)
{
    open();
    clickCell(grid, 2, 1);
    WindowSupport::whenModalShows([](QWidget *modal) {
        QTest::mouseClick(child<QPushButton>(modal, QStringLiteral("Command1")), Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdNew")), Qt::LeftButton);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(window->shownProductId(), receiver);

    WindowSupport::whenModalShows([](QWidget *modal) {
        auto *detail = child<ProductDetail>(modal, QStringLiteral("ProductDetail1"));
        detail->box(ProductField::Category)->setText(QStringLiteral("Cameras"));
        detail->box(ProductField::ModelNumber)->setText(QStringLiteral("CAM-LP"));
        detail->box(ProductField::Description)->setText(QStringLiteral("Backup camera"));
        detail->box(ProductField::Qoh)->setText(QStringLiteral("12"));
        QTest::mouseClick(child<QPushButton>(modal, QStringLiteral("cmdCreateNew")), Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdNew")), Qt::LeftButton);
    ASSERT_EQ(grid->RowCount(), 4);
    const int id = window->shownProductId();
    EXPECT_GT(id, amp);
    EXPECT_EQ(window->rowOfProduct(id), 3);
    EXPECT_EQ(grid->SelectedRow(), 3);
    EXPECT_EQ(row(3).mid(0, 5), (QStringList{"Cameras", "CAM-LP", "Backup camera", "12", "12"}));
    EXPECT_TRUE(window->productDetail()->isVisible());
    EXPECT_EQ(window->productDetail()->box(ProductField::Description)->text(), QStringLiteral("Backup camera"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_P(InventoryWindowTest, PrintListPreviewsTheStockOfEveryProduct)
{
    QString error;
    ASSERT_TRUE(DemoLetterhead::ensureFiles(&error)) << error.toStdString(); // the report's logo
    open();
    LabelCapture preview;
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdPrint")), Qt::LeftButton);
    ASSERT_EQ(preview.previews, 1) << prompts.messages.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(preview.document->pages.size(), 1);
    QStringList texts;
    for (const QString &t : preview.document->pages.first().textStrings())
        texts << t.trimmed();
    const qsizetype receiverRow = texts.indexOf(QStringLiteral("SD-150"));
    ASSERT_GE(receiverRow, 0) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(texts.mid(receiverRow - 1, 3),
              (QStringList{QStringLiteral("Audio"), QStringLiteral("SD-150"), QStringLiteral("CD receiver")}));
    EXPECT_TRUE(texts.contains(QStringLiteral("AL-300")));
    EXPECT_TRUE(texts.contains(QStringLiteral("AMP-4C")));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
}

TEST_P(InventoryWindowTest, WidthsSplitAndPlaceAreKeptBetweenRuns)
{
    open();
    EXPECT_EQ(window->splitter()->SplitPercent(), 50);
    EXPECT_EQ(window->splitter()->SplitterWidth(), 50);
    EXPECT_EQ(window->splitter()->splitterColor(), QColor(0, 0, 255));
    EXPECT_FALSE(Settings::contains(QStringLiteral("frmInventory"), QStringLiteral("frmInventory.SplitPercent")));
    grid->view()->horizontalHeader()->resizeSection(2, 240);
    EXPECT_EQ(Settings::get(QStringLiteral("frmInventory"), QStringLiteral("vbalGrid1.Col_3")), QStringLiteral("240"));
    window->splitter()->setSplitPercent(35);
    EXPECT_EQ(Settings::get(QStringLiteral("frmInventory"), QStringLiteral("frmInventory.SplitPercent")),
              QStringLiteral("35"));
    window->resize(700, 500);
    window->move(20, 30);
    window->close();
    EXPECT_EQ(Settings::get(QStringLiteral("frmInventory"), QStringLiteral("frmInventory.Width")),
              QStringLiteral("10500"));
    EXPECT_EQ(Settings::get(QStringLiteral("frmInventory"), QStringLiteral("frmInventory.Height")),
              QStringLiteral("7500"));

    open();
    EXPECT_EQ(grid->ColumnWidth(3), 240);
    EXPECT_EQ(grid->ColumnWidth(2), 100);
    EXPECT_EQ(window->splitter()->SplitPercent(), 35);
    EXPECT_EQ(window->size(), QSize(700, 500));
}

// The labels' texts of a page that carry a part.
int textsWith(const RecordedPage &page, const QString &part)
{
    return int(page.textStrings().filter(part).size());
}

TEST_P(InventoryWindowTest, PrintLabelsPrintsThePickedProductOrEveryOneOnTheChosenSheet)
{
    open();
    // The alarm, ten on hand, on a sheet of ten whose first two are used.
    clickCell(grid, 3, 1);
    ASSERT_EQ(window->shownProductId(), alarm);
    LabelCapture preview;
    WindowSupport::whenModalShows([](QWidget *modal) {
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("Print Labels"));
        EXPECT_TRUE(child<QRadioButton>(modal, QStringLiteral("optSelected"))->isChecked());
        EXPECT_EQ(child<QRadioButton>(modal, QStringLiteral("optSelected"))->text(),
                  QStringLiteral("The product picked in the list: Vehicle alarm [ AL-300 ]"));
        child<QComboBox>(modal, QStringLiteral("cboSheet"))->setCurrentIndex(1);
        auto *start = child<QSpinBox>(modal, QStringLiteral("spnStart"));
        EXPECT_EQ(start->maximum(), 10);
        start->setValue(3);
        child<QRadioButton>(modal, QStringLiteral("optOnHand"))->click();
        if (const QByteArray shots = qgetenv("TESSALY_SHOT_DIR"); !shots.isEmpty())
            modal->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/frmPrintLabels.png"));
        qobject_cast<QDialog *>(modal)->accept();
    });
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdLabels")), Qt::LeftButton);
    ASSERT_EQ(preview.previews, 1) << prompts.messages.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(preview.document->pages.size(), 2);
    EXPECT_EQ(preview.document->title, QStringLiteral("Labels 5163"));
    EXPECT_EQ(textsWith(preview.document->pages[0], QStringLiteral("AL-300")), 8);
    EXPECT_EQ(textsWith(preview.document->pages[1], QStringLiteral("AL-300")), 2);
    EXPECT_EQ(textsWith(preview.document->pages[0], QStringLiteral("$119.99")), 8);
    const auto first = preview.document->pages[0].findText(QStringLiteral("AL-300"));
    ASSERT_TRUE(first);
    EXPECT_TRUE(LabelSheet::Named(QStringLiteral("5163"))->Cell(3).contains(first->position + QPointF(0.25, 0.25)))
        << first->position.x() << "," << first->position.y();

    // Cancelled: nothing.
    WindowSupport::whenModalShows([](QWidget *modal) { qobject_cast<QDialog *>(modal)->reject(); });
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdLabels")), Qt::LeftButton);
    EXPECT_EQ(preview.previews, 1);

    // Every product, one label each, from the first label of a 5160 sheet.
    // The sheet and the count printed last are offered again, the start not.
    WindowSupport::whenModalShows([](QWidget *modal) {
        auto *sheet = child<QComboBox>(modal, QStringLiteral("cboSheet"));
        EXPECT_EQ(sheet->currentIndex(), 1);
        EXPECT_TRUE(child<QRadioButton>(modal, QStringLiteral("optOnHand"))->isChecked());
        EXPECT_EQ(child<QSpinBox>(modal, QStringLiteral("spnStart"))->value(), 1);
        sheet->setCurrentIndex(0);
        child<QRadioButton>(modal, QStringLiteral("optOne"))->click();
        child<QRadioButton>(modal, QStringLiteral("optAll"))->click();
        qobject_cast<QDialog *>(modal)->accept();
    });
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdLabels")), Qt::LeftButton);
    ASSERT_EQ(preview.previews, 2);
    ASSERT_EQ(preview.document->pages.size(), 1);
    EXPECT_EQ(preview.document->title, QStringLiteral("Labels 5160"));
    for (const char *model : {"AMP-4C", "SD-150", "AL-300"})
        EXPECT_EQ(textsWith(preview.document->pages[0], QLatin1String(model)), 1) << model;
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('|')).toStdString();

    // Two products picked with Ctrl held: their labels alone, in list order.
    clickCell(grid, 1, 1);
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      WindowSupport::cellCentre(grid, 3, 2));
    WindowSupport::whenModalShows([](QWidget *modal) {
        EXPECT_EQ(child<QRadioButton>(modal, QStringLiteral("optSelected"))->text(),
                  QStringLiteral("The 2 products picked in the list"));
        qobject_cast<QDialog *>(modal)->accept();
    });
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdLabels")), Qt::LeftButton);
    ASSERT_EQ(preview.previews, 3);
    EXPECT_EQ(textsWith(preview.document->pages[0], QStringLiteral("AMP-4C")), 1);
    EXPECT_EQ(textsWith(preview.document->pages[0], QStringLiteral("AL-300")), 1);
    EXPECT_EQ(textsWith(preview.document->pages[0], QStringLiteral("SD-150")), 0);

    // Nothing on hand: said so.
    Database::Execute(QStringLiteral("update product set qoh = 0"));
    WindowSupport::whenModalShows([](QWidget *modal) {
        child<QRadioButton>(modal, QStringLiteral("optOnHand"))->click();
        qobject_cast<QDialog *>(modal)->accept();
    });
    QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdLabels")), Qt::LeftButton);
    EXPECT_EQ(preview.previews, 3);
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("None of these products has a piece on hand: no labels were printed."));
}

INSTANTIATE_TEST_SUITE_P(Engines, InventoryWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
