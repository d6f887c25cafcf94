#pragma once

#include <QFont>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

class QModelIndex;
class QTableView;
class vbalGridModel;

// The grid every list window shows. Rows and columns are numbered from 1;
// row 0 or column 0 names nothing (getters give empty values, setters do
// nothing). Colours are the old colour numbers of widgets/OleColor.h
// (-1 = default, 255 = red). Item data holds a 64-bit record id per cell.
//
// Events whose handler may veto (bCancel, bDoDefault, bStayInEditMode) carry
// a bool pointer: connect them directly (the default in one thread) and set
// *cancel = true (or *doDefault = false) to answer.
//
// In-place editing (Editable = true): F2, a typed character or a double-click
// on a cell raises RequestEdit. The handler either sets *cancel, or places its
// own edit box over the cell with EditOverCell(box). The grid then watches
// the box: Enter, Tab or a click elsewhere raise CommitEdit with the box's
// text (a handler that sets *stayInEditMode keeps the box open), then
// EditCancelled; Escape raises EditCancelled alone. After either the grid
// hides the box and takes the focus back.
class vbalGrid : public QWidget
{
    Q_OBJECT
public:
    // Text flags of SetCell (the DrawText flags the windows have always used).
    static constexpr int DT_CENTER = 0x1;
    static constexpr int DT_RIGHT = 0x2;
    static constexpr int DT_WORDBREAK = 0x10;
    static constexpr int DT_SINGLELINE = 0x20;
    static constexpr int DT_END_ELLIPSIS = 0x8000;
    static constexpr int DT_MODIFYSTRING = 0x10000;
    static constexpr int DT_WORD_ELLIPSIS = 0x40000;
    // One line, cut with an ellipsis (0x40020), the default.
    static constexpr int OneLine = DT_WORD_ELLIPSIS | DT_SINGLELINE;
    // Wrapped over several lines (0x18010).
    static constexpr int Wrapped = DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING;

    // Header alignment of AddColumn.
    enum HeaderAlign { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
    // Orders of SortByColumn.
    enum SortOrder { SortAscending = 1, SortDescending = 2 };

    explicit vbalGrid(QWidget *parent = nullptr);
    ~vbalGrid() override;

    // --- Columns ---
    // Appends a column; returns its number. Keys should be unique.
    int AddColumn(const QString &key, const QString &header, HeaderAlign align = AlignLeft, int iconIndex = -1,
                  int width = 64);
    int ColumnCount() const;
    QString ColumnKeyAt(int col) const;
    // The number of the column with that key (compared without case), 0 if none.
    int ColumnIndex(const QString &key) const;
    QString ColumnHeader(int col) const;
    void SetColumnHeader(int col, const QString &header);
    QString ColumnTag(int col) const;
    void SetColumnTag(int col, const QString &tag);
    int ColumnWidth(int col) const;
    void SetColumnWidth(int col, int width); // raises no ColumnResized
    // The pixel offset of a column's left edge from the grid's left edge.
    int ColumnLeft(int col) const;

    // "Col_" & n widths in the settings store (SaveObjectSetting /
    // GetObjectSetting of this grid, so the grid and its window need their
    // object names first): reads every column's saved width now (default: the
    // width given to AddColumn) and saves each width the user drags from now on.
    void KeepColumnWidths();

    // The "Remove" column of editable lists: an empty header by default, and
    // cells reading "Remove", centred, in red. Returns the column's number.
    int AddRemoveColumn(const QString &key = QStringLiteral("Remove"), const QString &header = QString(),
                        int width = 80, int iconIndex = -1);
    int RemoveColumn() const { return m_removeColumn; }
    // Writes "Remove" into that column of a row.
    void SetRemoveCell(int row);
    // For a MouseUp handler: the selected row when the release was of the left
    // button, inside that row's Remove cell, and the cell reads "Remove";
    // else 0.
    int RemoveCellHit(int button, int x, int y) const;

    // --- Rows ---
    void ClearRows();
    int RowCount() const;
    void SetRowCount(int rows);
    // Grows the grid by one row; returns its number.
    int AddRow();
    // Rows can be hidden and keep their numbers: every member speaks of rows
    // by the number they were added with, shown or not (RowCount counts them
    // all; a hidden row has no CellRect and is never selected).
    bool RowVisible(int row) const;
    void SetRowVisible(int row, bool visible);
    // Shows only these rows (in row order), hiding the others at once: a
    // narrowed list without a refill.
    void ShowOnlyRows(const std::vector<int> &rows);
    void ShowAllRows();
    int VisibleRowCount() const;
    // The rows shown, top to bottom.
    std::vector<int> VisibleRows() const;
    // False before a bulk load, True after it: nothing is drawn in between.
    bool RedrawEnabled() const;
    void SetRedrawEnabled(bool enabled);

    // --- Cells ---
    void SetCell(int row, int col, const QString &text, int format = OneLine, int icon = -1, qint64 backColor = -1,
                 qint64 foreColor = -1, const QFont *font = nullptr, int indent = 0, int extraIcon = -1,
                 qint64 itemData = 0);
    QString CellValue(int row, int col) const;
    void SetCellValue(int row, int col, const QString &text);
    qint64 CellItemData(int row, int col) const;
    void SetCellItemData(int row, int col, qint64 itemData);
    // The cell's own font, else the grid's.
    QFont CellFont(int row, int col) const;
    void SetCellFont(int row, int col, const QFont &font);
    int CellFormat(int row, int col) const;
    qint64 CellForeColor(int row, int col) const;
    qint64 CellBackColor(int row, int col) const;
    void SetCellColors(int row, int col, qint64 backColor, qint64 foreColor);

    // Sorts the rows by a column's text, without regard to case.
    void SortByColumn(int col, int order = SortAscending);

    // The cell rectangle in pixels relative to the grid (as x, y, width,
    // height, and in the old out-argument form).
    QRect CellRect(int row, int col) const;
    void CellRect(int row, int col, int &left, int &top, int &width, int &height) const;
    // The cell under a point of the grid; false when there is none.
    bool CellAt(int x, int y, int *row, int *col) const;

    // --- Selection and look ---
    int SelectedRow() const; // 0 when none
    int SelectedCol() const;
    void SetSelectedRow(int row);
    void SetSelectedCell(int row, int col);
    void EnsureVisible(int row);
    bool RowMode() const { return m_rowMode; }
    void SetRowMode(bool wholeRows);
    // Several rows at once (Ctrl and Shift with the mouse or keys); off by
    // default. SelectedRow stays the row of the current cell.
    void SetMultiSelect(bool on);
    // The rows selected, in row order (the current one alone without
    // multiple selection; none when nothing is selected).
    std::vector<int> SelectedRows() const;
    bool Editable() const { return m_editable; }
    void SetEditable(bool editable) { m_editable = editable; }
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int pixels);
    bool GridLines() const;
    void SetGridLines(bool on);
    // The grid colour setting (the colour of the lines between cells).
    qint64 GridLineColor() const { return m_gridLineColor; }
    void SetGridLineColor(qint64 color);
    void SetBackColor(qint64 color);
    void SetForeColor(qint64 color);
    void SetHeaderVisible(bool visible);
    // The image list cell and header icons index (from 0).
    void SetImageList(const QList<QIcon> &icons);

    // --- In-place editing ---
    // Puts the host's edit box over the cell of the pending (or a running)
    // edit, in front and focused, and starts watching it. Call from a
    // RequestEdit handler. The box may belong to the window that holds the
    // grid; a box without a parent, or one last used over another grid,
    // becomes a child of this grid. Give it the cell's font (CellFont) first.
    void EditOverCell(QWidget *editor);
    // The same for any cell (starts an edit there).
    void EditOverCell(QWidget *editor, int row, int col);
    bool InEditMode() const { return m_editor != nullptr; }
    int EditRow() const { return m_editRow; }
    int EditCol() const { return m_editCol; }
    // Ends a running edit as the user would: commit (CommitEdit, then
    // EditCancelled) or cancel (EditCancelled).
    void EndEdit();
    void CancelEdit();
    // Raises RequestEdit for a cell, as F2 would.
    void StartEdit(int row, int col, int keyAscii = 0);

    // The table view inside (for focus and screenshots; windows use the
    // members above).
    QTableView *view() const { return m_view; }

signals:
    void ColumnClick(int col);
    void ColumnResized(int col, int width, bool *cancel);
    void SelectionChange(int row, int col);
    void RequestEdit(int row, int col, int keyAscii, bool *cancel);
    void CommitEdit(int row, int col, const QString &newValue, bool *stayInEditMode);
    void EditCancelled();
    void KeyDown(int keyCode, int shift, bool *doDefault);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, int x, int y, bool *doDefault);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void DblClick(int row, int col);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool validCell(int row, int col) const;
    QModelIndex modelIndex(int row, int col) const; // invalid when hidden
    int rowOf(const QModelIndex &index) const;
    bool viewKeyEvent(QEvent *event);
    bool viewportMouseEvent(QEvent *event);
    bool editorEvent(QEvent *event);
    void onSectionResized(int logical, int oldSize, int newSize);
    void onCurrentChanged();
    void finishEdit();
    void updateGridStyle();
    QPoint toGrid(const QPoint &viewportPos) const;

    QTableView *m_view = nullptr;
    vbalGridModel *m_model = nullptr;
    QPointer<QWidget> m_editor;
    int m_editRow = 0;
    int m_editCol = 0;
    bool m_editRequested = false;
    bool m_committing = false;
    bool m_rowMode = false;
    bool m_editable = false;
    bool m_keepWidths = false;
    bool m_settingWidth = false;
    int m_removeColumn = 0;
    qint64 m_gridLineColor = -1;
};
