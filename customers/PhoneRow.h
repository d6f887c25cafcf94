#pragma once

#include <QWidget>

class QLineEdit;
class QRadioButton;

// One phone row of the customer editor: the option button whose caption
// "(        )          -            Home" shows its parentheses and dash
// between the three boxes laid over its blanks (area code, exchange, line
// number), and the word at its right end.
class PhoneRow : public QWidget
{
    Q_OBJECT
public:
    PhoneRow(const QString &caption, const QString &boxName, QWidget *parent = nullptr);

    QRadioButton *option() const { return m_option; }
    QLineEdit *box(int i) const { return m_boxes[i]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void widenBlanks();
    void placeBoxes();

    QRadioButton *m_option = nullptr;
    QLineEdit *m_boxes[3] = {};
};
