#pragma once

#include <QString>

// The keypad of the PIN window: digits up to five, "Clear" and "<=".
class PinPad
{
public:
    static constexpr int kMaxDigits = 5;

    // One key, by its caption.
    void press(const QString &caption);
    QString text() const { return m_text; }
    void clear() { m_text.clear(); }

private:
    QString m_text;
};

// The PIN the keypad hands to whoever showed it. Callers set it to "" just
// before showing the keypad and read it after it closed; only "Accept"
// changes it.
QString &SharedPin();
