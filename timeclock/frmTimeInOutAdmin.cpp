// The administrator's side of the time clock: the grid's edits, "Remove"
// and "Add New", and the payroll reports of the frame "Admin".
#include "timeclock/frmTimeInOut.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "data/UserPrompts.h"
#include "reports/PrintPayroll.h"
#include "timeclock/PayWeek.h"
#include "timeclock/PayrollChoices.h"
#include "widgets/VbInput.h"
#include "widgets/vbalGrid.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QGroupBox *frmTimeInOut::buildAdminFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Admin"), this);
    frame->setObjectName(QStringLiteral("fraAdmin"));
    cmbPayRollYear = new QComboBox(frame);
    cmbPayRollYear->setObjectName(QStringLiteral("cmbPayRollYear"));
    cmdTimeSummary = new QPushButton(QStringLiteral("Semi-Monthly"), frame);
    cmdTimeSummary->setObjectName(QStringLiteral("cmdTimeSummary"));
    cmdWeekly = new QPushButton(QStringLiteral("Weekly Summary"), frame);
    cmdWeekly->setObjectName(QStringLiteral("cmdWeekly"));
    rptWeek = new QComboBox(frame);
    rptWeek->setObjectName(QStringLiteral("rptWeek"));
    rptWeek->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Command1 = new QPushButton(QStringLiteral("All Employee Hours"), frame);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto *row = new QHBoxLayout(frame);
    row->addWidget(cmbPayRollYear);
    row->addWidget(cmdTimeSummary);
    row->addWidget(cmdWeekly);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("for Week"), frame));
    row->addWidget(rptWeek);
    row->addWidget(Command1);
    row->addStretch(1);
    for (QPushButton *b : {cmdTimeSummary, cmdWeekly, Command1})
        b->setAutoDefault(false);
    return frame;
}

void frmTimeInOut::connectAdminFrame()
{
    connect(vbalGrid1, &vbalGrid::RequestEdit, this, &frmTimeInOut::onRequestEdit);
    connect(vbalGrid1, &vbalGrid::CommitEdit, this,
            [this](int row, int col, const QString &, bool *) { onCommitEdit(row, col); });
    connect(vbalGrid1, &vbalGrid::EditCancelled, TxtEdit, &QWidget::hide);
    connect(vbalGrid1, &vbalGrid::MouseUp, this, &frmTimeInOut::onMouseUp);
    connect(cmbPayRollYear, &QComboBox::activated, this, &frmTimeInOut::fillPeriods);
    connect(cmdTimeSummary, &QPushButton::clicked, this, &frmTimeInOut::onSemiMonthly);
    connect(cmdWeekly, &QPushButton::clicked, this, &frmTimeInOut::onWeekly);
    connect(Command1, &QPushButton::clicked, this, &frmTimeInOut::onAllEmployeeHours);
}

void frmTimeInOut::fillYears()
{
    cmbPayRollYear->clear();
    for (int year : PayrollChoices::Years(Clock::today().year()))
        cmbPayRollYear->addItem(QString::number(year), year);
    cmbPayRollYear->setCurrentIndex(0);
}

void frmTimeInOut::fillPeriods()
{
    rptWeek->clear();
    for (const PayrollChoices::Period &p : PayrollChoices::Periods(chosenYear()))
        rptWeek->addItem(p.text, p.firstWeek);
    rptWeek->setCurrentIndex(0);
}

int frmTimeInOut::chosenYear() const
{
    return cmbPayRollYear->currentText().trimmed().toInt();
}

void frmTimeInOut::onRequestEdit(int row, int col, int keyAscii, bool *cancel)
{
    const QString key = vbalGrid1->ColumnKeyAt(col).toLower();
    // The "Add New" row has no time row behind it yet.
    if (!m_admin || key == QLatin1String("id") || key == QLatin1String("action")
        || vbalGrid1->CellItemData(row, kIdColumn) == 0) {
        *cancel = true;
        return;
    }
    QString text = vbalGrid1->CellValue(row, col);
    if (keyAscii != 0)
        text += QChar(keyAscii);
    TxtEdit->setFont(vbalGrid1->CellFont(row, col));
    TxtEdit->setText(text);
    TxtEdit->setCursorPosition(int(text.size()));
    vbalGrid1->EditOverCell(TxtEdit);
}

void frmTimeInOut::onCommitEdit(int row, int col)
{
    const int rowId = int(vbalGrid1->CellItemData(row, kIdColumn));
    if (rowId == 0)
        return;
    const QString key = vbalGrid1->ColumnKeyAt(col).toUpper();
    const QString typed = TxtEdit->text().trimmed();
    TimeClockStore::Edit result = TimeClockStore::Edit::Done;
    if (key == QLatin1String("TIMEIN"))
        result = TimeClockStore::SetTimeIn(rowId, typed);
    else if (key == QLatin1String("TIMEOUT"))
        result = TimeClockStore::SetTimeOut(rowId, typed);
    else if (key == QLatin1String("NOTES"))
        result = TimeClockStore::SetNote(rowId, typed);
    LoadEmployeeWeek(m_selectedId);
    showEditRefusal(result, typed);
}

void frmTimeInOut::showEditRefusal(TimeClockStore::Edit result, const QString &typed)
{
    using TimeClockStore::Edit;
    if (result == Edit::NotATime)
        Prompts().message(QStringLiteral("\"%1\" is not a date and time. Type it as %2; nothing was changed.")
                              .arg(typed, DateText::generalDate(Clock::now())));
    else if (result == Edit::OutBeforeIn)
        Prompts().message(
            QStringLiteral("\"%1\" would put the time out before the time in; nothing was changed.").arg(typed));
    else if (result == Edit::AnotherRowOpen)
        Prompts().message(QStringLiteral("%1 is already clocked in on another row; nothing was changed. "
                                         "Give that row its time out first.")
                              .arg((txtFirstName->text() + QLatin1Char(' ') + txtLastName->text()).trimmed()));
    else if (result == Edit::BlankTimeIn)
        Prompts().message(QStringLiteral("Every time row needs its time in; nothing was changed. "
                                         "To take the row away, use Remove."));
}

void frmTimeInOut::onMouseUp(int button, int, int x, int y)
{
    if (!m_admin || button != VbInput::LeftButton)
        return;
    if (const int row = vbalGrid1->RemoveCellHit(button, x, y)) {
        const QString question = QStringLiteral("Remove ") + vbalGrid1->CellValue(row, kIdColumn) + QStringLiteral("  ")
            + vbalGrid1->CellValue(row, kTimeInColumn) + QStringLiteral("?");
        if (Prompts().askYesNo(question))
            DeleteTimeRow(int(vbalGrid1->CellItemData(row, kIdColumn)));
        return;
    }
    const int row = vbalGrid1->SelectedRow();
    if (row != 0 && vbalGrid1->CellRect(row, kActionColumn).contains(x, y)
        && vbalGrid1->CellValue(row, kActionColumn).trimmed() == QLatin1String("Add New"))
        AddTimeRow();
}

void frmTimeInOut::DeleteTimeRow(int rowId)
{
    TimeClockStore::RemoveRow(rowId);
    LoadEmployeeWeek(m_selectedId);
}

void frmTimeInOut::AddTimeRow()
{
    if (m_selectedId == 0)
        return;
    TimeClockStore::AddRow(m_selectedId, PayWeek::NewRowMoment(m_payWeekStart, Clock::now()));
    LoadEmployeeWeek(m_selectedId);
}

void frmTimeInOut::onSemiMonthly()
{
    if (m_selectedId == 0) {
        Prompts().message(QStringLiteral("Please select employee"));
        return;
    }
    PrintPayroll(m_selectedId, chosenYear(), true, false);
}

void frmTimeInOut::onWeekly()
{
    if (m_selectedId == 0) {
        Prompts().message(QStringLiteral("Please select employee"));
        return;
    }
    PrintPayroll(m_selectedId, chosenYear(), false, false);
}

void frmTimeInOut::onAllEmployeeHours()
{
    if (rptWeek->currentText().isEmpty()) {
        Prompts().message(QStringLiteral("Please chose week"));
        return;
    }
    PrintAllEmployeeHours(chosenYear(), rptWeek->currentData().toInt(), true);
}
