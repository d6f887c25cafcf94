#pragma once

#include <QString>

// What `tessaly --version` prints: the release, the Qt it runs on, the
// version of the database layout it writes and the database engines whose
// drivers this machine has, so a support call starts from facts.
QString VersionText();
