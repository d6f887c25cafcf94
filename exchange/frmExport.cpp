#include "exchange/frmExport.h"

#include "data/Clock.h"
#include "data/UserPrompts.h"
#include "exchange/TableExport.h"
#include "maintenance/FileChooser.h"
#include "widgets/WaitPointer.h"
#include "widgets/DayBox.h"
#include "widgets/WindowPlacement.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kExportTitle = QStringLiteral("Export");

} // namespace

frmExport::frmExport(QWidget *parent, FileChooser *chooser)
    : QDialog(parent)
    , m_chooser(chooser)
    , cboWhat(new QComboBox(this))
    // The month before this one: what the accountant asks for.
    , dtpFrom(NewDayBox(this, "dtpFrom", QDate(Clock::today().year(), Clock::today().month(), 1).addMonths(-1)))
    , dtpTo(NewDayBox(this, "dtpTo", QDate(Clock::today().year(), Clock::today().month(), 1).addDays(-1)))
    , lblOutcome(new QLabel(this))
    , cmdExport(new QPushButton(QStringLiteral("Export..."), this))
    , cmdClose(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(kExportTitle);
    cboWhat->setObjectName(QStringLiteral("cboWhat"));
    lblOutcome->setObjectName(QStringLiteral("lblOutcome"));
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cboWhat->addItem(QStringLiteral("Customers"), int(Customers));
    cboWhat->addItem(QStringLiteral("Products"), int(Products));
    cboWhat->addItem(QStringLiteral("Labor price list"), int(Labor));
    cboWhat->addItem(QStringLiteral("Closed tickets"), int(Tickets));
    lblOutcome->setWordWrap(true);

    auto *choice = new QGridLayout;
    choice->addWidget(new QLabel(QStringLiteral("Export"), this), 0, 0);
    choice->addWidget(cboWhat, 0, 1, 1, 3);
    choice->addWidget(new QLabel(QStringLiteral("Closed from"), this), 1, 0);
    choice->addWidget(dtpFrom, 1, 1);
    choice->addWidget(new QLabel(QStringLiteral("to"), this), 1, 2);
    choice->addWidget(dtpTo, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(lblOutcome);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(cboWhat, &QComboBox::currentIndexChanged, this, &frmExport::enableRange);
    connect(cmdExport, &QPushButton::clicked, this, &frmExport::ExportData);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    enableRange();
    WindowPlacement::FitOnScreen(this);
}

frmExport::What frmExport::what() const
{
    return What(cboWhat->currentData().toInt());
}

void frmExport::enableRange()
{
    dtpFrom->setEnabled(what() == Tickets);
    dtpTo->setEnabled(what() == Tickets);
}

QString frmExport::suggestedName() const
{
    switch (what()) {
    case Customers:
        return QStringLiteral("customers.csv");
    case Products:
        return QStringLiteral("products.csv");
    case Labor:
        return QStringLiteral("labor.csv");
    case Tickets:
        break;
    }
    return QStringLiteral("tickets %1 to %2.csv")
        .arg(dtpFrom->date().toString(Qt::ISODate), dtpTo->date().toString(Qt::ISODate));
}

void frmExport::ExportData()
{
    if (what() == Tickets && dtpTo->date() < dtpFrom->date()) {
        Prompts().message(QStringLiteral("The first day comes after the last; choose the days again."), kExportTitle);
        return;
    }
    const std::optional<QString> file = ChooserOr(m_chooser).spreadsheetToSave(
        this, QStringLiteral("Export to"), QDir::home().filePath(suggestedName()));
    if (!file)
        return;
    QString error;
    int rows = 0;
    bool written = false;
    {
        const WaitPointer wait;
        static const ExchangeTable::Table tables[] = {ExchangeTable::Table::Customers, ExchangeTable::Table::Products,
                                                      ExchangeTable::Table::Labor};
        written = what() == Tickets ? TableExport::ExportTickets(dtpFrom->date(), dtpTo->date(), *file, &error, &rows)
                                    : TableExport::ExportTable(tables[what()], *file, &error, &rows);
    }
    if (!written) {
        lblOutcome->clear();
        Prompts().message(error, kExportTitle);
        return;
    }
    lblOutcome->setText(QStringLiteral("%1 rows written to %2.").arg(rows).arg(QDir::toNativeSeparators(*file)));
}
