#pragma once

#include <QString>
#include <QtGlobal>

// The automatic backups of one run of the program with its windows: at the
// start when today's is due (the first start of a day, or the one after a
// backup failed), and at the end when anything was written since the last
// backup of this run, or today's is still due. The runs of the command line
// make none: a script's --backup is its own.
class DailyBackup
{
public:
    DailyBackup();

    // Each returns "" when a backup was made or none was due, else the
    // failure in the user's words: once a run, so the end's backup, which
    // tries again after a failed start, says nothing more when it fails too.
    QString atStart();
    QString atClose();

private:
    QString make();

    quint64 m_writesBackedUp; // Database::WritesMade() when the run started or last backed up
    bool m_failureSaid = false;
};
