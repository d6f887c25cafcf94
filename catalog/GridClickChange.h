#pragma once

#include <functional>

// A change made by a grid's click handler (Remove in the inventory list and
// the labor price list): a database failure inside it is told once, as
// "Vbalgrid1_mouseup:" and the reason. Returns what the change returned.
bool RunGridClickChange(const std::function<bool()> &change);
