#pragma once

#include "customers/CustomerList.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class vbalGrid;

// The customer search list: every customer in a grid, narrowed at each
// keystroke by the last-name, first-name and phone boxes (prefixes, without
// regard to case) and by "Recent Customers Only". A double-click (or Enter)
// picks a customer (SelectCustomer); "X" or Escape gives up (Cancel).
//
// The list is read from the database by RefreshDB (the host calls it each
// time it shows the list) and narrowed in memory from then on, so a
// keystroke never waits on the server.
class FindCustomer : public QWidget
{
    Q_OBJECT
public:
    explicit FindCustomer(QWidget *parent = nullptr);

    // Reads the customers afresh and fills the list (narrowed by the boxes).
    void RefreshDB();
    // Narrows the list by the boxes and the check box.
    void EditFilter();
    // Puts a last name (and a first name, when given) into the boxes.
    void SetFilter(const QString &lastName, const QString &firstName = QString());
    // The keyboard in the last-name box, the last search in it selected, so
    // what is typed starts a new one.
    void focusLastName();

    // The customer last picked with the mouse (0 = none).
    int customerid() const { return m_customerid; }
    void setCustomerid(int id) { m_customerid = id; }

    vbalGrid *grid() const { return vbalGrid1; }
    // The number of customers listed now.
    int listedCount() const;

signals:
    void Cancel();
    void SelectCustomer(int customerid);
    void SelectionChange(int row, int col, int customerid);
    void DblClick(int row, int col);
    void MouseDown(int button, int shift, int x, int y, bool *doDefault);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectGrid();
    void fillAll();
    void showHits();
    void layoutFilterRow();
    void onColumnClick(int col);
    void showBusy(bool busy);

    QWidget *Picture1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QCheckBox *chkShowRecent = nullptr;
    vbalGrid *vbalGrid1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;
    QToolButton *Label2 = nullptr;

    CustomerList m_list;
    // The last search and its hits: a longer prefix searches only these.
    CustomerFilter m_lastFilter;
    std::vector<int> m_hits;
    bool m_hitsValid = false;
    bool m_sorted = false;       // the rows were sorted since they were filled
    qint64 m_maxCustomerId = -1; // read once, when the list is first opened
    int m_customerid = 0;
};
