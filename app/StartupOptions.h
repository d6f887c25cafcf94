#pragma once

#include "app/BatchCommand.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks of this run.
struct StartupOptions
{
    QString databaseFile; // --database FILE: an existing embedded database
    bool demo = false;    // --demo: the demo shop (created when missing)
    bool help = false;
    bool version = false; // --version: what this program is and can open
    BatchCommand batch; // --backup / --restore / --pdf: a run without windows
    QString error;      // set when the arguments make no sense
};

StartupOptions ParseStartupOptions(const QStringList &arguments);
QString StartupUsage();

// Why this run must not start, found before anything is opened or written:
// TESSALY_NOW that is not "yyyy-MM-dd HH:mm:ss", batch arguments that make
// no sense. "" when it may.
QString CheckStartup(const StartupOptions &options);

// Applies the database choice of the options: 0 when the chosen database can
// be used, else the exit status with the reason in *refusal: 2 for a choice
// that makes no sense (nothing was written), 1 for a database that can't be
// used. A warning that does not stop the run may be left there with 0.
int ApplyDatabaseChoice(const StartupOptions &options, QString *refusal);
