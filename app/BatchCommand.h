#pragma once

#include <QString>
#include <QStringList>

// The runs of the program that need no window: a backup, a restore, a
// document written to a PDF file, a report's figures written as a
// spreadsheet, or a table imported from or exported to a
// comma-separated file. Messages go to standard error.
struct BatchCommand
{
    enum class Kind { None, Backup, Restore, Pdf, Sheets, Import, Export };
    Kind kind = Kind::None;
    QString file;           // the backup, the PDF or spreadsheet to write, the file imported or exported
    bool confirmed = false; // --yes: a restore may replace the database
    QStringList document;   // --pdf, --csv: the document and its arguments; --import, --export: the table and its range
    bool updateExisting = false; // --update-existing: imported rows replace the records they match
    bool dryRun = false;         // --dry-run: the import checks and counts, writes nothing
};

// Exit codes of a batch run.
enum BatchExit { BatchDone = 0, BatchFailed = 1, BatchBadArguments = 2, BatchNothingToPrint = 3 };

// Takes the batch options at arguments[i] (advancing i); false when the
// argument is not one of them. *error is set when it is, but malformed.
bool TakeBatchOption(const QStringList &arguments, int &i, BatchCommand &command, QString *error);

// Why the command's arguments make no sense ("" when they do), found before
// any database or file is opened: exit status 2 writes nothing.
QString CheckBatchArguments(const BatchCommand &command);

// The lines of --help that describe the batch runs.
QString BatchUsage();

// Runs the command on the database already chosen; returns the exit code.
int RunBatchCommand(const BatchCommand &command);
