#include "catalog/frmInventory.h"

#include "catalog/GridClickChange.h"
#include "catalog/NewProductId.h"
#include "catalog/ProductDetail.h"
#include "catalog/ProductLabels.h"
#include "catalog/ProductStore.h"
#include "catalog/frmNewProduct.h"
#include "catalog/frmPrintLabels.h"
#include "data/NullToSpace.h"
#include "data/Recordset.h"
#include "data/UserPrompts.h"
#include "reports/ProductReports.h"
#include "widgets/ObjectSettings.h"
#include "widgets/OleColor.h"
#include "widgets/Splitter.h"
#include "widgets/WindowPlacement.h"
#include "widgets/vbalGrid.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmInventory::frmInventory(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , Splitter1(new Splitter(this))
    , ProductDetail1(new ProductDetail(this))
{
    setObjectName(QStringLiteral("frmInventory"));
    setWindowTitle(QStringLiteral("Store Inventory"));
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(Splitter1);
    picList = buildList();
    addColumns();
    connect(cmdRefreshList, &QPushButton::clicked, this, &frmInventory::FillList);
    connect(cmdNew, &QPushButton::clicked, this, &frmInventory::NewItem);
    connect(cmdPrint, &QPushButton::clicked, this, &frmInventory::PrintList);
    connect(cmdLabels, &QPushButton::clicked, this, &frmInventory::PrintLabels);
    connect(vbalGrid1, &vbalGrid::SelectionChange, this, [this](int row, int) { pickRow(row); });
    connect(vbalGrid1, &vbalGrid::DblClick, this, [this](int row, int) { pickRow(row); });
    connect(vbalGrid1, &vbalGrid::MouseUp, this, &frmInventory::onMouseUp);
    connect(Splitter1, &Splitter::Resize, this, &frmInventory::onSplitterResize);
}

QWidget *frmInventory::buildList()
{
    auto *list = new QWidget(this);
    list->setObjectName(QStringLiteral("picList"));
    auto *layout = new QVBoxLayout(list);
    layout->setContentsMargins(4, 4, 4, 4);
    Label1 = new QLabel(QStringLiteral("Equipment List"), list);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Label1);
    buttons->addStretch(1);
    const auto button = [list, buttons](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, list);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    cmdPrint = button("cmdPrint", QStringLiteral("Print List"));
    cmdLabels = button("cmdLabels", QStringLiteral("Print Labels"));
    cmdRefreshList = button("cmdRefreshList", QStringLiteral("Refresh List"));
    cmdNew = button("cmdNew", QStringLiteral("New Item"));
    layout->addLayout(buttons);
    vbalGrid1 = new vbalGrid(list);
    vbalGrid1->setObjectName(QStringLiteral("vbalGrid1"));
    vbalGrid1->SetRowMode(true);
    vbalGrid1->SetMultiSelect(true); // labels for several products
    vbalGrid1->SetGridLines(true);
    vbalGrid1->SetDefaultRowHeight(30);
    layout->addWidget(vbalGrid1, 1);
    return list;
}

void frmInventory::addColumns()
{
    vbalGrid1->AddColumn(QStringLiteral("Category"), QStringLiteral("Cat."), vbalGrid::AlignLeft, -1, 80);
    vbalGrid1->AddColumn(QStringLiteral("modelnumber"), QStringLiteral("Model No."), vbalGrid::AlignLeft, -1, 100);
    vbalGrid1->AddColumn(QStringLiteral("Description"), QStringLiteral("Description"), vbalGrid::AlignLeft, -1, 100);
    vbalGrid1->AddColumn(QStringLiteral("QOH"), QStringLiteral("QOH"), vbalGrid::AlignLeft, -1, 50);
    vbalGrid1->AddColumn(QStringLiteral("Available"), QStringLiteral("Available"), vbalGrid::AlignLeft, -1, 50);
    vbalGrid1->AddColumn(QStringLiteral("Price"), QStringLiteral("Price"), vbalGrid::AlignLeft, -1, 70);
    vbalGrid1->AddRemoveColumn(QStringLiteral("Remove"), QString(), 80);
}

void frmInventory::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        loadWindow();
    QWidget::showEvent(event);
}

void frmInventory::loadWindow()
{
    m_loaded = true;
    m_loading = true;
    Splitter1->setChild1(picList);
    Splitter1->setChild2(ProductDetail1);
    ProductDetail1->hide();
    const int percent = int(GetObjectSetting(this, QStringLiteral("SplitPercent"), QStringLiteral("50")).toDouble());
    Splitter1->setSplitPercent(percent > 0 ? percent : 50);
    Splitter1->setSplitterWidth(50);
    Splitter1->setSplitterColor(0xFF0000);
    vbalGrid1->KeepColumnWidths();
    FillList();
    WindowPlacement::Restore(this);
    m_loading = false;
}

void frmInventory::closeEvent(QCloseEvent *event)
{
    WindowPlacement::Save(this);
    QWidget::closeEvent(event);
}

void frmInventory::FillList()
{
    const std::optional<Recordset> rs = ProductStore::AvailableList();
    if (!rs)
        return;
    m_filling = true;
    vbalGrid1->SetRedrawEnabled(false);
    vbalGrid1->ClearRows();
    vbalGrid1->SetRowCount(rs->rowCount());
    const int id = rs->columnIndex(QStringLiteral("id"));
    const int columns[] = {
        rs->columnIndex(QStringLiteral("category")),    rs->columnIndex(QStringLiteral("modelnumber")),
        rs->columnIndex(QStringLiteral("description")), rs->columnIndex(QStringLiteral("qoh")),
        rs->columnIndex(QStringLiteral("available")),   rs->columnIndex(QStringLiteral("price"))};
    for (int r = 0; r < rs->rowCount(); ++r) {
        const int row = r + 1;
        vbalGrid1->SetCell(row, 1, NullToSpace(rs->value(r, columns[0])), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1,
                           rs->value(r, id).toLongLong());
        for (int c = 1; c < 6; ++c) {
            vbalGrid1->SetCell(row, c + 1, NullToSpace(rs->value(r, columns[c])),
                               c + 1 == kDescriptionColumn ? vbalGrid::Wrapped : vbalGrid::OneLine);
        }
        vbalGrid1->SetRemoveCell(row);
    }
    vbalGrid1->SetRedrawEnabled(true);
    m_filling = false;
}

int frmInventory::rowOfProduct(int productId) const
{
    for (int r = 1; r <= vbalGrid1->RowCount(); ++r) {
        if (vbalGrid1->CellItemData(r, kIdColumn) == productId)
            return r;
    }
    return 0;
}

void frmInventory::pickRow(int row)
{
    if (m_filling || row < 1)
        return;
    showProduct(int(vbalGrid1->CellItemData(row, kIdColumn)));
}

void frmInventory::showProduct(int productId)
{
    m_productId = productId;
    ProductDetail1->show();
    ProductDetail1->LoadProduct(productId);
}

void frmInventory::onMouseUp(int button, int, int x, int y)
{
    const int row = vbalGrid1->RemoveCellHit(button, x, y);
    if (row == 0)
        return;
    const int id = int(vbalGrid1->CellItemData(row, kIdColumn));
    const QString question = QStringLiteral("Remove   ") + vbalGrid1->CellValue(row, kIdColumn) + QStringLiteral(") ")
        + vbalGrid1->CellValue(row, kDescriptionColumn) + QStringLiteral("?");
    if (!Prompts().askYesNo(question))
        return;
    RunGridClickChange([id] { return ProductStore::Delete(id); });
    FillList(); // a failed delete still shows the list as it stands
    ProductDetail1->hide();
    m_productId = 0;
}

void frmInventory::NewItem()
{
    SetNewProductId(0);
    {
        frmNewProduct window(this);
        window.exec();
    }
    const int id = NewProductId();
    if (id <= 0)
        return;
    FillList();
    if (const int row = rowOfProduct(id)) {
        m_filling = true;
        vbalGrid1->SetSelectedRow(row);
        vbalGrid1->EnsureVisible(row);
        m_filling = false;
    }
    showProduct(id);
}

void frmInventory::PrintList()
{
    PrintInventory();
}

void frmInventory::PrintLabels()
{
    QList<int> ids;
    QStringList names;
    for (const int row : vbalGrid1->SelectedRows()) {
        ProductLabels::Product picked;
        picked.id = int(vbalGrid1->CellItemData(row, kIdColumn));
        picked.modelNumber = vbalGrid1->CellValue(row, kModelColumn);
        picked.description = vbalGrid1->CellValue(row, kDescriptionColumn);
        ids.append(picked.id);
        names.append(picked.Name());
    }
    frmPrintLabels window(names, this);
    if (window.exec() != QDialog::Accepted)
        return;
    // A label the clerk picked is refused when it cannot be made; every
    // product's run leaves out those without a bar code and says which.
    const bool all = window.allProducts();
    const auto products = all ? ProductLabels::ReadAll() : ProductLabels::Read(ids);
    if (!products)
        return;
    const auto print = all ? ProductLabels::PrintEveryLabel : ProductLabels::PrintLabels;
    const ReportResult result = print(*products, window.choice(), ReportOutput::interactive());
    if (result.status == ReportResult::Status::NoDocument)
        Prompts().message(QStringLiteral("None of these products has a piece on hand: no labels were printed."),
                          QStringLiteral("Labels"));
}

void frmInventory::onSplitterResize()
{
    // The first layouts come before the stored split has been applied.
    if (m_loading || !m_loaded)
        return;
    SaveObjectSetting(this, QStringLiteral("SplitPercent"), QString::number(Splitter1->SplitPercent()));
}
