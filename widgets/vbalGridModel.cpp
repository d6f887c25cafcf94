#include "widgets/vbalGridModel.h"

#include "widgets/OleColor.h"

#include <QBrush>
#include <algorithm>
#include <numeric>

namespace {

constexpr int kDtCenter = 0x1;
constexpr int kDtRight = 0x2;
constexpr int kDtBottom = 0x8;

Qt::Alignment cellAlignment(int format)
{
    Qt::Alignment h = Qt::AlignLeft;
    if (format & kDtCenter)
        h = Qt::AlignHCenter;
    else if (format & kDtRight)
        h = Qt::AlignRight;
    return h | ((format & kDtBottom) ? Qt::AlignBottom : Qt::AlignVCenter);
}

Qt::Alignment headerAlignment(int align)
{
    switch (align) {
    case 1:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

vbalGridModel::vbalGridModel(QObject *parent) : QAbstractTableModel(parent)
{ }

int vbalGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shownCount();
}

int vbalGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant vbalGridModel::icon(int index) const
{
    if (index < 0 || index >= m_icons.size())
        return QVariant();
    return m_icons[index];
}

QVariant vbalGridModel::data(const QModelIndex &index, int role) const
{
    // Views may still ask about old rows while a bulk change is under way.
    if (!index.isValid() || index.row() >= shownCount() || index.column() >= int(m_columns.size()))
        return QVariant();
    const vbalGridCell &c = cell(storedRow(index.row()), index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return c.text;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(cellAlignment(c.format));
    case Qt::ForegroundRole: {
        const QColor color = OleColor::ToQColor(c.foreColor);
        return color.isValid() ? QVariant(QBrush(color)) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor color = OleColor::ToQColor(c.backColor);
        return color.isValid() ? QVariant(QBrush(color)) : QVariant();
    }
    case Qt::FontRole:
        if (const QFont *f = fontAt(c.font))
            return *f;
        return QVariant();
    case Qt::DecorationRole:
        return icon(c.icon);
    case FormatRole:
        return c.format;
    case IndentRole:
        return int(c.indent);
    case ItemDataRole:
        return c.itemData;
    default:
        return QVariant();
    }
}

QVariant vbalGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_columns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    const vbalGridColumn &col = m_columns[size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        return col.header;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(headerAlignment(col.align));
    case Qt::DecorationRole:
        return icon(col.icon);
    default:
        return QVariant();
    }
}

Qt::ItemFlags vbalGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Editing belongs to the host's own edit box, never to a Qt editor.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

int vbalGridModel::addColumn(const vbalGridColumn &column)
{
    const int c = int(m_columns.size());
    if (!m_frozen)
        beginInsertColumns(QModelIndex(), c, c);
    std::vector<vbalGridCell> cells;
    cells.resize(size_t(m_rows) * (m_columns.size() + 1));
    for (int r = 0; r < m_rows; ++r) {
        for (int k = 0; k < c; ++k)
            cells[size_t(r) * size_t(c + 1) + size_t(k)] = std::move(m_cells[offset(r, k)]);
    }
    m_columns.push_back(column);
    m_cells = std::move(cells);
    if (!m_frozen)
        endInsertColumns();
    return c;
}

void vbalGridModel::setColumnHeader(int c, const QString &header)
{
    m_columns[size_t(c)].header = header;
    if (!m_frozen)
        emit headerDataChanged(Qt::Horizontal, c, c);
}

int vbalGridModel::columnOfKey(const QString &key) const
{
    for (size_t c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].key.compare(key, Qt::CaseInsensitive) == 0)
            return int(c);
    }
    return -1;
}

// New rows show; rows cut off go, shown or not. The shown rows being
// ascending, both happen at the end of the view.
void vbalGridModel::setRows(int rows)
{
    rows = std::max(0, rows);
    if (rows == m_rows)
        return;
    const bool grow = rows > m_rows;
    int keptShown = shownCount();
    if (m_filtered && !grow)
        keptShown = int(std::lower_bound(m_shown.begin(), m_shown.end(), rows) - m_shown.begin());
    const int shownAfter = grow ? shownCount() + (rows - m_rows) : keptShown;
    const bool viewChanges = !m_frozen && shownAfter != shownCount();
    if (viewChanges) {
        if (grow)
            beginInsertRows(QModelIndex(), shownCount(), shownAfter - 1);
        else
            beginRemoveRows(QModelIndex(), shownAfter, shownCount() - 1);
    }
    m_cells.resize(size_t(rows) * m_columns.size());
    if (m_filtered) {
        m_viewRow.resize(size_t(rows), -1);
        if (grow) {
            for (int r = m_rows; r < rows; ++r) {
                m_viewRow[size_t(r)] = int(m_shown.size());
                m_shown.push_back(r);
            }
        } else {
            m_shown.resize(size_t(keptShown));
        }
    }
    m_rows = rows;
    if (viewChanges) {
        if (grow)
            endInsertRows();
        else
            endRemoveRows();
    }
}

void vbalGridModel::resetViews(const std::function<void()> &change)
{
    if (!m_frozen)
        beginResetModel();
    change();
    if (!m_frozen)
        endResetModel();
}

void vbalGridModel::clearRows()
{
    resetViews([this] {
        m_cells.clear();
        m_rows = 0;
        m_fonts.clear();
        m_filtered = false;
        m_shown.clear();
        m_viewRow.clear();
    });
}

void vbalGridModel::rebuildViewRows()
{
    m_viewRow.assign(size_t(m_rows), -1);
    for (size_t v = 0; v < m_shown.size(); ++v)
        m_viewRow[size_t(m_shown[v])] = int(v);
}

void vbalGridModel::setShownRows(std::vector<int> shownRows)
{
    resetViews([&] {
        m_filtered = true;
        m_shown = std::move(shownRows);
        rebuildViewRows();
    });
}

void vbalGridModel::showAllRows()
{
    if (!m_filtered)
        return;
    resetViews([this] {
        m_filtered = false;
        m_shown.clear();
        m_viewRow.clear();
    });
}

void vbalGridModel::setRowVisible(int r, bool visible)
{
    if (rowVisible(r) == visible)
        return;
    if (!m_filtered) {
        m_filtered = true;
        m_shown.resize(size_t(m_rows));
        for (int i = 0; i < m_rows; ++i)
            m_shown[size_t(i)] = i;
        rebuildViewRows();
    }
    const int at = int(std::lower_bound(m_shown.begin(), m_shown.end(), r) - m_shown.begin());
    if (!m_frozen) {
        if (visible)
            beginInsertRows(QModelIndex(), at, at);
        else
            beginRemoveRows(QModelIndex(), at, at);
    }
    if (visible)
        m_shown.insert(m_shown.begin() + at, r);
    else
        m_shown.erase(m_shown.begin() + at);
    rebuildViewRows();
    if (!m_frozen) {
        if (visible)
            endInsertRows();
        else
            endRemoveRows();
    }
}

void vbalGridModel::cellChanged(int r, int c)
{
    if (m_frozen || !rowVisible(r))
        return;
    const QModelIndex i = index(viewRow(r), c);
    emit dataChanged(i, i);
}

void vbalGridModel::setCell(int r, int c, vbalGridCell cell)
{
    m_cells[offset(r, c)] = std::move(cell);
    cellChanged(r, c);
}

void vbalGridModel::setText(int r, int c, const QString &text)
{
    m_cells[offset(r, c)].text = text;
    cellChanged(r, c);
}

void vbalGridModel::setFont(int r, int c, const QFont &font)
{
    m_cells[offset(r, c)].font = qint16(fontIndex(font));
    cellChanged(r, c);
}

void vbalGridModel::setColors(int r, int c, qint32 back, qint32 fore)
{
    vbalGridCell &cell = m_cells[offset(r, c)];
    cell.backColor = back;
    cell.foreColor = fore;
    cellChanged(r, c);
}

int vbalGridModel::fontIndex(const QFont &font)
{
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i] == font)
            return int(i);
    }
    if (m_fonts.size() >= 32000)
        return -1;
    m_fonts.push_back(font);
    return int(m_fonts.size() - 1);
}

const QFont *vbalGridModel::fontAt(int index) const
{
    if (index < 0 || size_t(index) >= m_fonts.size())
        return nullptr;
    return &m_fonts[size_t(index)];
}

void vbalGridModel::setFrozen(bool frozen)
{
    if (frozen == m_frozen)
        return;
    if (frozen) {
        beginResetModel();
        m_frozen = true;
    } else {
        m_frozen = false;
        endResetModel();
    }
}

void vbalGridModel::sortByColumn(int c, bool ascending)
{
    if (m_rows < 2)
        return;
    std::vector<QString> keys(static_cast<size_t>(m_rows));
    for (int r = 0; r < m_rows; ++r)
        keys[size_t(r)] = cell(r, c).text.toCaseFolded();
    std::vector<int> order(static_cast<size_t>(m_rows));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ascending ? keys[size_t(a)] < keys[size_t(b)] : keys[size_t(b)] < keys[size_t(a)];
    });

    QModelIndexList before;
    std::vector<int> storedBefore;
    if (!m_frozen) {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        before = persistentIndexList();
        for (const QModelIndex &i : before)
            storedBefore.push_back(storedRow(i.row()));
    }
    const size_t cols = m_columns.size();
    std::vector<vbalGridCell> sorted(m_cells.size());
    std::vector<int> newRowOf(static_cast<size_t>(m_rows));
    for (int to = 0; to < m_rows; ++to) {
        const int from = order[size_t(to)];
        newRowOf[size_t(from)] = to;
        std::move(m_cells.begin() + std::ptrdiff_t(size_t(from) * cols),
                  m_cells.begin() + std::ptrdiff_t(size_t(from + 1) * cols),
                  sorted.begin() + std::ptrdiff_t(size_t(to) * cols));
    }
    m_cells = std::move(sorted);
    if (m_filtered) {
        for (int &r : m_shown)
            r = newRowOf[size_t(r)];
        std::sort(m_shown.begin(), m_shown.end());
        rebuildViewRows();
    }
    if (!m_frozen) {
        QModelIndexList after;
        after.reserve(before.size());
        for (int k = 0; k < before.size(); ++k) {
            const int v = viewRow(newRowOf[size_t(storedBefore[size_t(k)])]);
            after.append(v >= 0 ? index(v, before[k].column()) : QModelIndex());
        }
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
}

void vbalGridModel::setIcons(const QList<QIcon> &icons)
{
    m_icons = icons;
    if (!m_frozen && shownCount() > 0 && !m_columns.empty())
        emit dataChanged(index(0, 0), index(shownCount() - 1, int(m_columns.size()) - 1), {Qt::DecorationRole});
    if (!m_columns.empty())
        emit headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
}
