#include "exchange/SheetFile.h"

#include "data/FileReplace.h"
#include "exchange/CsvFile.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>
#include <algorithm>
#include <xlsxwriter.h>

namespace SheetFile {

namespace {

// A tab's name: at most 31 characters, none of []:*?/\, not blank and not
// the name of another tab of the workbook (spreadsheets compare them without
// regard to case).
QString tabName(const QString &wanted, QSet<QString> *taken)
{
    QString name;
    for (const QChar c : wanted)
        name += QStringLiteral("[]:*?/\\").contains(c) ? QChar(QLatin1Char('-')) : c;
    name = name.simplified();
    while (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        name = (name.startsWith(QLatin1Char('\'')) ? name.mid(1) : name.chopped(1)).trimmed();
    if (name.isEmpty())
        name = QStringLiteral("Sheet");
    name.truncate(31);
    QString unique = name;
    for (int n = 2; taken->contains(unique.toLower()); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        unique = name.left(31 - suffix.size()) + suffix;
    }
    taken->insert(unique.toLower());
    return unique;
}

struct Formats
{
    lxw_format *header;
    lxw_format *money;
    lxw_format *date;
    lxw_format *dateTime;
};

Formats formatsOf(lxw_workbook *book)
{
    Formats f{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book),
              workbook_add_format(book)};
    format_set_bold(f.header);
    format_set_num_format(f.money, "0.00");
    format_set_num_format(f.date, "yyyy-mm-dd");
    format_set_num_format(f.dateTime, "yyyy-mm-dd hh:mm:ss");
    return f;
}

lxw_datetime spreadsheetTime(const QDate &d, const QTime &t)
{
    return lxw_datetime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
}

// Spreadsheets hold at most this many characters in a cell.
constexpr qsizetype kLongestCell = 32767;

lxw_error writeCell(lxw_worksheet *ws, lxw_row_t r, lxw_col_t c, const QVariant &value, Sheet::Kind kind,
                    const Formats &f)
{
    if (value.isNull())
        return LXW_NO_ERROR;
    if (value.typeId() == QMetaType::QString || kind == Sheet::Kind::Text)
        return worksheet_write_string(ws, r, c, value.toString().left(kLongestCell).toUtf8().constData(), nullptr);
    switch (kind) {
    case Sheet::Kind::Money:
        return worksheet_write_number(ws, r, c, double(value.toLongLong()) / 100.0, f.money);
    case Sheet::Kind::Number:
        return worksheet_write_number(ws, r, c, value.toDouble(), nullptr);
    case Sheet::Kind::Date: {
        lxw_datetime d = spreadsheetTime(value.toDate(), QTime(0, 0));
        return worksheet_write_datetime(ws, r, c, &d, f.date);
    }
    case Sheet::Kind::DateTime: {
        const QDateTime t = value.toDateTime();
        lxw_datetime d = spreadsheetTime(t.date(), t.time());
        return worksheet_write_datetime(ws, r, c, &d, f.dateTime);
    }
    case Sheet::Kind::Text:
        break;
    }
    return LXW_NO_ERROR;
}

// Wide enough for the longest text of the column's first rows, within
// reason (a year of tickets is not read twice for it).
double columnWidth(const Sheet &sheet, qsizetype c)
{
    qsizetype widest = sheet.columns[c].name.size();
    for (qsizetype r = 0; r < sheet.rows.size() && r < 1000; ++r)
        widest = qMax(widest, Sheet::text(sheet.rows[r].value(c), sheet.columns[c].kind).size());
    return double(std::clamp<qsizetype>(widest + 2, 8, 60));
}

lxw_error writeSheet(lxw_workbook *book, const Sheet &sheet, const QString &name, const Formats &f)
{
    lxw_worksheet *ws = workbook_add_worksheet(book, name.toUtf8().constData());
    if (!ws)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (sheet.rows.size() + 1 > LXW_ROW_MAX || sheet.columns.size() > LXW_COL_MAX)
        return LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
    for (qsizetype c = 0; c < sheet.columns.size(); ++c) {
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), columnWidth(sheet, c), nullptr);
        if (const lxw_error e = worksheet_write_string(ws, 0, lxw_col_t(c),
                                                       sheet.columns[c].name.toUtf8().constData(), f.header))
            return e;
    }
    worksheet_freeze_panes(ws, 1, 0);
    for (qsizetype r = 0; r < sheet.rows.size(); ++r) {
        for (qsizetype c = 0; c < sheet.columns.size(); ++c) {
            if (const lxw_error e = writeCell(ws, lxw_row_t(r + 1), lxw_col_t(c), sheet.rows[r].value(c),
                                              sheet.columns[c].kind, f))
                return e;
        }
    }
    return LXW_NO_ERROR;
}

// The workbook into a file of that name; "" or why not.
QString writeBook(const QString &file, const QList<Sheet> &sheets)
{
    // Rows go out as they are written, so a large sheet does not wait in memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book)
        return QStringLiteral("the workbook could not be started");
    const Formats f = formatsOf(book);
    QSet<QString> taken;
    lxw_error failed = LXW_NO_ERROR;
    for (const Sheet &sheet : sheets) {
        failed = writeSheet(book, sheet, tabName(sheet.name, &taken), f);
        if (failed)
            break;
    }
    const lxw_error closed = workbook_close(book); // frees the workbook whatever happened
    const lxw_error e = failed ? failed : closed;
    return e ? QString::fromUtf8(lxw_strerror(e)) : QString();
}

} // namespace

Format FormatOf(const QString &path)
{
    return path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? Format::Xlsx : Format::Csv;
}

namespace {
const QString kCsvFilter = QStringLiteral("CSV files (*.csv)");
const QString kXlsxFilter = QStringLiteral("Excel workbooks (*.xlsx)");
} // namespace

QString SaveFilters()
{
    return kCsvFilter + QStringLiteral(";;") + kXlsxFilter;
}

QString WithExtension(const QString &path, const QString &chosenFilter)
{
    if (path.isEmpty() || path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
        || path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        return path;
    return path + (chosenFilter == kXlsxFilter ? QStringLiteral(".xlsx") : QStringLiteral(".csv"));
}

bool Write(const QString &path, const QList<Sheet> &sheets, QString *error)
{
    return FormatOf(path) == Format::Xlsx ? WriteXlsx(path, sheets, error) : WriteCsv(path, sheets, error);
}

bool WriteCsv(const QString &path, const QList<Sheet> &sheets, QString *error)
{
    QList<QStringList> rows;
    for (const Sheet &sheet : sheets) {
        if (!rows.isEmpty())
            rows.append(QStringList());
        rows << sheet.texts();
    }
    return CsvFile::Write(path, rows, error);
}

bool WriteXlsx(const QString &path, const QList<Sheet> &sheets, QString *error)
{
    if (!FileReplace::CanReplaceWithDocument(path, error, QStringLiteral("the export")))
        return false;
    const QString target = QFileInfo(path).absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(path);
    // Beside the target, so the finished workbook is renamed into place.
    QTemporaryFile temporary(QFileInfo(target).dir().filePath(QStringLiteral(".tessaly-XXXXXX.xlsx")));
    if (!temporary.open()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(shown, temporary.errorString());
        return false;
    }
    temporary.close();
    const QString failed = writeBook(temporary.fileName(), sheets);
    if (!failed.isEmpty()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(shown, failed);
        return false;
    }
    QString reason;
    if (!FileReplace::Replace(temporary.fileName(), target, &reason)) {
        *error = QStringLiteral("Cannot write %1: %2").arg(shown, reason);
        return false;
    }
    return true;
}

} // namespace SheetFile
