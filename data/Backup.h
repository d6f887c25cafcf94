#pragma once

#include <QDateTime>
#include <QString>

// Copies of the shop's whole database, and getting one back.
//
// The embedded database is copied by the engine itself (VACUUM INTO), so the
// copy is consistent even while tickets are being written, and it is marked
// with the time it was taken. A PostgreSQL database is copied with pg_dump.
// A SQL Server database is backed up by the server's own tools.
namespace Backup {

struct Result
{
    bool ok = false;
    QString file;     // the file written or read
    qint64 bytes = 0; // its size
    QString message;  // what happened, for the user
};

// Writes a backup of the database in use to `file` (through a temporary file
// renamed at the end). Refuses the live database file itself.
Result Create(const QString &file);

struct Info
{
    bool valid = false;
    QDateTime taken; // when the backup was made (invalid when unknown)
    QString reason;  // why it is not a usable backup
};

// Checks that a file is a Tessaly backup the engine in use can restore, and
// when it was taken.
Info Inspect(const QString &file);

// What a backup file is, read quickly for a list of backups: the engine it
// is of ("SQLite", "PostgreSQL"; "" when neither) and when it was taken (the
// file's time when the backup does not say). No check of its contents:
// Inspect makes that before a restore.
struct Summary
{
    QString engine;
    QDateTime taken;
};
Summary Summarize(const QString &file);

// Whether backups of the database in use can be written on this machine:
// always for the embedded database, on PostgreSQL only with pg_dump
// installed, never on SQL Server (the server's own tools do it). When not,
// *why says so ("pg_dump is not installed on this machine").
bool CanCreateHere(QString *why = nullptr);

// Replaces the contents of the database in use with the backup's. The
// current contents are first kept aside in a backup of their own (its name
// is in the message), and the restore runs as one transaction through the
// engine, so a failed restore changes nothing.
// On a server the other counters' sessions are ended first; afterwards
// every other counter's next write is refused and it starts afresh, and new
// rows get ids above every id handed out before the restore. The audit log
// keeps every entry of the live database and records the restore, and the
// master code stays the live one: a backup brings back the shop's rows, not
// an older log or a code the shop gave up.
Result Restore(const QString &file);

// How many other sessions (counters) are working on the server's database
// now; 0 on the embedded database, which cannot tell.
int OtherCounters();

} // namespace Backup
