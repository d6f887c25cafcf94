#include "sales/TicketTotals.h"

#include "sales/TicketFigures.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const char *const kCaptions[TicketTotals::BoxCount] = {"SubTotal", "Labor", "Shop Fee", "Tax", "Total",
                                                       "Payment/Credit", "Change Due"};
const char *const kNames[TicketTotals::BoxCount] = {"txtSubTotal", "txtLabor", "txtShopFee", "txtTax", "txtTotal",
                                                    "txtPayments", "txtChangeDue"};

} // namespace

TicketTotals::TicketTotals(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picTotals"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(3);
    for (int i = 0; i < BoxCount; ++i) {
        auto *label = new QLabel(QLatin1String(kCaptions[i]), this);
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(kNames[i]));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000000.00")) + 12);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        layout->addWidget(label, i, 0);
        layout->addWidget(box, i, 1);
        m_boxes[i] = box;
    }
    QFont bold = m_boxes[Total]->font();
    bold.setBold(true);
    m_boxes[Total]->setFont(bold);
    m_boxes[ChangeDue]->setFont(bold);
    chkExempt = new QCheckBox(QStringLiteral("Exempt"), this);
    chkExempt->setObjectName(QStringLiteral("chkExempt"));
    layout->addWidget(chkExempt, Tax, 2);
    layout->setColumnStretch(3, 1);
    connect(chkExempt, &QCheckBox::clicked, this, &TicketTotals::ExemptClicked);
    clear();
}

void TicketTotals::showFigures(const TicketFigures &f)
{
    const Money values[BoxCount] = {f.parts, f.labor, f.shopFee, f.tax, f.total, f.payments, f.changeDue};
    for (int i = 0; i < BoxCount; ++i)
        m_boxes[i]->setText(values[i].format00());
}

void TicketTotals::clear()
{
    for (QLineEdit *box : m_boxes)
        box->setText(Money().format00());
}

void TicketTotals::setExempt(bool exempt)
{
    chkExempt->setChecked(exempt); // setChecked raises no clicked
}

bool TicketTotals::exempt() const
{
    return chkExempt->isChecked();
}

QString TicketTotals::boxText(Box box) const
{
    return m_boxes[box]->text();
}
