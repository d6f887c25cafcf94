#include "maintenance/frmAuditLog.h"

#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/DateText.h"
#include "reports/AuditReport.h"
#include "widgets/DayBox.h"
#include "widgets/WindowPlacement.h"
#include "widgets/vbalGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kEvery = QStringLiteral("(all)");

} // namespace

frmAuditLog::frmAuditLog(QWidget *parent)
    : QDialog(parent)
    , dtpFrom(NewDayBox(this, "dtpFrom", Clock::today().addDays(-30)))
    , dtpTo(NewDayBox(this, "dtpTo", Clock::today()))
    , cboAction(new QComboBox(this))
    , cboWho(new QComboBox(this))
    , vbalGrid1(new vbalGrid(this))
    , lblCount(new QLabel(this))
    , cmdPrint(new QPushButton(QStringLiteral("Print"), this))
{
    setObjectName(QStringLiteral("frmAuditLog"));
    setWindowTitle(QStringLiteral("Audit Log"));
    cboAction->setObjectName(QStringLiteral("cboAction"));
    cboWho->setObjectName(QStringLiteral("cboWho"));
    vbalGrid1->setObjectName(QStringLiteral("vbalGrid1"));
    lblCount->setObjectName(QStringLiteral("lblCount"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cboAction->addItem(kEvery);
    cboAction->addItems(AuditLog::Actions());
    cboWho->addItem(kEvery);

    auto *filters = new QHBoxLayout;
    for (const auto &[label, box] :
         {std::pair<const char *, QWidget *>{"From", dtpFrom}, {"To", dtpTo}, {"Action", cboAction}, {"Who", cboWho}}) {
        filters->addWidget(new QLabel(QLatin1String(label), this));
        filters->addWidget(box);
    }
    filters->addStretch(1);
    filters->addWidget(cmdPrint);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(vbalGrid1, 1);
    layout->addWidget(lblCount);

    vbalGrid1->AddColumn(QStringLiteral("at"), QStringLiteral("Time"), vbalGrid::AlignLeft, -1, 150);
    vbalGrid1->AddColumn(QStringLiteral("counter"), QStringLiteral("Counter"), vbalGrid::AlignLeft, -1, 110);
    vbalGrid1->AddColumn(QStringLiteral("who"), QStringLiteral("Who"), vbalGrid::AlignLeft, -1, 150);
    vbalGrid1->AddColumn(QStringLiteral("action"), QStringLiteral("Action"), vbalGrid::AlignLeft, -1, 150);
    vbalGrid1->AddColumn(QStringLiteral("subject"), QStringLiteral("Concerning"), vbalGrid::AlignLeft, -1, 110);
    vbalGrid1->AddColumn(QStringLiteral("details"), QStringLiteral("Details"), vbalGrid::AlignLeft, -1, 400);

    connect(dtpFrom, &QDateEdit::dateChanged, this, &frmAuditLog::Refresh);
    connect(dtpTo, &QDateEdit::dateChanged, this, &frmAuditLog::Refresh);
    connect(cboAction, &QComboBox::currentIndexChanged, this, &frmAuditLog::Refresh);
    connect(cboWho, &QComboBox::currentIndexChanged, this, &frmAuditLog::Refresh);
    connect(cmdPrint, &QPushButton::clicked, this, &frmAuditLog::PrintLog);
    resize(1100, 600);
    WindowPlacement::FitOnScreen(this);
    Refresh();
}

QString frmAuditLog::chosen(const QComboBox *box) const
{
    return box->currentIndex() <= 0 ? QString() : box->currentText();
}

void frmAuditLog::fillPeople(const QStringList &people)
{
    const QString keep = cboWho->currentText();
    const QSignalBlocker quiet(cboWho);
    cboWho->clear();
    cboWho->addItem(kEvery);
    cboWho->addItems(people);
    cboWho->setCurrentIndex(std::max(0, int(cboWho->findText(keep))));
}

void frmAuditLog::Refresh()
{
    // The people to choose from are those of the whole range, whatever the
    // other filter.
    const auto all = AuditLog::Entries(dtpFrom->date(), dtpTo->date(), chosen(cboAction));
    vbalGrid1->ClearRows();
    m_shown = 0;
    if (!all) {
        lblCount->setText(QStringLiteral("The audit log could not be read."));
        return;
    }
    QStringList people;
    for (const AuditLog::Entry &e : *all) {
        if (!e.who.isEmpty() && !people.contains(e.who))
            people << e.who;
    }
    std::sort(people.begin(), people.end());
    fillPeople(people);
    const QString who = chosen(cboWho);
    for (const AuditLog::Entry &e : *all) {
        if (!who.isEmpty() && e.who != who)
            continue;
        const int row = vbalGrid1->AddRow();
        vbalGrid1->SetCell(row, 1, DateText::generalDate(e.at));
        vbalGrid1->SetCell(row, 2, e.counter);
        vbalGrid1->SetCell(row, 3, e.who.isEmpty() ? QStringLiteral("-") : e.who);
        vbalGrid1->SetCell(row, 4, e.action);
        vbalGrid1->SetCell(row, 5, e.subject);
        vbalGrid1->SetCell(row, 6, QString(e.details).replace(QLatin1Char('\n'), QStringLiteral(" / ")));
        ++m_shown;
    }
    lblCount->setText(QStringLiteral("%1 entries").arg(m_shown));
    cmdPrint->setEnabled(m_shown > 0);
}

void frmAuditLog::PrintLog()
{
    PrintAuditLog(dtpFrom->date(), dtpTo->date(), chosen(cboAction), chosen(cboWho));
}
