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
    BatchCommand batch;   // --backup / --restore / --pdf: a run without windows
    QString error;        // set when the arguments make no sense
};

StartupOptions ParseStartupOptions(const QStringList &arguments);
QString StartupUsage();

// Applies the database choice of the options; false (with a message on
// standard error) when the chosen database can't be used.
bool ApplyDatabaseChoice(const StartupOptions &options);
