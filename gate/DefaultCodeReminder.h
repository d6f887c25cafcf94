#pragma once

// While the master code is still the one every copy starts with, the sales
// window tells an administrator so, once a day at each counter: right after
// the administrator gate has opened there, since only then does it know an
// administrator is at the counter (the message names the code).
#include <QString>
#include <optional>

namespace DefaultCodeReminder {

// AdminGate::Pass() with the program's PIN source; when it opens and the
// reminder is due, says it before the guarded action runs. Who opened it.
std::optional<QString> PassAndRemind();

// Says the reminder when the code is still the default and it has not been
// said at this counter today (kept in [Gate] DefaultCodeToldOn).
void TellIfDue();

} // namespace DefaultCodeReminder
