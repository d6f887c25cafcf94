#pragma once

#include "customers/CustomerRecord.h"

#include <QWidget>
#include <functional>

class FindCustomer;
class PhoneRow;
class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The customer record editor: name, three phones with the preferred one,
// address, state, zip and e-mail of one customer. "Lookup..." swaps the
// fields for the embedded search list; "Clear / New" empties the form for a
// new customer, whom "Save" creates. Every load is announced with
// CustomerLoad, so the host can bind its ticket to the customer.
class CustomerInfo : public QWidget
{
    Q_OBJECT
public:
    explicit CustomerInfo(QWidget *parent = nullptr);

    // Shows a customer (0: the empty form for a new one), then raises
    // CustomerLoad with that id.
    void LoadCustomerInfo(int customerid);

    int customerid() const { return m_customerid; }
    // A value above 0 also opens the record and loads that customer.
    void setCustomerid(int id);

    // Before another customer (or none) replaces the form: when the form
    // differs from what was loaded, asks "Save changes to <name>?". Yes saves
    // (true once saved), No drops the edits (true), Cancel keeps the form as
    // it is (false); false also when the save failed, so nothing typed is lost.
    bool ConfirmLeave();
    // What else must be settled before the form may change customer (the
    // sales window writes a value still typed in a ticket's cell); false
    // keeps the customer on screen.
    void setLeaveCheck(std::function<bool()> check) { m_leaveCheck = std::move(check); }

    // Shrinks the editor to the name and phone rows, and back.
    void HideAddress();
    void ShowAddress();

    // True while a record or the state list is being filled.
    bool IsLoading() const { return m_loading; }
    bool IsLookingUp() const;
    FindCustomer *findCustomer() const { return FindCustomer1; }

    QSize sizeHint() const override;

signals:
    void CustomerLoad(int customerid);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildButtons();
    void buildRecordPanel();
    QLineEdit *addBox(const char *name);
    void connectEditing();
    void fillStates(bool sayLater = false);
    void showRecord(const CustomerRecord &record);
    void clearRecord();
    CustomerRecord recordFromForm() const;
    void selectState(const QString &code);
    void selectPreferredPhone(std::optional<int> which);
    bool saveRecord();

    void onSave();
    void onDelete();
    void onNewCustomer();
    void onLookup();
    void endLookup();

    void focusBox(QLineEdit *box);
    bool moveFromPhoneBox(QLineEdit *box);
    void phoneBoxEdited(QLineEdit *box);
    // A paste into a phone box: a whole number fills its row, other text is
    // pasted as into any box. True when it was handled.
    bool pasteIntoPhoneBox(QLineEdit *box, const QString &text);
    bool showPhoneBoxMenu(QLineEdit *box, const QPoint &globalPos);
    QLineEdit *nextPhoneBox(const QLineEdit *box) const;

    QWidget *Picture1 = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdLookup = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdNewCustomer = nullptr;

    QWidget *picClient = nullptr;
    QLineEdit *txtFirstName = nullptr;
    QLineEdit *txtLastName = nullptr;
    PhoneRow *phoneRows[3] = {};
    QButtonGroup *Option1 = nullptr;
    QLineEdit *txtAddress1 = nullptr;
    QLineEdit *txtAddress2 = nullptr;
    QLineEdit *txtCity = nullptr;
    QComboBox *comboState = nullptr;
    QLineEdit *txtZip = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label7 = nullptr;
    QFrame *Line1 = nullptr;

    FindCustomer *FindCustomer1 = nullptr;

    int m_customerid = 0;
    std::function<bool()> m_leaveCheck;
    // The form as it was loaded, to tell whether anything was edited since.
    CustomerRecord m_shown;
    // The record as it was read then, to tell what another counter changed.
    CustomerRecord m_loaded;
    // The customer the "Customer data updated" notice was shown for.
    int m_noticeFor = -1;
    bool m_loading = false;
    bool m_statesFilled = false;
    int m_defaultState = -1;
    int m_fullHeight = 0;
};
