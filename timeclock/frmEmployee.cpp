#include "timeclock/frmEmployee.h"

#include "data/TextNumber.h"
#include "data/UserPrompts.h"
#include "timeclock/CaptureFrame.h"
#include "timeclock/ClockTexts.h"
#include "timeclock/EmployeePictures.h"
#include "timeclock/frmCapture.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

void runCaptureWindow(QWidget *owner, const QString &fileName)
{
    frmCapture capture(owner);
    capture.setFileName(fileName);
    capture.exec();
}

bool sameFields(const EmployeeRecord &a, const EmployeeRecord &b)
{
    return a.firstName == b.firstName && a.lastName == b.lastName && a.title == b.title && a.pin == b.pin
        && a.active == b.active && a.payNormal == b.payNormal;
}

QString rateText(const std::optional<Money> &rate)
{
    return rate ? rate->format00() : QString();
}

} // namespace

frmEmployee::frmEmployee(QWidget *parent)
    : QDialog(parent)
    , List1(new QListWidget(this))
    , txtFirstName(new QLineEdit(this))
    , txtLastName(new QLineEdit(this))
    , txtTitle(new QLineEdit(this))
    , txtPIN(new QLineEdit(this))
    , txtPayNormal(new QLineEdit(this))
    , chkActive(new QCheckBox(QStringLiteral("Active"), this))
    , Image1(new QLabel(this))
    , cmdAddNew(new QPushButton(QStringLiteral("Add New Employee"), this))
    , cmdGetPic(new QPushButton(QStringLiteral("Capture Picture"), this))
    , m_capture(runCaptureWindow)
{
    setObjectName(QStringLiteral("frmEmployee"));
    setWindowTitle(QStringLiteral("Employee Management"));
    List1->setObjectName(QStringLiteral("List1"));
    List1->setMinimumWidth(200);
    txtFirstName->setObjectName(QStringLiteral("txtFirstName"));
    txtLastName->setObjectName(QStringLiteral("txtLastName"));
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtPIN->setObjectName(QStringLiteral("txtPIN"));
    // The keypad enters at most five digits: no other PIN could ever be typed in.
    txtPIN->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), txtPIN));
    txtPayNormal->setObjectName(QStringLiteral("txtPayNormal"));
    txtPayNormal->setToolTip(QStringLiteral("Hourly pay rate, as the payroll report pays it"));
    chkActive->setObjectName(QStringLiteral("chkActive"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(CaptureFrame::kPictureSize);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::StyledPanel);
    cmdAddNew->setObjectName(QStringLiteral("cmdAddNew"));
    cmdGetPic->setObjectName(QStringLiteral("cmdGetPic"));
    cmdGetPic->setEnabled(false);
    for (QPushButton *b : {cmdAddNew, cmdGetPic})
        b->setAutoDefault(false);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("First Name"), txtFirstName);
    fields->addRow(QStringLiteral("Last Name"), txtLastName);
    fields->addRow(QStringLiteral("Title"), txtTitle);
    fields->addRow(QStringLiteral("PIN"), txtPIN);
    fields->addRow(QStringLiteral("Pay Rate"), txtPayNormal);
    fields->addRow(QString(), chkActive);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddNew);
    buttons->addWidget(cmdGetPic);
    buttons->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(Image1);
    right->addLayout(buttons);
    right->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(right);

    connect(List1, &QListWidget::currentItemChanged, this, &frmEmployee::onCurrentItemChanged);
    for (QLineEdit *box : {txtFirstName, txtLastName, txtTitle, txtPIN, txtPayNormal})
        connect(box, &QLineEdit::editingFinished, this, &frmEmployee::SaveEmployee);
    connect(chkActive, &QCheckBox::clicked, this, &frmEmployee::SaveEmployee);
    connect(cmdAddNew, &QPushButton::clicked, this, &frmEmployee::onAddNew);
    connect(cmdGetPic, &QPushButton::clicked, this, &frmEmployee::onGetPic);
}

bool frmEmployee::loadWindow()
{
    m_loaded = true;
    if (!m_admin) {
        m_refused = true;
        Prompts().message(QStringLiteral("You need admin privileges to run this form"));
        return false;
    }
    LoadEmployeeList();
    return true;
}

int frmEmployee::exec()
{
    if (!m_loaded)
        loadWindow();
    if (m_refused)
        return QDialog::Rejected;
    return QDialog::exec();
}

void frmEmployee::setVisible(bool visible)
{
    if (visible && !m_loaded)
        loadWindow();
    if (visible && m_refused)
        return; // nothing is shown
    QDialog::setVisible(visible);
}

void frmEmployee::done(int result)
{
    SaveEmployee();
    QDialog::done(result);
}

void frmEmployee::LoadEmployeeList()
{
    const std::optional<Recordset> rs = EmployeeStore::List();
    if (!rs)
        return;
    m_filling = true;
    List1->clear();
    for (int r = 0; r < rs->rowCount(); ++r) {
        auto *item = new QListWidgetItem(
            ClockTexts::ListEntry(rs->text(r, QStringLiteral("firstname")), rs->text(r, QStringLiteral("lastname"))),
            List1);
        item->setData(Qt::UserRole, rs->value(r, QStringLiteral("id")).toInt());
    }
    List1->setCurrentRow(-1);
    m_filling = false;
}

void frmEmployee::onCurrentItemChanged(QListWidgetItem *current, QListWidgetItem *)
{
    if (m_filling)
        return;
    SaveEmployee(); // the boxes still hold the employee being left
    if (current)
        ShowEmployee(current->data(Qt::UserRole).toInt());
}

void frmEmployee::ShowEmployee(int employeeId)
{
    const std::optional<EmployeeRecord> record = EmployeeStore::Load(employeeId);
    if (!record)
        return;
    m_shown = *record;
    m_filling = true;
    txtFirstName->setText(record->firstName);
    txtLastName->setText(record->lastName);
    txtTitle->setText(record->title);
    txtPIN->setText(record->pin);
    txtPayNormal->setText(rateText(record->payNormal));
    chkActive->setChecked(record->active);
    m_filling = false;
    cmdGetPic->setEnabled(true);
    showPicture();
}

EmployeeRecord frmEmployee::fromBoxes() const
{
    EmployeeRecord r;
    r.id = m_shown.id;
    r.firstName = txtFirstName->text().trimmed();
    r.lastName = txtLastName->text().trimmed();
    r.title = txtTitle->text().trimmed();
    r.pin = txtPIN->text().trimmed();
    r.active = chkActive->isChecked();
    r.payNormal = m_shown.payNormal; // read from its box by keepStoredWhereRefused
    return r;
}

void frmEmployee::putBack(QLineEdit *box, const QString &text)
{
    m_filling = true;
    box->setText(text);
    m_filling = false;
}

// What cannot be stored keeps the stored value, box and all, with a word on
// why; the other edits are stored as usual.
void frmEmployee::keepStoredWhereRefused(EmployeeRecord *edited)
{
    if (edited->pin.isEmpty() && !m_shown.pin.isEmpty()) {
        // Without a PIN of their own the employee could no longer clock in.
        edited->pin = m_shown.pin;
        putBack(txtPIN, m_shown.pin);
        Prompts().message(QStringLiteral("An employee needs a PIN to clock in; the PIN was not changed."));
    }
    // The clock, the lists and the payroll name employees by both names.
    if (edited->firstName.isEmpty() || edited->lastName.isEmpty()) {
        if (edited->firstName.isEmpty()) {
            edited->firstName = m_shown.firstName;
            putBack(txtFirstName, m_shown.firstName);
        }
        if (edited->lastName.isEmpty()) {
            edited->lastName = m_shown.lastName;
            putBack(txtLastName, m_shown.lastName);
        }
        Prompts().message(QStringLiteral("An employee needs a first and a last name; the name was not changed."));
    }
    const QString typedRate = txtPayNormal->text().trimmed();
    if (typedRate.isEmpty()) {
        if (m_shown.payNormal) {
            // An employee without a rate would be paid nothing.
            putBack(txtPayNormal, rateText(m_shown.payNormal));
            Prompts().message(QStringLiteral("An employee needs a pay rate; the pay rate was not changed."));
        }
        return;
    }
    const TextNumber::Reading rate = TextNumber::readMoney(typedRate);
    if (!rate || *rate.value < 0) {
        putBack(txtPayNormal, rateText(m_shown.payNormal));
        Prompts().message(rate ? QStringLiteral("\"%1\" is below zero. Nothing was changed.").arg(typedRate)
                               : rate.message());
        return;
    }
    edited->payNormal = Money::fromDouble(*rate.value);
    putBack(txtPayNormal, edited->payNormal->format00());
}

bool frmEmployee::SaveEmployee()
{
    if (!m_admin || m_filling || m_shown.id == 0)
        return true;
    EmployeeRecord edited = fromBoxes();
    keepStoredWhereRefused(&edited);
    if (sameFields(edited, m_shown))
        return true;
    if (!EmployeeStore::Save(edited))
        return false;
    m_shown = edited;
    refreshListEntry(edited);
    return true;
}

void frmEmployee::refreshListEntry(const EmployeeRecord &record)
{
    for (int i = 0; i < List1->count(); ++i) {
        QListWidgetItem *item = List1->item(i);
        if (item->data(Qt::UserRole).toInt() == record.id)
            item->setText(ClockTexts::ListEntry(record.firstName, record.lastName));
    }
}

void frmEmployee::onAddNew()
{
    if (!m_admin || !Prompts().askYesNo(QStringLiteral("Create New Employee Record?")))
        return;
    SaveEmployee();
    if (EmployeeStore::AddNew() == 0)
        return; // the data layer has said why
    Prompts().message(QStringLiteral("New Employee record created. Exiting Time Admin.  "
                                     "Please open Time Admin again to edit new employee"));
    accept();
}

void frmEmployee::onGetPic()
{
    if (m_shown.id == 0 || !m_capture)
        return;
    m_capture(this, EmployeePictures::EmployeeFile(m_shown.id));
    showPicture();
}

void frmEmployee::showPicture()
{
    const QImage picture = EmployeePictures::Load(EmployeePictures::PictureToShow(m_shown.id),
                                                  CaptureFrame::kPictureSize);
    if (picture.isNull())
        Image1->setText(QStringLiteral("(no picture)"));
    else
        Image1->setPixmap(QPixmap::fromImage(picture));
}
