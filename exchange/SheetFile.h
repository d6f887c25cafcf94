#pragma once

#include "exchange/Sheet.h"

#include <QList>
#include <QString>

// Sheets written to a file whole or not at all, never over a device or a
// database: as a workbook when the file's name ends in ".xlsx", else as a
// comma-separated file.
namespace SheetFile {

enum class Format { Csv, Xlsx };

Format FormatOf(const QString &path);

// What a save dialog offers for a spreadsheet: "CSV files (*.csv)" and
// "Excel workbooks (*.xlsx)", and the file chosen with the extension of the
// kind chosen added when it has neither (so "March" saved as a workbook is
// "March.xlsx"). An empty name stays empty: the user cancelled.
QString SaveFilters();
QString WithExtension(const QString &path, const QString &chosenFilter);

// A comma-separated file holds the sheets one after another, each with its
// header, a blank line between them (one sheet is a plain file the import
// reads). A workbook has a tab per sheet: money as numbers shown with two
// decimals, dates and times as the spreadsheet's own, the header in bold and
// held in place. false with *error saying why nothing was written.
bool Write(const QString &path, const QList<Sheet> &sheets, QString *error);
bool WriteCsv(const QString &path, const QList<Sheet> &sheets, QString *error);
bool WriteXlsx(const QString &path, const QList<Sheet> &sheets, QString *error);

} // namespace SheetFile
