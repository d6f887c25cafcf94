#include "sales/TicketTotals.h"

#include "sales/TicketFigures.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <utility>

namespace {

const char *const kCaptions[TicketTotals::BoxCount] = {"SubTotal", "Labor",          "Shop Fee",  "Tax",
                                                       "Total",    "Payment/Credit", "Change Due"};
const char *const kNames[TicketTotals::BoxCount] = {"txtSubTotal", "txtLabor",    "txtShopFee",  "txtTax",
                                                    "txtTotal",    "txtPayments", "txtChangeDue"};

} // namespace

TicketTotals::TicketTotals(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picTotals"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(3);
    // Two columns, what the ticket costs beside what is paid and due, so the
    // totals stay low enough to be seen with the lines on a short screen.
    const auto place = [](int box) { return box < Total ? std::pair(box, 0) : std::pair(box - Total, 4); };
    for (int i = 0; i < BoxCount; ++i) {
        auto *label = new QLabel(QLatin1String(kCaptions[i]), this);
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(kNames[i]));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000000.00")) + 12);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const auto [row, column] = place(i);
        layout->addWidget(label, row, column);
        layout->addWidget(box, row, column + 1);
        m_boxes[i] = box;
    }
    QFont bold = m_boxes[Total]->font();
    bold.setBold(true);
    m_boxes[Total]->setFont(bold);
    m_boxes[ChangeDue]->setFont(bold);
    chkExempt = new QCheckBox(QStringLiteral("Exempt"), this);
    chkExempt->setObjectName(QStringLiteral("chkExempt"));
    layout->addWidget(chkExempt, Tax, 2);
    layout->setColumnMinimumWidth(3, 12);
    layout->setColumnStretch(6, 1);
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
