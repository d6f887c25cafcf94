#include "exchange/CsvFile.h"

#include "data/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <csv.h>

namespace CsvFile {

namespace {

// A spreadsheet export of a shop's data is a few megabytes; anything this
// large is not one, and reading it whole would only exhaust the memory.
constexpr qint64 kLargestFile = 512LL * 1024 * 1024;

const QByteArray kByteOrderMark("\xEF\xBB\xBF", 3);

// The characters Windows-1252 puts where Latin-1 has control codes
// (0x80 to 0x9F); the five it leaves undefined read as themselves.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kWindows1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

// The file's text as UTF-8 bytes for the parser, and the encoding it was in.
QByteArray asUtf8(const QByteArray &bytes, QString *encoding)
{
    if (bytes.startsWith(kByteOrderMark)) {
        *encoding = QStringLiteral("UTF-8");
        return bytes.mid(kByteOrderMark.size());
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        *encoding = QStringLiteral("UTF-8");
        return bytes;
    }
    *encoding = QStringLiteral("Windows-1252");
    return fromWindows1252(bytes).toUtf8();
}

// What the parser's callbacks build up, line by line.
struct Builder
{
    QList<Record> records;
    Record current;
    int feedingLine = 0;
    int recordStart = 0;

    static void field(void *s, size_t length, void *self)
    {
        auto *b = static_cast<Builder *>(self);
        if (b->current.fields.isEmpty())
            b->current.line = b->recordStart;
        b->current.fields.append(QString::fromUtf8(static_cast<const char *>(s), qsizetype(length)));
    }

    static void recordEnd(int, void *self)
    {
        auto *b = static_cast<Builder *>(self);
        if (!isBlank(b->current))
            b->records.append(b->current);
        b->current = Record();
    }

    // A line of nothing but blanks or commas holds no row a user meant.
    static bool isBlank(const Record &r)
    {
        for (const QString &f : r.fields) {
            if (!f.trimmed().isEmpty())
                return false;
        }
        return true;
    }
};

QString parseError(const Builder &b)
{
    return QStringLiteral("a quoted field that starts on line %1 is not closed, or a quote stands inside an "
                          "unquoted field")
        .arg(b.recordStart);
}

} // namespace

namespace {

// Where the line from `from` ends, after its CR LF, LF or lone CR (as old
// spreadsheets on some machines end lines).
qsizetype lineEnd(const QByteArray &text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == '\n')
            return i + 1;
        if (text[i] == '\r')
            return i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return text.size();
}

} // namespace

std::optional<Contents> Parse(const QByteArray &bytes, QString *error)
{
    Contents contents;
    const QByteArray text = asUtf8(bytes, &contents.encoding);

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        *error = QStringLiteral("the reader could not start");
        return std::nullopt;
    }
    Builder b;
    // Fed a line at a time, so each record knows the line it started on: a
    // record starts on the line fed while the parser is between rows.
    qsizetype from = 0;
    bool failed = false;
    while (from < text.size() && !failed) {
        const qsizetype end = lineEnd(text, from);
        ++b.feedingLine;
        if (parser.pstate == 0)
            b.recordStart = b.feedingLine;
        const size_t length = size_t(end - from);
        failed = csv_parse(&parser, text.constData() + from, length, Builder::field, Builder::recordEnd, &b) != length;
        from = end;
    }
    failed = failed || csv_fini(&parser, Builder::field, Builder::recordEnd, &b) != 0;
    const int code = csv_error(&parser);
    csv_free(&parser);
    if (failed) {
        *error = code == CSV_EPARSE ? parseError(b) : QString::fromUtf8(csv_strerror(code));
        return std::nullopt;
    }
    if (!b.records.isEmpty())
        contents.header = b.records.takeFirst().fields;
    contents.records = b.records;
    return contents;
}

std::optional<Contents> Read(const QString &path, QString *error)
{
    QFile file(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir()) {
        *error = QStringLiteral("%1 is a folder, not a file").arg(shown);
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(shown, file.errorString());
        return std::nullopt;
    }
    if (file.size() > kLargestFile) {
        *error = QStringLiteral("%1 is larger than %2 MB; no shop's list is that large")
                     .arg(shown)
                     .arg(kLargestFile / (1024 * 1024));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(shown, file.errorString());
        return std::nullopt;
    }
    QString reason;
    std::optional<Contents> contents = Parse(bytes, &reason);
    if (!contents)
        *error = QStringLiteral("%1: %2").arg(shown, reason);
    return contents;
}

QByteArray Format(const QList<QStringList> &rows)
{
    QByteArray out = kByteOrderMark;
    QByteArray quoted;
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QByteArray field = row[i].toUtf8();
            // Every quote doubled and the two around it: at most twice the length plus two.
            quoted.resize(2 * field.size() + 2);
            const size_t n = csv_write(quoted.data(), size_t(quoted.size()), field.constData(), size_t(field.size()));
            if (i > 0)
                out += ',';
            out.append(quoted.constData(), qsizetype(n));
        }
        out += "\r\n";
    }
    return out;
}

bool Write(const QString &path, const QList<QStringList> &rows, QString *error)
{
    if (!FileReplace::CanReplaceWithDocument(path, error, QStringLiteral("the export")))
        return false;
    QSaveFile file(QFileInfo(path).absoluteFilePath());
    const QByteArray bytes = Format(rows);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace CsvFile
