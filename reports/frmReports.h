#pragma once

#include <QDate>
#include <QDialog>
#include <QHash>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// The window the sales reports are started from: the daily product
// statistics and the daily, weekly and monthly sales summaries, each with a
// list of start dates ("mm/dd/yyyy", newest first) and a "Run" button. The
// lists are filled from today's date when the window is first shown; a date
// typed into a list is read as mm/dd/yyyy, and a text that is not one makes
// the report say so. Opened modally from the sales window:
//
//     frmReports reports(owner);
//     reports.exec();
class frmReports : public QDialog
{
    Q_OBJECT
public:
    explicit frmReports(QWidget *parent = nullptr);

    // Fills the four lists counted from the given day (the window does this
    // with the clock's today when it is first shown).
    void FillLists(const QDate &today);

    QComboBox *dateList() const { return cmbDate; }
    QComboBox *dailyList() const { return cmbDate2; }
    QComboBox *weekList() const { return cmbWeek; }
    QComboBox *monthList() const { return cmbMonth; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *newDateList(const char *name);
    QPushButton *newRunButton(const char *name);
    void buildLayout();

    void runProductStatistics();
    void runSummary(QComboBox *list, const QString &period);

    QLabel *lblProduct;
    QComboBox *cmbDate;
    QPushButton *cmdRun;
    QFrame *Line1;
    QLabel *lblDaily;
    QComboBox *cmbDate2;
    QPushButton *Command2;
    QLabel *lblWeekly;
    QComboBox *cmbWeek;
    QPushButton *Command1;
    QLabel *lblMonthly;
    QComboBox *cmbMonth;
    QPushButton *cmdRunMonth;

    QHash<QObject *, QPushButton *> m_runOnEnter; // a list's edit box → its Run button
    bool m_loaded = false;
};
