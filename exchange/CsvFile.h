#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Comma-separated files the way spreadsheets write and read them: a header
// row, quoted fields holding commas, quotes and line breaks. A file is read
// as UTF-8, with or without a byte order mark, or as Windows-1252 when its
// bytes are not UTF-8, as spreadsheets on the shop's older machines save it.
// The parsing is libcsv's; this only adds the text encodings and the line
// each record starts on, so a refusal can name it.
namespace CsvFile {

struct Record
{
    int line = 0; // the line of the file the record starts on, from 1
    QStringList fields;
};

struct Contents
{
    QStringList header;    // empty for an empty file
    QList<Record> records; // the rows after the header; blank lines left out
    QString encoding;      // "UTF-8" or "Windows-1252"
};

// The file's rows. nullopt with *error when a quote is left open or the
// file cannot be read; an empty file is an empty header.
std::optional<Contents> Parse(const QByteArray &bytes, QString *error);
std::optional<Contents> Read(const QString &path, QString *error);

// The rows as the bytes of a file: UTF-8 with a byte order mark (so a
// spreadsheet shows accented names as written), every field quoted, lines
// ended by CR LF.
QByteArray Format(const QList<QStringList> &rows);

// Writes the rows whole or not at all: to a temporary file renamed over the
// target, never over a device or a database. *error says why not.
bool Write(const QString &path, const QList<QStringList> &rows, QString *error);

} // namespace CsvFile
