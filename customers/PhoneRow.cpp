#include "customers/PhoneRow.h"

#include "customers/PhoneNumber.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The width a box needs to show its digits in full.
int boxWidth(const QLineEdit *box, int digits)
{
    const QFontMetrics fm(box->font());
    return fm.horizontalAdvance(QString(digits, QLatin1Char('0'))) + 16;
}

} // namespace

PhoneRow::PhoneRow(const QString &caption, const QString &boxName, QWidget *parent) : QWidget(parent)
{
    m_option = new QRadioButton(caption, this);
    for (int i = 0; i < 3; ++i) {
        m_boxes[i] = new QLineEdit(this);
        m_boxes[i]->setObjectName(QStringLiteral("%1_%2").arg(boxName).arg(i));
        m_boxes[i]->setMaxLength(PhoneNumber::kBoxLengths[i]);
        m_boxes[i]->setAlignment(Qt::AlignCenter);
    }
    widenBlanks();
    setFocusPolicy(Qt::NoFocus);
}

// The caption's blanks are widened until each run of them holds its box.
void PhoneRow::widenBlanks()
{
    const QString caption = m_option->text();
    const int opening = caption.indexOf(QLatin1Char('('));
    const int closing = caption.indexOf(QLatin1Char(')'));
    const int dash = caption.indexOf(QLatin1Char('-'));
    int word = dash + 1;
    while (word < caption.size() && caption[word] == QLatin1Char(' '))
        ++word;
    const int runs[3] = {closing - opening - 1, dash - closing - 1, word - dash - 1};
    QFont font = m_option->font();
    const double blank = QFontMetricsF(font).horizontalAdvance(QLatin1Char(' '));
    double extra = 0;
    for (int i = 0; i < 3; ++i) {
        if (runs[i] > 0)
            extra = qMax(extra, (boxWidth(m_boxes[i], PhoneNumber::kBoxLengths[i]) + 2) / double(runs[i]) - blank);
    }
    font.setWordSpacing(extra);
    m_option->setFont(font);
}

QSize PhoneRow::sizeHint() const
{
    const QSize option = m_option->sizeHint();
    return QSize(option.width(), qMax(option.height(), m_boxes[0]->sizeHint().height()));
}

void PhoneRow::resizeEvent(QResizeEvent *)
{
    m_option->setGeometry(0, 0, width(), height());
    placeBoxes();
}

void PhoneRow::placeBoxes()
{
    QStyleOptionButton opt;
    opt.initFrom(m_option);
    opt.text = m_option->text();
    opt.rect = m_option->rect();
    const int textLeft = style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, m_option).left();
    const QString caption = m_option->text();
    const QFontMetrics fm(m_option->font());
    const auto at = [&](int index) { return textLeft + fm.horizontalAdvance(caption.left(index)); };
    const int marks[3] = {int(caption.indexOf(QLatin1Char('('))), int(caption.indexOf(QLatin1Char(')'))),
                          int(caption.indexOf(QLatin1Char('-')))};
    int ends[3] = {marks[1], marks[2], marks[2] + 1};
    while (ends[2] < caption.size() && caption[ends[2]] == QLatin1Char(' '))
        ++ends[2];
    const int h = m_boxes[0]->sizeHint().height();
    for (int i = 0; i < 3; ++i) {
        const int left = at(marks[i] + 1) + 1;
        const int right = at(ends[i]) - 1;
        m_boxes[i]->setGeometry(left, (height() - h) / 2, qMax(10, right - left), h);
    }
}
