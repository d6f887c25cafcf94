// Loading, saving and deleting the customer of the editor.
#include "customers/CustomerInfo.h"

#include "customers/CustomerStore.h"
#include "customers/PhoneNumber.h"
#include "customers/PhoneRow.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/UserPrompts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

// --- Loading ---

void CustomerInfo::fillStates(bool sayLater)
{
    if (m_statesFilled)
        return;
    const QScopedValueRollback loading(m_loading, true);
    std::optional<QList<std::pair<int, QString>>> codes;
    {
        Database::HeldErrors held; // told once, under the state list's label
        codes = CustomerStore::StateCodes();
    }
    if (!codes) {
        const QString text = QStringLiteral("Load State: ") + Database::LastReason();
        // While the window is being shown a box of its own must wait until
        // the showing is done.
        if (sayLater)
            QTimer::singleShot(0, this, [text] { Prompts().message(text); });
        else
            Prompts().message(text);
        return; // tried again at the next load
    }
    m_statesFilled = true;
    comboState->clear();
    for (const auto &[id, code] : *codes) {
        if (code.trimmed().toUpper() == QLatin1String("TX"))
            m_defaultState = comboState->count();
        comboState->addItem(code, id);
    }
    comboState->setCurrentIndex(m_defaultState);
}

void CustomerInfo::showEvent(QShowEvent *event)
{
    fillStates(true);
    QWidget::showEvent(event);
}

void CustomerInfo::LoadCustomerInfo(int id)
{
    fillStates();
    {
        const QScopedValueRollback loading(m_loading, true);
        if (id != 0) {
            CustomerRecord record;
            switch (CustomerStore::Load(id, &record)) {
            case CustomerStore::LoadResult::Loaded:
                showRecord(record);
                m_loaded = record;
                break;
            case CustomerStore::LoadResult::NotFound:
                Prompts().message(QStringLiteral("LoadCustomerInfo: customer %1 does not exist (any more).").arg(id));
                clearRecord();
                id = 0;
                break;
            case CustomerStore::LoadResult::Failed:
                return; // the data layer has said why; the form stays as it was
            }
        } else {
            clearRecord();
        }
        if (id == 0)
            m_loaded = CustomerRecord();
        // The notice tells about the customer it was shown for, not the next one.
        if (id != m_noticeFor) {
            Label7->clear();
            m_noticeFor = -1;
        }
        m_shown = recordFromForm();
        picClient->setEnabled(true);
        emit CustomerLoad(id);
    }
}

void CustomerInfo::showRecord(const CustomerRecord &r)
{
    txtFirstName->setText(r.firstName);
    txtLastName->setText(r.lastName);
    for (int row = 0; row < 3; ++row) {
        const auto parts = PhoneNumber::Split(r.phones[row]);
        for (int i = 0; i < 3; ++i)
            phoneRows[row]->box(i)->setText(parts[size_t(i)]);
    }
    selectPreferredPhone(r.preferPhone);
    txtAddress1->setText(r.address1);
    txtAddress2->setText(r.address2);
    txtCity->setText(r.city);
    txtZip->setText(r.zipcode);
    txtEmail->setText(r.email);
    Label8->setText(QStringLiteral("Customer ID: %1").arg(r.id));
    selectState(r.state);
    m_customerid = r.id;
    cmdNewCustomer->setEnabled(true);
    cmdDelete->setEnabled(true);
    cmdSave->setEnabled(false);
}

// The empty form of a new customer: home phone preferred, the default state.
void CustomerInfo::clearRecord()
{
    for (QLineEdit *box : picClient->findChildren<QLineEdit *>())
        box->clear();
    Label8->setText(QStringLiteral("Customer ID:"));
    selectPreferredPhone(0);
    comboState->setCurrentIndex(m_defaultState);
    m_customerid = 0;
    cmdNewCustomer->setEnabled(false);
    cmdDelete->setEnabled(false);
    cmdSave->setEnabled(true);
}

void CustomerInfo::selectState(const QString &code)
{
    const QString wanted = code.trimmed().toUpper();
    int found = -1;
    for (int i = 0; i < comboState->count() && !wanted.isEmpty(); ++i) {
        if (comboState->itemText(i).trimmed().toUpper() == wanted) {
            found = i;
            break;
        }
    }
    comboState->setCurrentIndex(found);
}

void CustomerInfo::selectPreferredPhone(std::optional<int> which)
{
    if (which) {
        Option1->button(*which)->setChecked(true);
        return;
    }
    // No option names a NULL or unknown preference.
    Option1->setExclusive(false);
    for (QAbstractButton *b : Option1->buttons())
        b->setChecked(false);
    Option1->setExclusive(true);
}

void CustomerInfo::setCustomerid(int id)
{
    m_customerid = id;
    if (id > 0) {
        picClient->setEnabled(true);
        LoadCustomerInfo(id);
    }
}

// --- Saving and deleting ---

CustomerRecord CustomerInfo::recordFromForm() const
{
    CustomerRecord r;
    r.id = m_customerid;
    r.firstName = txtFirstName->text().trimmed();
    r.lastName = txtLastName->text().trimmed();
    for (int row = 0; row < 3; ++row) {
        const PhoneRow *p = phoneRows[row];
        r.phones[row] = PhoneNumber::Join(p->box(0)->text(), p->box(1)->text(), p->box(2)->text());
    }
    if (Option1->checkedId() >= 0)
        r.preferPhone = Option1->checkedId();
    r.address1 = txtAddress1->text().trimmed();
    r.address2 = txtAddress2->text().trimmed();
    r.city = txtCity->text().trimmed();
    r.state = comboState->currentIndex() >= 0 ? comboState->currentText().trimmed() : QString();
    r.zipcode = txtZip->text().trimmed();
    r.email = txtEmail->text().trimmed();
    return r;
}

bool CustomerInfo::saveRecord()
{
    if (m_loading)
        return false;
    if (txtFirstName->text().trimmed().isEmpty()) { // blanks are no name either
        Prompts().message(QStringLiteral("Customer name can not be blank.  Enter 'Cash' for Cash customers"));
        return false;
    }
    CustomerRecord record = recordFromForm();
    const bool isNew = record.id == 0;
    CustomerStore::SaveResult result;
    QList<CustomerField> changedElsewhere;
    {
        Database::HeldErrors held; // told below, in the editor's own words where it has them
        if (isNew || m_loaded.id != record.id) {
            result = CustomerStore::Save(&record);
        } else {
            // Only what was typed here is written, and only over what this
            // counter saw: another counter's save in between is not undone.
            CustomerRecord shown = m_shown;
            shown.id = record.id;
            result = CustomerStore::SaveChanges(m_loaded, record, CustomerStore::ChangedFields(shown, record),
                                                &changedElsewhere);
        }
    }
    if (result == CustomerStore::SaveResult::Failed)
        Prompts().message(Database::LastFailureWasValueTooLong()
                              ? QStringLiteral("Data length too long for field width in database")
                              : Database::LastError());
    switch (result) {
    case CustomerStore::SaveResult::Saved:
        m_customerid = record.id;
        Label7->setText(QStringLiteral("Customer data updated ") + DateText::generalDate(Clock::now()));
        m_noticeFor = record.id;
        cmdNewCustomer->setEnabled(true);
        return true;
    case CustomerStore::SaveResult::Missing:
        Prompts().message(QStringLiteral("Customer %1 does not exist any more; nothing was saved.").arg(record.id));
        return false;
    case CustomerStore::SaveResult::Failed:
        if (isNew)
            Prompts().message(QStringLiteral("Error creating new customer"));
        return false;
    case CustomerStore::SaveResult::ChangedElsewhere: {
        QStringList names;
        for (const CustomerField f : changedElsewhere)
            names << CustomerStore::FieldLabel(f);
        Prompts().message(QStringLiteral("Changed at another counter since this customer was loaded: %1. "
                                         "Nothing was saved; the customer is shown as stored now.")
                              .arg(names.join(QStringLiteral(", "))));
        Label7->clear(); // an earlier save's notice would read as this one's
        m_noticeFor = -1;
        LoadCustomerInfo(record.id);
        return false;
    }
    }
    return false;
}

void CustomerInfo::onSave()
{
    // A failed save keeps what was typed, so nothing is lost.
    if (saveRecord())
        LoadCustomerInfo(m_customerid);
}

void CustomerInfo::onDelete()
{
    const int id = m_customerid;
    if (id == 0)
        return;
    const qint64 tickets = CustomerStore::TicketCount(id);
    if (tickets < 0)
        return;
    const QString linked = QStringLiteral("Customer is linked to existing receipts.  Must delete all receipts first");
    if (tickets > 0) {
        Prompts().message(linked);
        return;
    }
    if (!Prompts().askOkCancel(QStringLiteral("Are you sure you want to delete customer?")))
        return;
    switch (CustomerStore::Delete(id)) {
    case CustomerStore::DeleteResult::Deleted:
        m_customerid = 0;
        LoadCustomerInfo(0);
        break;
    case CustomerStore::DeleteResult::HasTickets:
        Prompts().message(linked);
        break;
    case CustomerStore::DeleteResult::Failed:
        break; // shown by the data layer; the form keeps the customer
    }
}

bool CustomerInfo::ConfirmLeave()
{
    if (m_leaveCheck && !m_leaveCheck())
        return false;
    if (m_loading || !picClient->isEnabled())
        return true; // nothing has been shown to edit yet
    CustomerRecord form = recordFromForm();
    form.id = m_shown.id;
    if (form == m_shown)
        return true;
    const auto nameOf = [](const CustomerRecord &r) { return (r.firstName + QLatin1Char(' ') + r.lastName).trimmed(); };
    QString name = nameOf(m_shown);
    if (name.isEmpty())
        name = nameOf(form);
    if (name.isEmpty())
        name = QStringLiteral("the new customer");
    switch (Prompts().askYesNoCancel(QStringLiteral("Save changes to %1?").arg(name))) {
    case UserPrompts::Choice::Yes:
        return saveRecord();
    case UserPrompts::Choice::No:
        return true;
    case UserPrompts::Choice::Cancel:
        break;
    }
    return false;
}

void CustomerInfo::onNewCustomer()
{
    if (!ConfirmLeave())
        return;
    m_customerid = 0;
    cmdNewCustomer->setEnabled(false);
    picClient->setEnabled(true);
    LoadCustomerInfo(0);
    txtFirstName->setFocus();
}
