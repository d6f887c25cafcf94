#pragma once

#include "customers/CustomerList.h"

#include <QSet>
#include <QWidget>

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
// Each search reads only the first page of what it finds, on the indexed
// prefix, and more as the list is scrolled towards its end: a keystroke
// costs the same with fifty customers or a quarter of a million.
class FindCustomer : public QWidget
{
    Q_OBJECT
public:
    explicit FindCustomer(QWidget *parent = nullptr);
    ~FindCustomer() override;

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
    // The number of customers listed now (read so far).
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
    void readFirstPage();
    void readMore();
    void appendPage(const CustomerList &page);
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

    CustomerFilter m_filter;     // the search listed now
    CustomerListOrder m_order;   // and its order
    int m_read = 0;              // rows read of it so far
    QSet<int> m_listed;          // the customers listed, each once
    bool m_more = false;         // it may hold rows not read yet
    bool m_reading = false;      // a page is being read (the scroll bar moves meanwhile)
    qint64 m_maxCustomerId = -1; // read once, when the list is first opened
    int m_customerid = 0;
};
