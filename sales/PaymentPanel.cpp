#include "sales/PaymentPanel.h"

#include "data/TicketRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PaymentPanel::PaymentPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picPayment"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    cboPayType = new QComboBox(this);
    cboPayType->setObjectName(QStringLiteral("cboPayType"));
    cboPayType->setEditable(true);
    cboPayType->setInsertPolicy(QComboBox::NoInsert);
    cboPayType->addItems(TicketRules::PayTypes());
    cboPayType->setCurrentIndex(0); // "Cash"
    txtAmount = new QLineEdit(QStringLiteral("00.00"), this);
    txtAmount->setObjectName(QStringLiteral("txtAmount"));
    txtAmount->setAlignment(Qt::AlignRight);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {cmdOK, cmdCancel})
        b->setAutoDefault(false);
    layout->addWidget(new QLabel(QStringLiteral("Pay Type: "), this), 0, 0);
    layout->addWidget(cboPayType, 0, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Amount:"), this), 1, 0);
    layout->addWidget(txtAmount, 1, 1, 1, 2);
    layout->addWidget(cmdOK, 2, 1);
    layout->addWidget(cmdCancel, 2, 2);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(3, 1);
    setTabOrder(cboPayType, txtAmount);
    setTabOrder(txtAmount, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    const auto enter = [this] { emit PaymentEntered(payType(), amountText()); };
    connect(cmdOK, &QPushButton::clicked, this, enter);
    connect(txtAmount, &QLineEdit::returnPressed, this, enter);
    connect(cmdCancel, &QPushButton::clicked, this, &PaymentPanel::cancel);
    hide();
}

QString PaymentPanel::payType() const
{
    return cboPayType->currentText();
}

QString PaymentPanel::amountText() const
{
    return txtAmount->text();
}

void PaymentPanel::open(const QRect &where)
{
    setGeometry(where);
    show();
    raise();
    selectAmount();
}

void PaymentPanel::selectAmount()
{
    txtAmount->setFocus(Qt::OtherFocusReason);
    txtAmount->selectAll();
}

void PaymentPanel::closeRecorded()
{
    hide();
    txtAmount->setText(QStringLiteral("00.00"));
    emit Closed();
}

void PaymentPanel::cancel()
{
    hide();
    txtAmount->setText(QStringLiteral("0"));
    emit Closed();
}

void PaymentPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QFrame::keyPressEvent(event);
}
