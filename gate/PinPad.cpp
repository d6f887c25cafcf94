#include "gate/PinPad.h"

void PinPad::press(const QString &caption)
{
    if (caption == QLatin1String("Clear")) {
        m_text.clear();
    } else if (caption == QLatin1String("<=")) {
        if (!m_text.isEmpty())
            m_text.chop(1);
    } else if (caption.size() == 1 && caption[0].isDigit() && m_text.size() < kMaxDigits) {
        m_text.append(caption);
    }
}

QString &SharedPin()
{
    static QString pin;
    return pin;
}
