#pragma once

#include <QString>
#include <optional>

// How a PIN is asked for: the keypad window in the program, a script in
// tests. nullopt when the keypad was closed without "Accept".
class PinSource
{
public:
    virtual ~PinSource() = default;
    virtual std::optional<QString> askPin() = 0;
};

// The PIN source of the program: the keypad window once the program has
// installed it, a scripted one in tests. Without one installed every request
// is answered as a keypad closed without "Accept".
PinSource &CurrentPinSource();
// Installs a source (not owned); nullptr restores the default.
void SetPinSource(PinSource *source);
