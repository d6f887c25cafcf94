#pragma once

#include <QString>

// Files written whole or not at all: the new content goes to a temporary
// file beside the target, which is then renamed over it in one step. Only a
// regular file (or no file yet) is ever replaced: a device, a folder or a
// pipe under the target's name is refused before anything is written, so a
// PDF or a backup can never take the place of /dev/full.
namespace FileReplace {

// Whether a file may be written under this name; *error says why not.
bool CanReplace(const QString &target, QString *error);

// Renames the finished temporary file over the target. On failure the
// temporary file is removed and *error set.
bool Replace(const QString &temporary, const QString &target, QString *error);

} // namespace FileReplace
