#pragma once

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class vbalGrid;

// "Audit Log": what was done behind the administrator gate in a range of
// days, newest first, narrowed to one action or one person, and printed
// through the report run. It only reads: the log has no path that changes
// or removes an entry.
class frmAuditLog : public QDialog
{
    Q_OBJECT
public:
    explicit frmAuditLog(QWidget *parent = nullptr);

    // Reads the entries of the range and filters again.
    void Refresh();
    void PrintLog();
    int shownEntries() const { return m_shown; }

private:
    QString chosen(const QComboBox *box) const;
    void fillPeople(const QStringList &people);

    QDateEdit *dtpFrom;
    QDateEdit *dtpTo;
    QComboBox *cboAction;
    QComboBox *cboWho;
    vbalGrid *vbalGrid1;
    QLabel *lblCount;
    QPushButton *cmdPrint;
    int m_shown = 0;
};
