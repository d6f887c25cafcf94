#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

// One cell: its text, its record id and how it is drawn. Colours are the old
// colour numbers (-1 = the grid's own), icons index the grid's image list.
struct vbalGridCell
{
    QString text;
    qint64 itemData = 0;
    int format = 0x40020; // DT_WORD_ELLIPSIS | DT_SINGLELINE
    qint32 backColor = -1;
    qint32 foreColor = -1;
    qint16 icon = -1;
    qint16 extraIcon = -1;
    qint16 indent = 0;
    qint16 font = -1; // index into the model's fonts; -1 = the grid's font
};

struct vbalGridColumn
{
    QString key;
    QString header;
    QString tag;
    int align = 0; // 0 left, 1 centre, 2 right
    int icon = -1;
    int width = 64; // the width given when the column was added
};

// The rows and columns behind a vbalGrid, kept as one flat array of cells so
// that a hundred thousand rows fill in a few milliseconds. Indexes here are
// 0-based; the grid turns the 1-based numbers of its callers into these.
//
// Rows may be hidden: the views then see only the shown rows ("view rows"),
// while every member here but rowCount() and data() speaks of stored rows,
// so a row keeps its number whether it shows or not. Showing another subset
// costs a list of numbers, not a refill.
class vbalGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Extra roles the delegate reads.
    enum Role { FormatRole = Qt::UserRole + 1, IndentRole, ItemDataRole };

    explicit vbalGridModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Columns.
    int addColumn(const vbalGridColumn &column);
    const vbalGridColumn &column(int c) const { return m_columns[size_t(c)]; }
    void setColumnTag(int c, const QString &tag) { m_columns[size_t(c)].tag = tag; }
    void setColumnHeader(int c, const QString &header);
    int columnOfKey(const QString &key) const; // -1 when none (keys compare without case)

    // Rows (stored, shown or not).
    int rows() const { return m_rows; }
    void setRows(int rows);
    void clearRows();

    // Which rows show. shownRows must be ascending stored rows.
    void setShownRows(std::vector<int> shownRows);
    void showAllRows();
    void setRowVisible(int r, bool visible);
    bool rowVisible(int r) const { return !m_filtered || m_viewRow[size_t(r)] >= 0; }
    int shownCount() const { return m_filtered ? int(m_shown.size()) : m_rows; }
    // Stored row of a view row, and view row of a stored row (-1 when hidden).
    int storedRow(int viewRow) const { return m_filtered ? m_shown[size_t(viewRow)] : viewRow; }
    int viewRow(int storedRow) const { return m_filtered ? m_viewRow[size_t(storedRow)] : storedRow; }

    // Cells (no checks: the grid checks the indexes).
    const vbalGridCell &cell(int r, int c) const { return m_cells[offset(r, c)]; }
    void setCell(int r, int c, vbalGridCell cell);
    void setText(int r, int c, const QString &text);
    void setItemData(int r, int c, qint64 data) { m_cells[offset(r, c)].itemData = data; }
    void setFont(int r, int c, const QFont &font);
    void setColors(int r, int c, qint32 back, qint32 fore);
    int fontIndex(const QFont &font);
    const QFont *fontAt(int index) const;

    // A bulk change: while frozen the views hear nothing; thawing resets them.
    void setFrozen(bool frozen);
    bool frozen() const { return m_frozen; }

    // Sorts the rows by a column's text without regard to case; stable.
    void sortByColumn(int c, bool ascending);

    void setIcons(const QList<QIcon> &icons);

private:
    size_t offset(int r, int c) const { return size_t(r) * m_columns.size() + size_t(c); }
    void cellChanged(int r, int c);
    QVariant icon(int index) const;
    void rebuildViewRows();
    void resetViews(const std::function<void()> &change);

    std::vector<vbalGridColumn> m_columns;
    std::vector<vbalGridCell> m_cells; // row-major
    std::vector<QFont> m_fonts;
    QList<QIcon> m_icons;
    int m_rows = 0;
    bool m_frozen = false;
    bool m_filtered = false;    // false: every row shows
    std::vector<int> m_shown;   // the stored rows that show, ascending
    std::vector<int> m_viewRow; // stored row → view row, -1 when hidden
};
