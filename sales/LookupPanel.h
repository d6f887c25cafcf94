#pragma once

#include <QFrame>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class vbalGrid;

// A pop-up search panel of the ticket area: a search box, "Search",
// "Cancel" and a result grid. A double-click on a result (or Enter on the
// selected one) raises Picked; the host decides what the pick adds.
class LookupPanel : public QFrame
{
    Q_OBJECT
public:
    // The search fills the grid for the typed words.
    using Search = std::function<void(vbalGrid *grid, const QString &words)>;

    LookupPanel(const QString &name, const QString &caption, const QString &gridName, QWidget *parent);

    void setSearch(Search search) { m_search = std::move(search); }
    // The cell of the first result the keyboard starts on (default column 1).
    void setStartColumn(int col) { m_startColumn = col; }
    vbalGrid *grid() const { return m_grid; }

    // Shown in front at that place, the search box focused.
    void open(const QRect &where);
    // Hidden with its results emptied (after a pick).
    void closeAndClear();

    // Runs the search for the words in the box.
    void search();

signals:
    void Picked(int row, int col);
    // The clerk is done with the panel: "Cancel", Escape, or a pick taken.
    // (Not when the ticket shown again hides it.)
    void Closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void dismiss();

    QLabel *lblCaption = nullptr;
    QLineEdit *txtSearch = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdCancel = nullptr;
    vbalGrid *m_grid = nullptr;
    Search m_search;
    int m_startColumn = 1;
};
