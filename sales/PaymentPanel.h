#pragma once

#include <QFrame>

class QComboBox;
class QLineEdit;
class QPushButton;

// The payment entry of the ticket area: the pay type (a list that also takes
// a typed kind) and the amount. "OK" raises PaymentEntered; the host records
// it and closes the panel, or keeps it open when the amount is refused.
class PaymentPanel : public QFrame
{
    Q_OBJECT
public:
    explicit PaymentPanel(QWidget *parent = nullptr);

    // Shown in front at that place, the amount selected for typing.
    void open(const QRect &where);
    // After a recorded payment: hidden, the amount back to "00.00".
    void closeRecorded();

    QString payType() const;
    QString amountText() const;
    // Puts the caret back into the amount box, all of it selected.
    void selectAmount();

signals:
    void PaymentEntered(const QString &payType, const QString &amount);
    // Recorded or cancelled (not when the ticket shown again hides it).
    void Closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cancel();

    QComboBox *cboPayType = nullptr;
    QLineEdit *txtAmount = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
