#include "exchange/CsvImport.h"

#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "exchange/CsvFile.h"
#include "exchange/ImportRow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace CsvImport {

namespace {

using ExchangeTable::Table;

// Which of the file's fields fills which column.
struct Mapping
{
    QStringList columnOfField;        // per field of the header: the column, or ""
    QStringList present;              // the columns the file fills, in the table's order
    QHash<QString, QString> headerOf; // column → the header that names it
};

struct CheckedRow
{
    int line = 0;
    QHash<QString, QVariant> values; // every column of the table
};

std::optional<Mapping> mapHeader(Table table, const QStringList &header, Result *result)
{
    Mapping m;
    for (const QString &name : header) {
        const QString column = ExchangeTable::ColumnOfHeader(table, name);
        if (column.isEmpty() && !name.trimmed().isEmpty())
            result->unknownColumns << name.trimmed();
        if (!column.isEmpty() && m.headerOf.contains(column)) {
            result->failure = QStringLiteral("The columns \"%1\" and \"%2\" both name %3.")
                                  .arg(m.headerOf.value(column), name.trimmed(), column);
            return std::nullopt;
        }
        if (!column.isEmpty())
            m.headerOf.insert(column, name.trimmed());
        m.columnOfField << column;
    }
    for (const QString &column : ExchangeTable::Columns(table)) {
        if (m.headerOf.contains(column))
            m.present << column;
    }
    if (m.present.isEmpty()) {
        result->failure = QStringLiteral("No column of the file names a column of the %1 (%2).")
                              .arg(ExchangeTable::NameOf(table),
                                   ExchangeTable::Columns(table).join(QStringLiteral(", ")));
        // A spreadsheet set to another list separator writes the whole header as one field.
        if (header.size() == 1 && (header.first().contains(QLatin1Char(';')) || header.first().contains(QLatin1Char('\t'))))
            result->failure += QStringLiteral(" The file seems to separate its fields with %1, not commas: save it "
                                              "again as comma-separated values.")
                                   .arg(header.first().contains(QLatin1Char(';')) ? QStringLiteral("semicolons")
                                                                                   : QStringLiteral("tabs"));
        return std::nullopt;
    }
    return m;
}

// Every row read field by field; a column the file lacks reads as an empty box.
QList<CheckedRow> checkRows(Table table, const CsvFile::Contents &contents, const Mapping &m,
                            const ImportRow::Lookups &lookups, Result *result)
{
    QList<CheckedRow> rows;
    rows.reserve(contents.records.size());
    const QStringList columns = ExchangeTable::Columns(table);
    for (const CsvFile::Record &record : contents.records) {
        // Spreadsheets often end rows with empty fields past the header's; only a value there is a fault.
        const bool valuesPastHeader =
            std::any_of(record.fields.cbegin() + qMin(record.fields.size(), m.columnOfField.size()),
                        record.fields.cend(), [](const QString &f) { return !f.trimmed().isEmpty(); });
        if (valuesPastHeader) {
            result->problems.append({record.line, QString(),
                                     QStringLiteral("holds %1 fields; the header names %2")
                                         .arg(record.fields.size())
                                         .arg(m.columnOfField.size())});
            continue;
        }
        QHash<QString, QString> texts;
        for (qsizetype i = 0; i < record.fields.size() && i < m.columnOfField.size(); ++i) {
            if (!m.columnOfField[i].isEmpty())
                texts.insert(m.columnOfField[i], record.fields[i]);
        }
        CheckedRow row{record.line, {}};
        bool good = true;
        for (const QString &column : columns) {
            QString reason;
            const std::optional<QVariant> value = ImportRow::Read(table, column, texts.value(column), lookups, &reason);
            if (!value) {
                result->problems.append({record.line, m.headerOf.value(column, column), reason});
                good = false;
                continue;
            }
            row.values.insert(column, *value);
        }
        if (good)
            rows.append(row);
    }
    return rows;
}

// The stored records by key; nullopt after a failure.
std::optional<QHash<QString, qint64>> storedKeys(Table table)
{
    const QStringList keyColumns = ImportRow::KeyColumns(table);
    const auto rs = Database::GetRS(QStringLiteral("select id, %1 from %2 order by id")
                                        .arg(keyColumns.join(QStringLiteral(", ")), ExchangeTable::SqlTable(table)));
    if (!rs)
        return std::nullopt;
    QHash<QString, qint64> keys;
    keys.reserve(rs->rowCount());
    for (int r = 0; r < rs->rowCount(); ++r) {
        QHash<QString, QVariant> values;
        for (const QString &column : keyColumns)
            values.insert(column, rs->value(r, column));
        const QString key = ImportRow::KeyOf(table, values);
        if (!key.isEmpty() && !keys.contains(key))
            keys.insert(key, rs->value(r, QStringLiteral("id")).toLongLong());
    }
    return keys;
}

// The new rows, through one prepared statement.
bool insertRows(Table table, const QList<CheckedRow> &rows)
{
    const QStringList tableColumns = ExchangeTable::Columns(table);
    QStringList columns = tableColumns;
    const bool stamped = table == Table::Customers;
    if (stamped)
        columns << QStringLiteral("created");
    const QVariant now = DateText::toDb(Clock::now()); // the whole file comes in at one moment
    QList<QVariantList> values;
    values.reserve(rows.size());
    for (const CheckedRow &row : rows) {
        QVariantList v;
        v.reserve(columns.size());
        for (const QString &column : tableColumns)
            v << row.values.value(column);
        if (stamped)
            v << now;
        values.append(v);
    }
    return rows.isEmpty() || Database::InsertRows(ExchangeTable::SqlTable(table), columns, values) == rows.size();
}

bool updateRow(Table table, qint64 id, const CheckedRow &row, const QStringList &present)
{
    QStringList sets;
    QVariantList values;
    for (const QString &column : present) {
        sets << column + QStringLiteral(" = ?");
        values << row.values.value(column);
    }
    values << id;
    return Database::Execute(QStringLiteral("update %1 set %2 where id = ?")
                                 .arg(ExchangeTable::SqlTable(table), sets.join(QStringLiteral(", "))),
                             values)
        >= 0;
}

// Takes each row as new, an update or skipped, and writes them unless only
// counting. A row whose key an earlier row of the file had is matched to
// that one: with "update existing" its fields replace the earlier row's.
bool applyRows(Table table, const QList<CheckedRow> &rows, const Mapping &m, const Options &options, bool write,
               Result *result)
{
    const std::optional<QHash<QString, qint64>> keys = storedKeys(table);
    if (!keys)
        return false;
    result->added = result->updated = result->skipped = result->addedWithoutKey = 0;
    QList<CheckedRow> added;
    QHash<QString, qsizetype> addedByKey;
    QList<std::pair<qint64, const CheckedRow *>> updates;
    for (const CheckedRow &row : rows) {
        const QString key = ImportRow::KeyOf(table, row.values);
        const auto earlier = key.isEmpty() ? addedByKey.constEnd() : addedByKey.constFind(key);
        const qint64 id = key.isEmpty() ? 0 : keys->value(key, 0);
        if (earlier == addedByKey.constEnd() && id == 0) {
            if (!key.isEmpty())
                addedByKey.insert(key, added.size());
            else
                ++result->addedWithoutKey;
            added.append(row);
            ++result->added;
        } else if (!options.updateExisting) {
            ++result->skipped;
        } else {
            ++result->updated;
            if (id != 0) {
                updates.append({id, &row});
                continue;
            }
            for (const QString &column : m.present)
                added[*earlier].values.insert(column, row.values.value(column));
        }
    }
    if (!write)
        return true;
    for (const auto &[id, row] : updates) {
        if (!updateRow(table, id, *row, m.present))
            return false;
    }
    return insertRows(table, added);
}

QString auditDetails(Table table, const Result &r, const Options &options)
{
    return QStringLiteral("%1: %2 added, %3 updated, %4 skipped%5")
        .arg(ExchangeTable::NameOf(table))
        .arg(r.added)
        .arg(r.updated)
        .arg(r.skipped)
        .arg(options.updateExisting ? QStringLiteral(" (update existing)") : QString());
}

// "<name>.errors.csv" beside the file.
QString problemsFileOf(const QString &path)
{
    const QFileInfo input(path);
    return input.dir().filePath(input.completeBaseName() + QStringLiteral(".errors.csv"));
}

void writeProblems(const QString &path, Result *result)
{
    const QString file = problemsFileOf(path);
    QList<QStringList> rows = {{QStringLiteral("Line"), QStringLiteral("Column"), QStringLiteral("Reason")}};
    for (const Problem &p : result->problems)
        rows.append({QString::number(p.line), p.column, p.reason});
    if (CsvFile::Write(file, rows, &result->problemsFileError))
        result->problemsFile = file;
}

// The file's rows, or nullopt with the reason in *failure.
std::optional<CsvFile::Contents> readFile(const QString &path, QString *failure)
{
    std::optional<CsvFile::Contents> contents = CsvFile::Read(path, failure);
    if (contents && contents->header.isEmpty()) {
        *failure =
            QStringLiteral("%1 is empty: it has no header row naming its columns.").arg(QDir::toNativeSeparators(path));
        return std::nullopt;
    }
    return contents;
}

} // namespace

Preview Inspect(Table table, const QString &path, int rowsShown)
{
    Preview preview;
    const std::optional<CsvFile::Contents> contents = readFile(path, &preview.failure);
    if (!contents)
        return preview;
    preview.encoding = contents->encoding;
    preview.header = contents->header;
    preview.rowCount = int(contents->records.size());
    for (qsizetype i = 0; i < contents->records.size() && i < rowsShown; ++i)
        preview.firstRows << contents->records[i].fields;
    for (const QString &name : contents->header)
        preview.columnOfHeader << ExchangeTable::ColumnOfHeader(table, name);
    Result result;
    mapHeader(table, contents->header, &result);
    preview.failure = result.failure;
    return preview;
}

Result Import(Table table, const QString &path, const Options &options)
{
    Result result;
    result.dryRun = options.dryRun;
    const std::optional<CsvFile::Contents> contents = readFile(path, &result.failure);
    if (!contents)
        return result;
    const std::optional<Mapping> mapping = mapHeader(table, contents->header, &result);
    if (!mapping)
        return result;
    const std::optional<ImportRow::Lookups> lookups = ImportRow::ReadLookups(table);
    if (!lookups) {
        result.failure = Database::LastError();
        return result;
    }
    const QList<CheckedRow> rows = checkRows(table, *contents, *mapping, *lookups, &result);
    if (!result.problems.isEmpty()) {
        if (!options.dryRun)
            writeProblems(path, &result);
        return result;
    }
    if (options.dryRun) {
        result.done = applyRows(table, rows, *mapping, options, false, &result);
    } else {
        result.done = Database::Transaction([&] {
            return applyRows(table, rows, *mapping, options, true, &result)
                && AuditLog::Record(AuditLog::kImport, QFileInfo(path).fileName(),
                                    auditDetails(table, result, options));
        });
    }
    if (!result.done) {
        result.failure = Database::LastError();
        result.added = result.updated = result.skipped = 0;
    } else if (!options.dryRun) {
        // The list of an earlier try at this file no longer holds.
        QFile::remove(problemsFileOf(path));
    }
    return result;
}

QString Counts(const Result &result)
{
    const QString text = result.dryRun
        ? QStringLiteral("Checked, nothing written yet: %1 to add, %2 to update, %3 to skip as already there.")
        : QStringLiteral("%1 added, %2 updated, %3 skipped as already there.");
    return text.arg(result.added).arg(result.updated).arg(result.skipped);
}

QStringList Describe(const Result &result, int rowsShown)
{
    QStringList lines;
    if (!result.failure.isEmpty())
        lines << result.failure;
    if (!result.unknownColumns.isEmpty())
        lines << QStringLiteral("Columns ignored (they name nothing stored): %1")
                     .arg(result.unknownColumns.join(QStringLiteral(", ")));
    if (result.done)
        lines << Counts(result);
    if (result.done && result.addedWithoutKey > 0)
        lines << QStringLiteral("%1 of the products have no bar code, so no import can match them to a stored "
                                "product: importing this file again adds them again.")
                     .arg(result.addedWithoutKey);
    if (!result.problems.isEmpty()) {
        lines << QStringLiteral("Nothing was imported: %1 %2 cannot be taken.")
                     .arg(result.problems.size())
                     .arg(result.problems.size() == 1 ? QStringLiteral("field") : QStringLiteral("fields"));
        for (qsizetype i = 0; i < result.problems.size() && i < rowsShown; ++i) {
            const Problem &p = result.problems[i];
            const QString where = p.column.isEmpty() ? QString() : QStringLiteral(", ") + p.column;
            lines << QStringLiteral("line %1%2: %3").arg(p.line).arg(where, p.reason);
        }
        if (result.problems.size() > rowsShown)
            lines << QStringLiteral("… and %1 more.").arg(result.problems.size() - rowsShown);
        if (!result.problemsFile.isEmpty())
            lines << QStringLiteral("The list is in %1.").arg(QDir::toNativeSeparators(result.problemsFile));
        else if (!result.problemsFileError.isEmpty())
            lines << QStringLiteral("The list could not be written beside the file: %1").arg(result.problemsFileError);
    }
    return lines;
}

} // namespace CsvImport
