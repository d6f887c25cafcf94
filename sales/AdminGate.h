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

// The administrator gate in front of re-opening a ticket, the time
// administration and the employee records.
namespace AdminGate {

// The fixed code that opens the gate besides the administrators' own PINs.
inline const QString kMasterCode = QStringLiteral("8361");

// Whether a PIN is an administrator's (an employee whose role is "admin",
// both sides trimmed) or the master code. An empty PIN never is, even when
// an administrator's stored PIN is blank.
bool IsAdminPin(const QString &pin);

// Asks for a PIN and checks it. A wrong PIN says "Invalid PIN"; a keypad
// closed without "Accept" opens nothing and says nothing.
bool Pass(PinSource &source);
// The same with the program's PIN source.
bool Pass();

} // namespace AdminGate
