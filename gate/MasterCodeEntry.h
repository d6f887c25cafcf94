#pragma once

// Admin > Settings > Master Code: behind the administrator gate, the new
// code is asked twice in input boxes that hide what is typed, and stored
// only when both agree and it is 4 or 5 digits (the keypad takes no more);
// anything else is said and nothing is stored. Cancelling either box
// changes nothing.
namespace MasterCodeEntry {

void Run();

} // namespace MasterCodeEntry
