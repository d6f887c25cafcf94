#pragma once

#include "gate/PinSource.h"

#include <QString>
#include <optional>

// The administrator gate in front of re-opening and deleting a ticket, the
// time administration, the employee records, the database clean-up and the
// database restore.
namespace AdminGate {

// Whether a PIN, trimmed, is the master code in use (gate/MasterCode.h; the
// time clock takes it in place of an employee's own PIN too).
bool IsMasterCode(const QString &pin);

// Whom a PIN opens the gate for: an active administrator (an employee whose
// role is "admin", both sides trimmed; NULL `active` counts as active) as
// "First Last (#id)", or "master" for the master code. An empty PIN never
// opens it, even when an administrator's stored PIN is blank.
std::optional<QString> OpenerOf(const QString &pin);
bool IsAdminPin(const QString &pin);

// Five wrong PINs within ten minutes at one counter shut the gate there
// for a minute; each further wrong PIN, once it is open again, before it
// last opened for someone, shuts it for twice as long as the time before
// (at most an hour). The count is the audit log's, so neither a
// restart nor the other counters' connections reset it. The minutes left,
// 0 when the gate is not shut; nullopt when the log can't be read.
std::optional<int> MinutesShut();

// Asks for a PIN and checks it; who opened the gate, recorded in the audit
// log, or nullopt. A wrong PIN says "Invalid PIN" and is recorded; a shut
// gate says "Too many wrong PINs: try again in a minute"; a keypad closed
// without "Accept" opens nothing and says nothing. When the log can't be
// written the gate opens for nobody, and says so with the database's
// reason instead.
std::optional<QString> Pass(PinSource &source);
// The same with the program's PIN source.
std::optional<QString> Pass();

// A PIN typed at the time clock that is not the employee's own: only the
// master code takes its place there, and it is checked as Pass checks a
// PIN, behind the same lockout and recorded alike (`subject` names the
// employee), so guessing the code at the clock counts towards the lockout
// and is stopped by it. Whether it was the master code.
bool PassMasterCode(const QString &pin, const QString &subject);

} // namespace AdminGate
