#pragma once

#include "gate/PinSource.h"

#include <QString>

// The administrator gate in front of re-opening a ticket, the time
// administration, the employee records and the database restore.
namespace AdminGate {

// Whether a PIN, trimmed, is the master code in use (gate/MasterCode.h; the
// time clock takes it in place of an employee's own PIN too).
bool IsMasterCode(const QString &pin);

// Whether a PIN is an active administrator's (an employee whose role is
// "admin" and whose active is not 0, both sides trimmed) or the master code.
// An empty PIN never is, even when an administrator's stored PIN is blank.
bool IsAdminPin(const QString &pin);

// Asks for a PIN and checks it. A wrong PIN says "Invalid PIN"; a keypad
// closed without "Accept" opens nothing and says nothing.
bool Pass(PinSource &source);
// The same with the program's PIN source.
bool Pass();

} // namespace AdminGate
