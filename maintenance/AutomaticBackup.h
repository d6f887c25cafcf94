#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The backups nobody has to remember: one a day of the database in use, into
// the folder of [Backup] Folder (a USB disk, a network share) or backups/ of
// the data folder, named for its day ("tessaly-2026-12-08.tessaly-backup").
// Kept are the 14 newest days' backups and, of the 12 newest months that
// have one, each month's first; the others are removed, and only after a
// new backup was written whole. [Backup] Automatic=false turns them off.
// Every step's failure comes back as a message.
namespace AutomaticBackup {

// The folder the backups go into (made when missing, unless it is named in
// the settings: a disk that is not plugged in is never made on this one).
QString Folder();

// Whether backups are made by themselves: not when [Backup] Automatic is
// "false", nor where this machine cannot write them (PostgreSQL without
// pg_dump, SQL Server).
bool IsOn();

// The name of a day's backup.
QString FileName(const QDate &day);

// Whether today's backup is still to be made: there is none of today yet, or
// the last one tried failed (a failure is tried again at the next start).
bool IsDue();

struct Outcome
{
    bool ok = false;
    QString file;        // the backup written (or that could not be)
    QString message;     // what happened, for the user
    QStringList removed;    // the older backups no longer kept
    QStringList notRemoved; // those no longer kept that could not be removed
};

// Writes today's backup, over one made earlier today, then removes the
// backups no longer kept. A failure leaves every older backup where it was.
Outcome Make();

struct Entry
{
    QString file;
    QDateTime taken;
    qint64 bytes = 0;
    QString engine; // "SQLite", "PostgreSQL"; "" when the file is of neither
};

// The backups in the folder, newest first.
QList<Entry> List();

// On a database this machine cannot back up by itself, the note that the
// server's own backups must be set up: once (remembered in [Backup]
// ServerNoteTold), "" afterwards and wherever backups are made here.
QString TakeServerNote();

} // namespace AutomaticBackup
