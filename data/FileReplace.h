#pragma once

#include <QFileDevice>
#include <QString>

// Files written whole or not at all: the new content goes to a temporary
// file beside the target, which is then renamed over it in one step. Only a
// regular file (or no file yet) is ever replaced: a device, a folder or a
// pipe under the target's name is refused before anything is written, so a
// PDF or a backup can never take the place of /dev/full. Neither can they
// take the place of the shop's database: the file in use and its -wal,
// -shm and -journal companions are refused whatever is to be written.
namespace FileReplace {

// Whether a file may be written under this name; *error says why not, in
// the user's words. `purpose` ends the message for the database in use:
// "choose another file for <purpose>" ("the backup", "the PDF"), or
// "choose another file." without one.
bool CanReplace(const QString &target, QString *error, const QString &purpose = QString());

// The same, and never over any embedded database: a document is not a
// database, so a PDF or an export that would replace one is a slip of the
// file name (a backup may replace an older backup, so it asks CanReplace).
bool CanReplaceWithDocument(const QString &target, QString *error, const QString &purpose);

// Whether the file is the database in use or one of its companion files.
bool IsDatabaseInUse(const QString &file);

// Renames the finished temporary file over the target, after its contents
// have reached the disk. The target gets `mode`, or the replaced file's mode
// where that was stricter. On failure the temporary file is removed and
// *error set.
bool Replace(const QString &temporary, const QString &target, QString *error,
             QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                 | QFileDevice::ReadOther);

// Read and write for the owner only: backups and the copies kept aside hold
// every customer and every PIN.
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace FileReplace
