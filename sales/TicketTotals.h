#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
struct TicketFigures;

// The seven total boxes of a ticket ("SubTotal" … "Change Due"), each
// "00.00", with the "Exempt" box beside "Tax".
class TicketTotals : public QWidget
{
    Q_OBJECT
public:
    explicit TicketTotals(QWidget *parent = nullptr);

    void showFigures(const TicketFigures &figures);
    void clear();

    // Set without raising ExemptClicked.
    void setExempt(bool exempt);
    bool exempt() const;

    enum Box { SubTotal, Labor, ShopFee, Tax, Total, Payments, ChangeDue, BoxCount };
    QString boxText(Box box) const;

signals:
    // Only a click of the user, never a ticket being shown.
    void ExemptClicked(bool exempt);

private:
    QLineEdit *m_boxes[BoxCount] = {};
    QCheckBox *chkExempt = nullptr;
};
