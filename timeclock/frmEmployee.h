#pragma once

#include "timeclock/EmployeeStore.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// "Employee Management": the employees by last name; the one chosen shows
// its names, title, PIN, hourly pay rate, active flag and picture. Edits are stored when the
// PIN box is left, when "Active" is clicked, when another employee is
// chosen (to the employee being left) and when the window closes. Only for
// administrators: without the Admin flag it refuses to open. Modal.
class frmEmployee : public QDialog
{
    Q_OBJECT
public:
    explicit frmEmployee(QWidget *parent = nullptr);

    // Set by the caller before the window is shown.
    void setAdmin(bool admin) { m_admin = admin; }
    bool admin() const { return m_admin; }

    // The refusal without the Admin flag happens here, before anything shows.
    int exec() override;
    void setVisible(bool visible) override;
    void done(int result) override;

    void LoadEmployeeList();
    void ShowEmployee(int employeeId);
    // Stores the boxes to the employee shown; false when that failed.
    bool SaveEmployee();

    int selectedId() const { return m_shown.id; }

    // How "Capture Picture" takes a picture into a file: the capture window,
    // modally, unless replaced (tests).
    using CaptureRunner = std::function<void(QWidget *owner, const QString &fileName)>;
    void setCaptureRunner(CaptureRunner runner) { m_capture = std::move(runner); }

private:
    bool loadWindow();
    void onCurrentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void onAddNew();
    void onGetPic();
    void showPicture();
    EmployeeRecord fromBoxes() const;
    void keepStoredWhereRefused(EmployeeRecord *edited);
    void putBack(QLineEdit *box, const QString &text);
    void refreshListEntry(const EmployeeRecord &record);

    QListWidget *List1;
    QLineEdit *txtFirstName;
    QLineEdit *txtLastName;
    QLineEdit *txtTitle;
    QLineEdit *txtPIN;
    QLineEdit *txtPayNormal;
    QCheckBox *chkActive;
    QLabel *Image1;
    QPushButton *cmdAddNew;
    QPushButton *cmdGetPic;

    CaptureRunner m_capture;
    EmployeeRecord m_shown; // as loaded or last stored; id 0 while none is shown
    bool m_admin = false;
    bool m_loaded = false;
    bool m_refused = false;
    bool m_filling = false;
};
