#include "catalog/frmInstallHours.h"

#include "catalog/GridClickChange.h"
#include "catalog/LaborStore.h"
#include "data/NullToSpace.h"
#include "data/Recordset.h"
#include "data/UserPrompts.h"
#include "widgets/WindowPlacement.h"
#include "widgets/vbalGrid.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

frmInstallHours::frmInstallHours(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , vbalGrid1(new vbalGrid(this))
    , TxtEdit(new QLineEdit(this))
    , cmdRefreshList(new QPushButton(QStringLiteral("Refresh List"), this))
    , cmdNew(new QPushButton(QStringLiteral("New Item"), this))
{
    setObjectName(QStringLiteral("frmInstallHours"));
    setWindowTitle(QStringLiteral("Store Inventory"));
    vbalGrid1->setObjectName(QStringLiteral("vbalGrid1"));
    TxtEdit->setObjectName(QStringLiteral("TxtEdit"));
    TxtEdit->hide();
    cmdRefreshList->setObjectName(QStringLiteral("cmdRefreshList"));
    cmdNew->setObjectName(QStringLiteral("cmdNew"));
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdRefreshList, cmdNew}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(vbalGrid1, 1);
    vbalGrid1->SetEditable(true);
    vbalGrid1->SetGridLines(true);
    vbalGrid1->SetDefaultRowHeight(30);
    addColumns();
    connect(cmdRefreshList, &QPushButton::clicked, this, &frmInstallHours::FillList);
    connect(cmdNew, &QPushButton::clicked, this, &frmInstallHours::NewItem);
    connect(vbalGrid1, &vbalGrid::RequestEdit, this, &frmInstallHours::onRequestEdit);
    connect(vbalGrid1, &vbalGrid::CommitEdit, this,
            [this](int row, int col, const QString &, bool *) { onCommitEdit(row, col); });
    connect(vbalGrid1, &vbalGrid::EditCancelled, TxtEdit, &QWidget::hide);
    connect(vbalGrid1, &vbalGrid::MouseUp, this, &frmInstallHours::onMouseUp);
}

void frmInstallHours::addColumns()
{
    vbalGrid1->AddColumn(QStringLiteral("category"), QStringLiteral("Cat."), vbalGrid::AlignLeft, -1, 120);
    vbalGrid1->AddColumn(QStringLiteral("description"), QStringLiteral("Description"), vbalGrid::AlignLeft, -1, 200);
    vbalGrid1->AddColumn(QStringLiteral("ours"), QStringLiteral("Ours"), vbalGrid::AlignLeft, -1, 50);
    vbalGrid1->AddColumn(QStringLiteral("cog"), QStringLiteral("COG"), vbalGrid::AlignLeft, -1, 50);
    vbalGrid1->AddRemoveColumn(QStringLiteral("Remove"), QString(), 80);
}

void frmInstallHours::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        loadWindow();
    QWidget::showEvent(event);
}

void frmInstallHours::loadWindow()
{
    m_loaded = true;
    m_loading = true;
    vbalGrid1->KeepColumnWidths();
    FillList();
    WindowPlacement::Restore(this);
    m_loading = false;
}

void frmInstallHours::closeEvent(QCloseEvent *event)
{
    vbalGrid1->EndEdit();
    WindowPlacement::Save(this);
    QWidget::closeEvent(event);
}

void frmInstallHours::FillList()
{
    const std::optional<Recordset> rs = LaborStore::ReadList();
    if (!rs)
        return;
    vbalGrid1->SetRedrawEnabled(false);
    vbalGrid1->ClearRows();
    vbalGrid1->SetRowCount(rs->rowCount());
    for (int r = 0; r < rs->rowCount(); ++r) {
        const int row = r + 1;
        vbalGrid1->SetCell(row, 1, NullToSpace(rs->value(r, QStringLiteral("category"))), vbalGrid::OneLine, -1, -1, -1,
                           nullptr, 0, -1, rs->value(r, QStringLiteral("id")).toLongLong());
        vbalGrid1->SetCell(row, 2, NullToSpace(rs->value(r, QStringLiteral("description"))), vbalGrid::Wrapped);
        vbalGrid1->SetCell(row, 3, NullToSpace(rs->value(r, QStringLiteral("ours"))));
        vbalGrid1->SetCell(row, 4, NullToSpace(rs->value(r, QStringLiteral("cog"))));
        vbalGrid1->SetRemoveCell(row);
    }
    vbalGrid1->SetRedrawEnabled(true);
}

int frmInstallHours::rowOfLabor(int laborId) const
{
    for (int r = 1; r <= vbalGrid1->RowCount(); ++r) {
        if (vbalGrid1->CellItemData(r, kIdColumn) == laborId)
            return r;
    }
    return 0;
}

void frmInstallHours::NewItem()
{
    const qint64 id = LaborStore::AddPlaceholder();
    FillList();
    if (const int row = id > 0 ? rowOfLabor(int(id)) : 0) {
        vbalGrid1->SetSelectedCell(row, kIdColumn);
        vbalGrid1->EnsureVisible(row);
        vbalGrid1->view()->setFocus();
    }
}

void frmInstallHours::onRequestEdit(int row, int col, int keyAscii, bool *cancel)
{
    if (m_loading || vbalGrid1->ColumnKeyAt(col).trimmed().toLower() == QLatin1String("remove")) {
        *cancel = true;
        return;
    }
    const QString text = keyAscii != 0 ? QString(QChar(keyAscii)) : vbalGrid1->CellValue(row, col).trimmed();
    TxtEdit->setFont(vbalGrid1->CellFont(row, col));
    TxtEdit->setText(text);
    TxtEdit->setCursorPosition(int(text.size()));
    vbalGrid1->EditOverCell(TxtEdit);
}

void frmInstallHours::onCommitEdit(int row, int col)
{
    const std::optional<LaborStore::Column> column = LaborStore::ColumnOfKey(vbalGrid1->ColumnKeyAt(col));
    if (!column)
        return;
    QString refusal;
    const std::optional<QString> edited = LaborStore::EditedText(*column, TxtEdit->text(), &refusal);
    if (!edited) {
        Prompts().message(refusal); // the cell and the stored price stay as they were
        return;
    }
    LaborStore::Write(int(vbalGrid1->CellItemData(row, kIdColumn)), *column, *edited);
    vbalGrid1->SetCellValue(row, col, *edited);
}

void frmInstallHours::onMouseUp(int button, int, int x, int y)
{
    const int row = vbalGrid1->RemoveCellHit(button, x, y);
    if (row == 0)
        return;
    const int id = int(vbalGrid1->CellItemData(row, kIdColumn));
    const QString question = QStringLiteral("Remove   ") + vbalGrid1->CellValue(row, kIdColumn).trimmed()
        + QStringLiteral(" => ") + vbalGrid1->CellValue(row, kDescriptionColumn) + QStringLiteral("?");
    if (!Prompts().askYesNo(question))
        return;
    RunGridClickChange([id] { return LaborStore::Delete(id); });
    FillList();
}
