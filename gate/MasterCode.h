#pragma once

#include <QString>
#include <optional>

// The shop's master code: besides the administrators' own PINs it opens the
// administrator gate, and the time clock takes it in place of an employee's
// PIN. Every copy starts with the same code; the shop sets its own, which is
// kept as a salted hash in the database so every counter on it shares it.
namespace MasterCode {

// The code every copy of the program starts with, good until the shop sets
// its own.
inline const QString kDefault = QStringLiteral("8361");

// Whether a code can be the master code: 4 or 5 digits. The PIN keypad
// takes at most 5 digits (PinPad::kMaxDigits), so a longer code could never
// be typed.
bool IsWellFormed(const QString &code);

// Whether the database holds no code of the shop's own, so the default one
// opens. False when the database can't be read (said by the data layer).
bool IsDefault();

// Whether a PIN, trimmed, is the master code in use. False when the
// database can't be read.
bool Matches(const QString &pin);

// Makes a new code (trimmed) the master code of every counter, in one
// transaction. Refused, with nothing stored, when it is not well formed or
// is the default; false too when it could not be hashed or stored.
bool Change(const QString &newCode);

// Whether an employee, active or not, has this as their PIN: such a master
// code would let that employee open every gate as "master". nullopt after a
// failure, which the data layer has shown.
std::optional<bool> IsAnEmployeesPin(const QString &code);

} // namespace MasterCode
