#include "timeclock/frmTimeInOut.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "data/UserPrompts.h"
#include "gate/PinSource.h"
#include "timeclock/ClockButtonIcons.h"
#include "timeclock/ClockTexts.h"
#include "timeclock/EmployeeButtonColumn.h"
#include "timeclock/EmployeeStore.h"
#include "timeclock/PayWeek.h"
#include "widgets/ColumnWidth.h"
#include "widgets/OleColor.h"
#include "widgets/WindowPlacement.h"
#include "widgets/vbalGrid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kClockTickMs = 1000;
constexpr qint64 kTimeGridColor = OleColor::Rgb(210, 210, 180);

QPushButton *clockButton(const QString &caption, const QIcon &icon, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(icon, caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIconSize(QSize(48, 48));
    b->setMinimumSize(150, 64);
    b->setAutoDefault(false);
    b->setEnabled(false);
    return b;
}
} // namespace

frmTimeInOut::frmTimeInOut(QWidget *parent)
    : QDialog(parent)
    , m_buttons(new EmployeeButtonColumn(this))
    , Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmTimeInOut"));
    setWindowTitle(QStringLiteral("Clock In / Out"));
    auto *right = new QGridLayout;
    buildEmployeeFields(right);
    right->addWidget(buildWeekFrame(), 4, 0, 1, 4);
    vbalGrid1 = new vbalGrid(this);
    vbalGrid1->setObjectName(QStringLiteral("vbalGrid1"));
    vbalGrid1->SetGridLines(true);
    vbalGrid1->SetGridLineColor(kTimeGridColor);
    TxtEdit = new QLineEdit(this);
    TxtEdit->setObjectName(QStringLiteral("TxtEdit"));
    TxtEdit->hide();
    right->addWidget(vbalGrid1, 5, 0, 1, 4);
    right->setRowStretch(5, 1);
    lblTotalHour = new QLabel(ClockTexts::TotalHours(0), this);
    lblTotalHour->setObjectName(QStringLiteral("lblTotalHour"));
    QFont bold = lblTotalHour->font();
    bold.setBold(true);
    lblTotalHour->setFont(bold);
    right->addWidget(lblTotalHour, 6, 0, 1, 4, Qt::AlignRight);
    fraAdmin = buildAdminFrame();
    right->addWidget(fraAdmin, 7, 0, 1, 4);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_buttons);
    layout->addLayout(right, 1);
    resize(1000, 680);
    WindowPlacement::FitOnScreen(this);

    Timer1->setInterval(kClockTickMs);
    connect(Timer1, &QTimer::timeout, this, &frmTimeInOut::showClock);
    connect(m_buttons, &EmployeeButtonColumn::employeeClicked, this, &frmTimeInOut::chooseEmployee);
    connect(cmdClockIn, &QPushButton::clicked, this, &frmTimeInOut::ClockIn);
    connect(cmdClockOut, &QPushButton::clicked, this, &frmTimeInOut::ClockOut);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmTimeInOut::PreviousWeek);
    connect(cmdNext, &QPushButton::clicked, this, &frmTimeInOut::NextWeek);
    connectAdminFrame();
}

void frmTimeInOut::buildEmployeeFields(QGridLayout *layout)
{
    lblEmployee = new QLabel(QStringLiteral("Select Employee Above:"), this);
    lblEmployee->setObjectName(QStringLiteral("lblEmployee"));
    QFont big = lblEmployee->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    lblEmployee->setFont(big);
    lblTime = new QLabel(QStringLiteral("Time:"), this);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    lblTime->setFont(big);
    layout->addWidget(lblEmployee, 0, 0, 1, 2);
    layout->addWidget(lblTime, 0, 2, 1, 2, Qt::AlignRight);
    const std::pair<QLineEdit **, const char *> boxes[] = {
        {&txtFirstName, "txtFirstName"}, {&txtLastName, "txtLastName"}, {&txtTitle, "txtTitle"}};
    const QString captions[] = {QStringLiteral("First Name"), QStringLiteral("Last Name"), QStringLiteral("Title")};
    for (int i = 0; i < 3; ++i) {
        QLineEdit *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(boxes[i].second));
        box->setReadOnly(true); // the employee window edits these
        *boxes[i].first = box;
        layout->addWidget(new QLabel(captions[i], this), i + 1, 0);
        layout->addWidget(box, i + 1, 1);
    }
    cmdClockIn = clockButton(QStringLiteral("Clock In"), ClockButtonIcons::ClockIn(), "cmdClockIn", this);
    cmdClockOut = clockButton(QStringLiteral("Clock Out"), ClockButtonIcons::ClockOut(), "cmdClockOut", this);
    layout->addWidget(cmdClockIn, 1, 2, 3, 1);
    layout->addWidget(cmdClockOut, 1, 3, 3, 1);
    layout->setColumnStretch(1, 1);
}

QWidget *frmTimeInOut::buildWeekFrame()
{
    auto *frame = new QGroupBox(this);
    cmdPrevious = new QPushButton(QStringLiteral("<<"), frame);
    cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
    cmdNext = new QPushButton(QStringLiteral(">>"), frame);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    lblWeek = new QLabel(frame);
    lblWeek->setObjectName(QStringLiteral("lblWeek"));
    lblWeek->setAlignment(Qt::AlignCenter);
    QFont bold = lblWeek->font();
    bold.setBold(true);
    lblWeek->setFont(bold);
    auto *row = new QHBoxLayout(frame);
    for (QPushButton *b : {cmdPrevious, cmdNext})
        b->setAutoDefault(false);
    row->addWidget(cmdPrevious);
    row->addWidget(lblWeek, 1);
    row->addWidget(cmdNext);
    return frame;
}

void frmTimeInOut::addColumns()
{
    // Years of shifts at a busy shop make row numbers of six digits and more.
    vbalGrid1->AddColumn(QStringLiteral("id"), QStringLiteral("No."), vbalGrid::AlignLeft, -1,
                         ColumnWidthFor(vbalGrid1, QStringLiteral("0000000"), 30));
    vbalGrid1->AddColumn(QStringLiteral("TimeIn"), QStringLiteral("Time In"), vbalGrid::AlignLeft, -1, 150);
    vbalGrid1->AddColumn(QStringLiteral("TimeOut"), QStringLiteral("Time Out"), vbalGrid::AlignLeft, -1, 150);
    vbalGrid1->AddColumn(QStringLiteral("Hours"), QStringLiteral("Hours"), vbalGrid::AlignLeft, -1, 60);
    vbalGrid1->AddColumn(QStringLiteral("Notes"), QStringLiteral("Notes"), vbalGrid::AlignLeft, -1, 200);
    if (m_admin)
        vbalGrid1->AddRemoveColumn(QStringLiteral("action"), QStringLiteral("action"), 80);
}

void frmTimeInOut::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        loadWindow();
    QDialog::showEvent(event);
}

void frmTimeInOut::loadWindow()
{
    m_loaded = true;
    m_payWeekStart = PayWeek::StartContaining(Clock::today());
    showWeekLabel();
    fraAdmin->setVisible(m_admin);
    fraAdmin->setEnabled(m_admin);
    vbalGrid1->SetEditable(m_admin);
    // An employee made inactive while clocked in would otherwise have a row
    // nobody could ever close.
    m_buttons->LoadEmployeeButtons(m_admin);
    addColumns();
    fillYears();
    fillPeriods();
    showClock();
    Timer1->start();
}

void frmTimeInOut::showWeekLabel()
{
    lblWeek->setText(PayWeek::Label(m_payWeekStart));
}

void frmTimeInOut::showClock()
{
    lblTime->setText(DateText::generalDate(Clock::now()));
}

void frmTimeInOut::chooseEmployee(int employeeId)
{
    vbalGrid1->EndEdit(); // an edit in progress belongs to the employee shown
    m_buttons->markChosen(employeeId);
    m_selectedId = employeeId;
    LoadEmployeeWeek(employeeId);
}

void frmTimeInOut::LoadEmployeeWeek(int employeeId)
{
    if (employeeId == 0)
        return;
    const std::optional<EmployeeRecord> card = EmployeeStore::Load(employeeId);
    if (!card) {
        showNoEmployee();
        return;
    }
    m_selectedPIN = card->pin;
    txtFirstName->setText(card->firstName);
    txtLastName->setText(card->lastName);
    txtTitle->setText(card->title);
    lblEmployee->setText(ClockTexts::ChosenLabel(*card));
    const std::optional<QList<ClockRow>> rows = TimeClockStore::WeekRows(employeeId, m_payWeekStart);
    if (rows) {
        fillWeekRows(*rows);
        lblTotalHour->setText(ClockTexts::TotalHours(TimeClockStore::TotalMinutes(*rows)));
    } else {
        showNoWeekRows();
    }
    UpdateClockButtons(employeeId);
}

// Rows that could not be read leave nothing in the grid: the rows of the
// employee shown before must never stand under this name, where Remove
// would take one of them away.
void frmTimeInOut::showNoWeekRows()
{
    vbalGrid1->ClearRows();
    lblTotalHour->clear();
}

// An employee who could not be read (the connection dropped, or another
// counter removed them) is not the chosen one: no name, no PIN, no rows.
void frmTimeInOut::showNoEmployee()
{
    m_selectedId = 0;
    m_selectedPIN.clear();
    m_buttons->markChosen(0);
    for (QLineEdit *box : {txtFirstName, txtLastName, txtTitle})
        box->clear();
    lblEmployee->clear();
    showNoWeekRows();
    cmdClockIn->setEnabled(false);
    cmdClockOut->setEnabled(false);
}

void frmTimeInOut::fillWeekRows(const QList<ClockRow> &rows)
{
    vbalGrid1->SetRedrawEnabled(false);
    vbalGrid1->ClearRows();
    for (const ClockRow &r : rows) {
        const int row = vbalGrid1->AddRow();
        vbalGrid1->SetCell(row, kIdColumn, QString::number(r.id), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1, r.id);
        vbalGrid1->SetCell(row, kTimeInColumn, ClockTexts::TimeCell(r.timeIn));
        vbalGrid1->SetCell(row, 3, ClockTexts::TimeCell(r.timeOut));
        vbalGrid1->SetCell(row, 4, r.timeOut.isValid() ? PayWeek::HoursText(r.minutes) : QString());
        vbalGrid1->SetCell(row, 5, r.note);
        if (m_admin)
            vbalGrid1->SetRemoveCell(row);
    }
    if (m_admin) {
        const int row = vbalGrid1->AddRow();
        vbalGrid1->SetCell(row, kActionColumn, QStringLiteral("Add New"), vbalGrid::DT_CENTER, -1, OleColor::Default,
                           OleColor::Red);
    }
    vbalGrid1->SetRedrawEnabled(true);
}

void frmTimeInOut::UpdateClockButtons(int employeeId)
{
    cmdClockIn->setEnabled(false);
    cmdClockOut->setEnabled(false);
    const std::optional<bool> clockedIn = TimeClockStore::IsClockedIn(employeeId);
    if (!clockedIn)
        return;
    cmdClockIn->setEnabled(!*clockedIn);
    cmdClockOut->setEnabled(*clockedIn);
}

bool frmTimeInOut::pinAccepted()
{
    const std::optional<QString> pin = CurrentPinSource().askPin();
    if (!pin)
        return false; // the keypad was closed without "Accept"
    return TimeClockStore::PinAccepted(*pin, m_selectedPIN, m_selectedId);
}

void frmTimeInOut::ClockIn()
{
    if (m_selectedId == 0 || !pinAccepted())
        return;
    showClockingResult(TimeClockStore::ClockIn(m_selectedId));
}

void frmTimeInOut::ClockOut()
{
    if (m_selectedId == 0 || !pinAccepted())
        return;
    showClockingResult(TimeClockStore::ClockOut(m_selectedId));
}

void frmTimeInOut::showClockingResult(TimeClockStore::Clocking result)
{
    const QString name = txtFirstName->text() + QLatin1Char(' ') + txtLastName->text();
    LoadEmployeeWeek(m_selectedId); // the rows and buttons as they now stand
    const QString refusal = ClockTexts::ClockingRefusal(result, name.trimmed());
    if (!refusal.isEmpty())
        Prompts().message(refusal);
}

void frmTimeInOut::PreviousWeek()
{
    vbalGrid1->EndEdit();
    m_payWeekStart = PayWeek::Previous(m_payWeekStart);
    showWeekLabel();
    LoadEmployeeWeek(m_selectedId);
}

void frmTimeInOut::NextWeek()
{
    vbalGrid1->EndEdit();
    m_payWeekStart = PayWeek::Next(m_payWeekStart, Clock::today());
    showWeekLabel();
    LoadEmployeeWeek(m_selectedId);
}

void frmTimeInOut::done(int result)
{
    vbalGrid1->EndEdit();
    Timer1->stop();
    m_admin = false; // the next opening is in employee mode
    QDialog::done(result);
}
