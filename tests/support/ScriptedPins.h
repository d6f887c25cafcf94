#pragma once

#include "gate/PinSource.h"

#include <QList>
#include <QString>
#include <optional>

// PINs typed at the keypad, in order; nullopt is a keypad closed without
// "Accept". Installs itself as the program's PIN source while it lives.
class ScriptedPins final : public PinSource
{
public:
    ScriptedPins() { SetPinSource(this); }
    ~ScriptedPins() override { SetPinSource(nullptr); }
    void enter(std::optional<QString> pin) { m_pins.append(std::move(pin)); }
    std::optional<QString> askPin() override
    {
        ++asked;
        return m_pins.isEmpty() ? std::nullopt : m_pins.takeFirst();
    }
    int asked = 0;

private:
    QList<std::optional<QString>> m_pins;
};
