#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class vbalGrid;

// The install-labor price list, edited in place: typing over a cell opens an
// edit box over it and the change is written when the edit ends (prices as
// "00.00"). New Item adds a placeholder row to edit; the Remove cell deletes
// an item after a question. Column widths and the window's size and place
// are kept. Not modal.
class frmInstallHours : public QWidget
{
    Q_OBJECT
public:
    explicit frmInstallHours(QWidget *parent = nullptr);

    // Reads the list again from the database.
    void FillList();
    // Adds a placeholder item and lists it, selected.
    void NewItem();

    vbalGrid *grid() const { return vbalGrid1; }
    QLineEdit *editBox() const { return TxtEdit; }
    // The list row of a labor item, 0 when it is not listed.
    int rowOfLabor(int laborId) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The columns the window reads back: the id rides on the first.
    static constexpr int kIdColumn = 1;
    static constexpr int kDescriptionColumn = 2;

    void addColumns();
    void loadWindow();
    void onRequestEdit(int row, int col, int keyAscii, bool *cancel);
    void onCommitEdit(int row, int col);
    void onMouseUp(int button, int shift, int x, int y);

    vbalGrid *vbalGrid1;
    QLineEdit *TxtEdit;
    QPushButton *cmdRefreshList;
    QPushButton *cmdNew;

    bool m_loading = false;
    bool m_loaded = false;
};
