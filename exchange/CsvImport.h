#pragma once

#include "exchange/ExchangeTable.h"

#include <QList>
#include <QString>
#include <QStringList>

// Customers, products or the labor price list read from a comma-separated
// file into the database: all rows or none, each checked as its editor
// checks what is typed.
namespace CsvImport {

struct Options
{
    bool updateExisting = false; // rows matching a stored record replace its fields; else they are skipped
    bool dryRun = false;         // check and count, write nothing
};

// Why a row cannot go in: the file's line, the column as its header names
// it, the reason.
struct Problem
{
    int line = 0;
    QString column;
    QString reason;
};

struct Result
{
    bool done = false;          // every row went in (or, in a dry run, would)
    bool dryRun = false;        // only checked and counted
    QString failure;            // why the file as a whole was not taken; "" otherwise
    QStringList unknownColumns; // headers that name no column, ignored
    QList<Problem> problems;    // the bad rows; nothing was written when there are any
    QString problemsFile;       // where they were also written ("" when nowhere, as in a dry run)
    QString problemsFileError;  // why they could not be written there
    int added = 0;
    int updated = 0;
    int skipped = 0;         // matched a stored record and left as it was
    int addedWithoutKey = 0; // added products without a bar code, which no later import can match
};

// What a file would bring in, before anything is checked or written: how
// its header maps onto the table and its first rows as they stand.
struct Preview
{
    QString failure;            // why the file cannot be taken at all; "" otherwise
    QString encoding;           // "UTF-8" or "Windows-1252"
    QStringList header;         // the file's header, as written
    QStringList columnOfHeader; // per header field: the table's column it fills, or ""
    QList<QStringList> firstRows;
    int rowCount = 0; // rows after the header
};

Preview Inspect(ExchangeTable::Table table, const QString &path, int rowsShown = 10);

// Reads `path` into the table. Existing records are matched by the table's
// key (ImportRow::KeyColumns), read once. The bad rows are also written as
// "<name>.errors.csv" beside the file, except in a dry run, which writes
// nothing; an import that goes in removes such a list of an earlier try. A done import records itself in the
// audit log, in its own transaction, under the acting administrator.
Result Import(ExchangeTable::Table table, const QString &path, const Options &options);

// "2 added, 0 updated, 1 skipped as already there.", or for a dry run what
// would be.
QString Counts(const Result &result);

// The result as lines for the user: the counts, the ignored columns, the
// bad rows (at most `rowsShown` of them) and where they were written.
QStringList Describe(const Result &result, int rowsShown = 20);

} // namespace CsvImport
