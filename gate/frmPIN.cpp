#include "gate/frmPIN.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The twelve keys, in their indexed order, and where each sits on the pad.
struct Key
{
    const char *caption;
    int row, column;
};
const Key kKeys[12] = {{"Clear", 3, 0}, {"<=", 3, 2}, {"7", 0, 0}, {"8", 0, 1}, {"9", 0, 2}, {"4", 1, 0},
                       {"5", 1, 1},     {"6", 1, 2},  {"1", 2, 0}, {"2", 2, 1}, {"3", 2, 2}, {"0", 3, 1}};

} // namespace

frmPIN::frmPIN(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPIN"));
    setWindowTitle(QStringLiteral("Enter PIN"));
    setModal(true);
    auto *grid = new QGridLayout(this);
    grid->setSpacing(6);
    txtPIN = new QLineEdit(this);
    txtPIN->setObjectName(QStringLiteral("txtPIN"));
    txtPIN->setReadOnly(true);
    txtPIN->setFocusPolicy(Qt::NoFocus);
    txtPIN->setAlignment(Qt::AlignCenter);
    QFont big = txtPIN->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    txtPIN->setFont(big);
    grid->addWidget(txtPIN, 0, 0, 1, 3);

    Command1 = new QButtonGroup(this);
    for (int i = 0; i < 12; ++i) {
        auto *b = new QPushButton(QLatin1String(kKeys[i].caption), this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setFont(big);
        b->setMinimumSize(64, 52);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        Command1->addButton(b, i);
        grid->addWidget(b, 1 + kKeys[i].row, kKeys[i].column);
    }
    connect(Command1, &QButtonGroup::idClicked, this, [this](int id) { press(QLatin1String(kKeys[id].caption)); });

    cmdAccept = new QPushButton(QStringLiteral("Accept"), this);
    cmdAccept->setObjectName(QStringLiteral("cmdAccept"));
    cmdAccept->setFont(big);
    cmdAccept->setMinimumHeight(52);
    cmdAccept->setAutoDefault(false);
    cmdAccept->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(cmdAccept, 5, 0, 1, 3);
    connect(cmdAccept, &QPushButton::clicked, this, &frmPIN::onAccept);
    setFixedSize(sizeHint());
}

void frmPIN::press(const QString &caption)
{
    m_pad.press(caption);
    showPin();
}

void frmPIN::showPin()
{
    txtPIN->setText(QString(m_pad.text().size(), QLatin1Char('*')));
}

void frmPIN::onAccept()
{
    SharedPin() = m_pad.text();
    accept();
}

void frmPIN::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
        press(text);
    } else if (event->key() == Qt::Key_Backspace) {
        press(QStringLiteral("<="));
    } else if (event->key() == Qt::Key_Delete) {
        press(QStringLiteral("Clear"));
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        onAccept();
    } else {
        QDialog::keyPressEvent(event); // Escape closes without "Accept"
    }
}

std::optional<QString> KeypadPinSource::askPin()
{
    SharedPin().clear();
    frmPIN keypad(QApplication::activeWindow());
    if (keypad.exec() != QDialog::Accepted)
        return std::nullopt;
    return SharedPin();
}
