#include "catalog/frmPrintLabels.h"

#include "widgets/ObjectSettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QRadioButton *option(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QRadioButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QString sheetCaption(const LabelSheet &sheet)
{
    return QStringLiteral("Avery %1 (%2 to a sheet, %3 x %4 in)")
        .arg(sheet.name)
        .arg(sheet.Count())
        .arg(sheet.labelWidth, 0, 'g', 4)
        .arg(sheet.labelHeight, 0, 'g', 4);
}

QString pickedCaption(const QStringList &names)
{
    if (names.size() == 1)
        return QStringLiteral("The product picked in the list: ") + names.first();
    if (names.isEmpty())
        return QStringLiteral("The products picked in the list");
    return QStringLiteral("The %1 products picked in the list").arg(names.size());
}

} // namespace

frmPrintLabels::frmPrintLabels(const QStringList &pickedNames, QWidget *parent)
    : QDialog(parent)
    , optSelected(option(this, "optSelected", pickedCaption(pickedNames)))
    , optAll(option(this, "optAll", QStringLiteral("Every product of the list")))
    , cboSheet(new QComboBox(this))
    , spnStart(new QSpinBox(this))
    , optOne(option(this, "optOne", QStringLiteral("One label each")))
    , optOnHand(option(this, "optOnHand", QStringLiteral("One label for each piece on hand")))
{
    setObjectName(QStringLiteral("frmPrintLabels"));
    setWindowTitle(QStringLiteral("Print Labels"));
    cboSheet->setObjectName(QStringLiteral("cboSheet"));
    spnStart->setObjectName(QStringLiteral("spnStart"));
    for (const LabelSheet &sheet : LabelSheet::All())
        cboSheet->addItem(sheetCaption(sheet), sheet.name);
    optSelected->setEnabled(!pickedNames.isEmpty());

    auto *which = new QVBoxLayout;
    which->addWidget(optSelected);
    which->addWidget(optAll);
    auto *count = new QVBoxLayout;
    count->addWidget(optOne);
    count->addWidget(optOnHand);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Labels for:"), which);
    form->addRow(QStringLiteral("Sheet:"), cboSheet);
    form->addRow(QStringLiteral("Start at label:"), spnStart);
    form->addRow(QStringLiteral("How many:"), count);
    // Each pair excludes within itself only.
    auto *whichGroup = new QButtonGroup(this);
    whichGroup->addButton(optSelected);
    whichGroup->addButton(optAll);
    auto *countGroup = new QButtonGroup(this);
    countGroup->addButton(optOne);
    countGroup->addButton(optOnHand);
    (pickedNames.isEmpty() ? optAll : optSelected)->setChecked(true);
    // The shop's sheets and its way of counting stay as they were last
    // printed; the start is chosen for the sheet in hand each time.
    cboSheet->setCurrentIndex(std::max(0, cboSheet->findData(GetObjectSetting(this, QStringLiteral("Sheet"), QString()))));
    (GetObjectSetting(this, QStringLiteral("Count"), QString()) == QLatin1String("OnHand") ? optOnHand : optOne)
        ->setChecked(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Print..."));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(cboSheet, &QComboBox::currentIndexChanged, this, &frmPrintLabels::sheetChanged);
    sheetChanged();
}

void frmPrintLabels::accept()
{
    remember();
    QDialog::accept();
}

void frmPrintLabels::remember()
{
    SaveObjectSetting(this, QStringLiteral("Sheet"), cboSheet->currentData().toString());
    SaveObjectSetting(this, QStringLiteral("Count"),
                      optOnHand->isChecked() ? QStringLiteral("OnHand") : QStringLiteral("One"));
}

void frmPrintLabels::sheetChanged()
{
    spnStart->setRange(1, choice().sheet.Count());
}

bool frmPrintLabels::allProducts() const
{
    return optAll->isChecked();
}

ProductLabels::Choice frmPrintLabels::choice() const
{
    ProductLabels::Choice c;
    c.sheet = LabelSheet::Named(cboSheet->currentData().toString()).value_or(LabelSheet::All().first());
    c.start = spnStart->value();
    c.count = optOnHand->isChecked() ? ProductLabels::Count::OnHand : ProductLabels::Count::One;
    return c;
}
