#include "widgets/vbalGrid.h"

#include "widgets/ObjectSettings.h"
#include "widgets/OleColor.h"
#include "widgets/VbInput.h"
#include "widgets/vbalGridDelegate.h"
#include "widgets/vbalGridModel.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

vbalGrid::vbalGrid(QWidget *parent) : QWidget(parent)
{
    m_model = new vbalGridModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("gridView"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new vbalGridDelegate(m_view));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->setSortingEnabled(false);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setMinimumSectionSize(1);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    m_view->viewport()->setMouseTracking(true);

    connect(header, &QHeaderView::sectionClicked, this, [this](int logical) { emit ColumnClick(logical + 1); });
    connect(header, &QHeaderView::sectionResized, this, &vbalGrid::onSectionResized);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &vbalGrid::onCurrentChanged);
    const auto follow = [this] {
        if (m_editor)
            EditOverCell(m_editor, m_editRow, m_editCol);
    };
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
}

vbalGrid::~vbalGrid()
{
    if (m_editor)
        m_editor->removeEventFilter(this);
}

bool vbalGrid::validCell(int row, int col) const
{
    return row >= 1 && row <= m_model->rows() && col >= 1 && col <= m_model->columnCount();
}

QModelIndex vbalGrid::modelIndex(int row, int col) const
{
    if (!validCell(row, col) || !m_model->rowVisible(row - 1))
        return QModelIndex();
    return m_model->index(m_model->viewRow(row - 1), col - 1);
}

int vbalGrid::rowOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_model->shownCount())
        return 0;
    return m_model->storedRow(index.row()) + 1;
}

// --- Columns ---

int vbalGrid::AddColumn(const QString &key, const QString &header, HeaderAlign align, int iconIndex, int width)
{
    vbalGridColumn column;
    column.key = key;
    column.header = header;
    column.align = int(align);
    column.icon = iconIndex;
    column.width = width;
    const int c = m_model->addColumn(column) + 1;
    SetColumnWidth(c, width);
    return c;
}

int vbalGrid::ColumnCount() const
{
    return m_model->columnCount();
}

QString vbalGrid::ColumnKeyAt(int col) const
{
    return col >= 1 && col <= ColumnCount() ? m_model->column(col - 1).key : QString();
}

int vbalGrid::ColumnIndex(const QString &key) const
{
    return m_model->columnOfKey(key) + 1;
}

QString vbalGrid::ColumnHeader(int col) const
{
    return col >= 1 && col <= ColumnCount() ? m_model->column(col - 1).header : QString();
}

void vbalGrid::SetColumnHeader(int col, const QString &header)
{
    if (col >= 1 && col <= ColumnCount())
        m_model->setColumnHeader(col - 1, header);
}

QString vbalGrid::ColumnTag(int col) const
{
    return col >= 1 && col <= ColumnCount() ? m_model->column(col - 1).tag : QString();
}

void vbalGrid::SetColumnTag(int col, const QString &tag)
{
    if (col >= 1 && col <= ColumnCount())
        m_model->setColumnTag(col - 1, tag);
}

int vbalGrid::ColumnWidth(int col) const
{
    return col >= 1 && col <= ColumnCount() ? m_view->horizontalHeader()->sectionSize(col - 1) : 0;
}

void vbalGrid::SetColumnWidth(int col, int width)
{
    if (col < 1 || col > ColumnCount())
        return;
    m_settingWidth = true;
    m_view->horizontalHeader()->resizeSection(col - 1, qMax(0, width));
    m_settingWidth = false;
}

int vbalGrid::ColumnLeft(int col) const
{
    if (col < 1 || col > ColumnCount())
        return 0;
    const int x = m_view->horizontalHeader()->sectionViewportPosition(col - 1);
    return m_view->viewport()->mapTo(this, QPoint(x, 0)).x();
}

void vbalGrid::KeepColumnWidths()
{
    m_keepWidths = true;
    for (int c = 1; c <= ColumnCount(); ++c) {
        const QString fallback = QString::number(m_model->column(c - 1).width);
        bool ok = false;
        const int width = GetObjectSetting(this, QStringLiteral("Col_%1").arg(c), fallback).trimmed().toInt(&ok);
        SetColumnWidth(c, ok && width > 0 ? width : m_model->column(c - 1).width);
    }
}

void vbalGrid::onSectionResized(int logical, int oldSize, int newSize)
{
    if (m_settingWidth)
        return;
    bool cancel = false;
    emit ColumnResized(logical + 1, newSize, &cancel);
    if (cancel) {
        SetColumnWidth(logical + 1, oldSize);
        return;
    }
    if (m_keepWidths)
        SaveObjectSetting(this, QStringLiteral("Col_%1").arg(logical + 1), QString::number(newSize));
    if (m_editor && m_editCol == logical + 1)
        EditOverCell(m_editor, m_editRow, m_editCol);
}

// --- The Remove column ---

int vbalGrid::AddRemoveColumn(const QString &key, const QString &header, int width, int iconIndex)
{
    m_removeColumn = AddColumn(key, header, AlignLeft, iconIndex, width);
    return m_removeColumn;
}

void vbalGrid::SetRemoveCell(int row)
{
    if (!validCell(row, m_removeColumn))
        return;
    SetCell(row, m_removeColumn, QStringLiteral("Remove"), DT_CENTER, -1, OleColor::Default, OleColor::Red, nullptr, 0,
            -1, CellItemData(row, m_removeColumn));
}

int vbalGrid::RemoveCellHit(int button, int x, int y) const
{
    if (button != VbInput::LeftButton || m_removeColumn == 0)
        return 0;
    const int row = SelectedRow();
    if (row == 0 || !CellRect(row, m_removeColumn).contains(x, y))
        return 0;
    return CellValue(row, m_removeColumn).trimmed() == QLatin1String("Remove") ? row : 0;
}

// --- Rows ---

void vbalGrid::ClearRows()
{
    if (m_editor && !m_committing)
        CancelEdit();
    m_model->clearRows();
}

int vbalGrid::RowCount() const
{
    return m_model->rows();
}

void vbalGrid::SetRowCount(int rows)
{
    if (m_editor && !m_committing && rows < m_editRow)
        CancelEdit();
    m_model->setRows(rows);
}

int vbalGrid::AddRow()
{
    m_model->setRows(m_model->rows() + 1);
    return m_model->rows();
}

bool vbalGrid::RowVisible(int row) const
{
    return row >= 1 && row <= RowCount() && m_model->rowVisible(row - 1);
}

void vbalGrid::SetRowVisible(int row, bool visible)
{
    if (row < 1 || row > RowCount())
        return;
    if (!visible && m_editor && m_editRow == row)
        CancelEdit();
    m_model->setRowVisible(row - 1, visible);
}

void vbalGrid::ShowOnlyRows(const std::vector<int> &rows)
{
    if (m_editor)
        CancelEdit();
    std::vector<int> shown;
    shown.reserve(rows.size());
    for (const int r : rows) {
        if (r >= 1 && r <= RowCount())
            shown.push_back(r - 1);
    }
    if (!std::is_sorted(shown.begin(), shown.end()))
        std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    m_model->setShownRows(std::move(shown));
}

void vbalGrid::ShowAllRows()
{
    m_model->showAllRows();
}

int vbalGrid::VisibleRowCount() const
{
    return m_model->shownCount();
}

std::vector<int> vbalGrid::VisibleRows() const
{
    std::vector<int> rows(size_t(m_model->shownCount()));
    for (size_t v = 0; v < rows.size(); ++v)
        rows[v] = m_model->storedRow(int(v)) + 1;
    return rows;
}

bool vbalGrid::RedrawEnabled() const
{
    return !m_model->frozen();
}

void vbalGrid::SetRedrawEnabled(bool enabled)
{
    m_model->setFrozen(!enabled);
}

// --- Cells ---

void vbalGrid::SetCell(int row, int col, const QString &text, int format, int icon, qint64 backColor, qint64 foreColor,
                       const QFont *font, int indent, int extraIcon, qint64 itemData)
{
    if (!validCell(row, col))
        return;
    vbalGridCell cell;
    cell.text = text;
    cell.format = format;
    cell.icon = qint16(icon);
    cell.backColor = qint32(backColor);
    cell.foreColor = qint32(foreColor);
    cell.font = font ? qint16(m_model->fontIndex(*font)) : qint16(-1);
    cell.indent = qint16(indent);
    cell.extraIcon = qint16(extraIcon);
    cell.itemData = itemData;
    m_model->setCell(row - 1, col - 1, std::move(cell));
}

QString vbalGrid::CellValue(int row, int col) const
{
    return validCell(row, col) ? m_model->cell(row - 1, col - 1).text : QString();
}

void vbalGrid::SetCellValue(int row, int col, const QString &text)
{
    if (validCell(row, col))
        m_model->setText(row - 1, col - 1, text);
}

qint64 vbalGrid::CellItemData(int row, int col) const
{
    return validCell(row, col) ? m_model->cell(row - 1, col - 1).itemData : 0;
}

void vbalGrid::SetCellItemData(int row, int col, qint64 itemData)
{
    if (validCell(row, col))
        m_model->setItemData(row - 1, col - 1, itemData);
}

QFont vbalGrid::CellFont(int row, int col) const
{
    if (validCell(row, col)) {
        if (const QFont *f = m_model->fontAt(m_model->cell(row - 1, col - 1).font))
            return *f;
    }
    return m_view->font();
}

void vbalGrid::SetCellFont(int row, int col, const QFont &font)
{
    if (validCell(row, col))
        m_model->setFont(row - 1, col - 1, font);
}

int vbalGrid::CellFormat(int row, int col) const
{
    return validCell(row, col) ? m_model->cell(row - 1, col - 1).format : 0;
}

qint64 vbalGrid::CellForeColor(int row, int col) const
{
    return validCell(row, col) ? m_model->cell(row - 1, col - 1).foreColor : OleColor::Default;
}

qint64 vbalGrid::CellBackColor(int row, int col) const
{
    return validCell(row, col) ? m_model->cell(row - 1, col - 1).backColor : OleColor::Default;
}

void vbalGrid::SetCellColors(int row, int col, qint64 backColor, qint64 foreColor)
{
    if (validCell(row, col))
        m_model->setColors(row - 1, col - 1, qint32(backColor), qint32(foreColor));
}

void vbalGrid::SortByColumn(int col, int order)
{
    if (col < 1 || col > ColumnCount())
        return;
    if (m_editor)
        EndEdit();
    m_model->sortByColumn(col - 1, order != SortDescending);
}

QRect vbalGrid::CellRect(int row, int col) const
{
    const QModelIndex index = modelIndex(row, col);
    if (!index.isValid())
        return QRect();
    const QRect r = m_view->visualRect(index);
    return QRect(m_view->viewport()->mapTo(this, r.topLeft()), r.size());
}

void vbalGrid::CellRect(int row, int col, int &left, int &top, int &width, int &height) const
{
    const QRect r = CellRect(row, col);
    left = r.left();
    top = r.top();
    width = r.width();
    height = r.height();
}

bool vbalGrid::CellAt(int x, int y, int *row, int *col) const
{
    const QPoint p = m_view->viewport()->mapFrom(this, QPoint(x, y));
    const QModelIndex i = m_view->indexAt(p);
    if (!i.isValid())
        return false;
    if (row)
        *row = rowOf(i);
    if (col)
        *col = i.column() + 1;
    return true;
}

// --- Selection and look ---

int vbalGrid::SelectedRow() const
{
    const QItemSelectionModel *sel = m_view->selectionModel();
    const QModelIndex current = sel->currentIndex();
    if (!current.isValid() || current.row() >= m_model->shownCount())
        return 0;
    return sel->isSelected(current) || sel->isRowSelected(current.row(), QModelIndex()) ? rowOf(current) : 0;
}

int vbalGrid::SelectedCol() const
{
    return SelectedRow() ? m_view->selectionModel()->currentIndex().column() + 1 : 0;
}

void vbalGrid::SetSelectedRow(int row)
{
    const int col = qMax(1, m_view->selectionModel()->currentIndex().column() + 1);
    SetSelectedCell(row, qMin(col, qMax(1, ColumnCount())));
}

void vbalGrid::SetSelectedCell(int row, int col)
{
    const QModelIndex index = modelIndex(row, col);
    if (!index.isValid()) {
        m_view->selectionModel()->clear();
        return;
    }
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (m_rowMode)
        flags |= QItemSelectionModel::Rows;
    m_view->selectionModel()->setCurrentIndex(index, flags);
}

void vbalGrid::EnsureVisible(int row)
{
    const QModelIndex index = modelIndex(row, qMax(1, m_view->currentIndex().column() + 1));
    if (index.isValid())
        m_view->scrollTo(index);
}

void vbalGrid::SetRowMode(bool wholeRows)
{
    m_rowMode = wholeRows;
    m_view->setSelectionBehavior(wholeRows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void vbalGrid::SetMultiSelect(bool on)
{
    m_view->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

std::vector<int> vbalGrid::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedIndexes()) {
        if (index.row() < m_model->shownCount())
            rows.push_back(rowOf(index));
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int vbalGrid::DefaultRowHeight() const
{
    return m_view->verticalHeader()->defaultSectionSize();
}

void vbalGrid::SetDefaultRowHeight(int pixels)
{
    m_view->verticalHeader()->setDefaultSectionSize(qMax(1, pixels));
}

bool vbalGrid::GridLines() const
{
    return m_view->showGrid();
}

void vbalGrid::SetGridLines(bool on)
{
    m_view->setShowGrid(on);
}

void vbalGrid::SetGridLineColor(qint64 color)
{
    m_gridLineColor = color;
    updateGridStyle();
}

void vbalGrid::updateGridStyle()
{
    const QColor c = OleColor::ToQColor(m_gridLineColor, palette());
    m_view->setStyleSheet(c.isValid() ? QStringLiteral("QTableView { gridline-color: %1; }").arg(c.name()) : QString());
}

void vbalGrid::SetBackColor(qint64 color)
{
    QPalette p = m_view->palette();
    const QColor c = OleColor::ToQColor(color, palette());
    p.setColor(QPalette::Base, c.isValid() ? c : palette().color(QPalette::Base));
    m_view->setPalette(p);
}

void vbalGrid::SetForeColor(qint64 color)
{
    QPalette p = m_view->palette();
    const QColor c = OleColor::ToQColor(color, palette());
    p.setColor(QPalette::Text, c.isValid() ? c : palette().color(QPalette::Text));
    m_view->setPalette(p);
}

void vbalGrid::SetHeaderVisible(bool visible)
{
    m_view->horizontalHeader()->setVisible(visible);
}

void vbalGrid::SetImageList(const QList<QIcon> &icons)
{
    m_model->setIcons(icons);
}

void vbalGrid::onCurrentChanged()
{
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    if (current.isValid())
        emit SelectionChange(rowOf(current), current.column() + 1);
}
