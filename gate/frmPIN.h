#pragma once

#include "gate/PinPad.h"
#include "gate/PinSource.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

// The PIN keypad: digits up to five, "Clear", "<=" and "Accept", by mouse,
// touch or keyboard. It checks nothing itself: "Accept" hands the PIN to the
// shared PIN and closes; closing it any other way leaves the shared PIN as
// the caller set it.
class frmPIN : public QDialog
{
    Q_OBJECT
public:
    explicit frmPIN(QWidget *parent = nullptr);

    // The digits entered so far.
    QString pin() const { return m_pad.text(); }
    // A keypad button, by its caption (as a click on it).
    void press(const QString &caption);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onAccept();
    void showPin();

    PinPad m_pad;
    QLineEdit *txtPIN = nullptr;
    QButtonGroup *Command1 = nullptr;
    QPushButton *cmdAccept = nullptr;
};

// The program's PIN source: the keypad, shown modally over the active window.
class KeypadPinSource final : public PinSource
{
public:
    std::optional<QString> askPin() override;
};
