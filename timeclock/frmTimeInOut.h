#pragma once

#include "timeclock/TimeClockStore.h"

#include <QDate>
#include <QDialog>

class EmployeeButtonColumn;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class vbalGrid;

// "Clock In / Out": employees choose their picture, confirm with their PIN
// and clock in or out; the chosen employee's pay week is listed with its
// total. With the Admin flag the rows can be edited, added and removed and
// the payroll reports run. The week shown first is the one containing
// today. Modal; the Admin flag is cleared when the window closes.
class frmTimeInOut : public QDialog
{
    Q_OBJECT
public:
    explicit frmTimeInOut(QWidget *parent = nullptr);

    // Set by the caller before the window is shown.
    void setAdmin(bool admin) { m_admin = admin; }
    bool admin() const { return m_admin; }

    void LoadEmployeeWeek(int employeeId);
    void UpdateClockButtons(int employeeId);
    void DeleteTimeRow(int rowId);
    void AddTimeRow();

    // Choosing an employee, as a click on the picture button.
    void chooseEmployee(int employeeId);
    void ClockIn();
    void ClockOut();
    void PreviousWeek();
    void NextWeek();

    int selectedId() const { return m_selectedId; }
    vbalGrid *grid() const { return vbalGrid1; }
    QLineEdit *editBox() const { return TxtEdit; }
    EmployeeButtonColumn *employeeButtons() const { return m_buttons; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The grid's columns, numbered as added.
    static constexpr int kIdColumn = 1;
    static constexpr int kTimeInColumn = 2;
    static constexpr int kActionColumn = 6;

    void buildEmployeeFields(class QGridLayout *layout);
    QWidget *buildWeekFrame();
    QGroupBox *buildAdminFrame();
    void addColumns();
    void loadWindow();
    void showWeekLabel();
    void showClock();
    void fillWeekRows(const QList<ClockRow> &rows);
    void showNoWeekRows();
    void showNoEmployee();
    bool pinAccepted();
    void showClockingResult(TimeClockStore::Clocking result);

    // Administrator mode (the grid's edits and the report frame).
    void connectAdminFrame();
    void fillYears();
    void fillPeriods();
    void onRequestEdit(int row, int col, int keyAscii, bool *cancel);
    void onCommitEdit(int row, int col);
    void onMouseUp(int button, int shift, int x, int y);
    void showEditRefusal(TimeClockStore::Edit result, const QString &typed);
    int chosenYear() const;
    void onSemiMonthly();
    void onWeekly();
    void onAllEmployeeHours();

    EmployeeButtonColumn *m_buttons;
    QLabel *lblEmployee;
    QLineEdit *txtFirstName;
    QLineEdit *txtLastName;
    QLineEdit *txtTitle;
    QPushButton *cmdClockIn;
    QPushButton *cmdClockOut;
    QPushButton *cmdPrevious;
    QPushButton *cmdNext;
    QLabel *lblWeek;
    vbalGrid *vbalGrid1;
    QLineEdit *TxtEdit;
    QLabel *lblTotalHour;
    QLabel *lblTime;
    QTimer *Timer1;
    QGroupBox *fraAdmin;
    QComboBox *cmbPayRollYear;
    QPushButton *cmdTimeSummary;
    QPushButton *cmdWeekly;
    QComboBox *rptWeek;
    QPushButton *Command1;

    int m_selectedId = 0;
    QString m_selectedPIN;
    bool m_admin = false;
    bool m_loaded = false;
    QDate m_payWeekStart;
};
