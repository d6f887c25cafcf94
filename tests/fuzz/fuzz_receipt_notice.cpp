// The receipt notice: the file's bytes read as lines (CR LF, LF or CR), and
// the lines written back (every one ended by CR LF) read as the same lines,
// whether written as they are or through the settings window's text.
#include "tests/fuzz/FuzzCheck.h"

#include "data/ReceiptNoticeLines.h"

#include <QRegularExpression>

namespace {

using FuzzSupport::Shown;

QString describe(const QStringList &lines)
{
    QStringList shown;
    for (const QString &line : lines)
        shown << Shown(line);
    return QStringLiteral("{") + shown.join(QStringLiteral(", ")) + QStringLiteral("}");
}

} // namespace

TESSALY_FUZZ_TARGET(receipt_notice)
{
    FuzzSupport::Prepare();
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    const QStringList lines = ReceiptNotice::SplitLines(bytes);
    const auto what = [&]() -> QString { return QStringLiteral("file read as ") + describe(lines); };

    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')), what());
    if (bytes.isEmpty())
        FUZZ_CHECK(lines.isEmpty(), what());

    // Written as they are and read back.
    const QByteArray written = ReceiptNotice::JoinLines(lines);
    const QStringList reread = ReceiptNotice::SplitLines(written);
    FUZZ_CHECK(reread == lines, what() + QStringLiteral(", written and read back as ") + describe(reread));
    FUZZ_CHECK(written.isEmpty() || written.endsWith("\r\n"), what());

    // Shown in the settings window and saved: the same lines; an empty notice
    // is saved as one line end.
    const QString shown = lines.join(QStringLiteral("\r\n"));
    const QStringList saved = ReceiptNotice::SplitLines(ReceiptNotice::JoinLines(ReceiptNotice::TypedLines(shown)));
    const QStringList expected = lines.isEmpty() ? QStringList{QString()} : lines;
    FUZZ_CHECK(saved == expected, what() + QStringLiteral(", saved from the settings window as ") + describe(saved));

    // The input as typed text: every line end typed is a line, as a regular
    // expression splits it.
    const QString typed = FuzzSupport::Text(data, size);
    const QStringList typedLines = ReceiptNotice::TypedLines(typed);
    qsizetype marks = 0;
    while (marks < typed.size() && typed[marks] == QChar(0xFEFF))
        ++marks;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    const QStringList pieces = typed.mid(marks).split(lineEnd);
    FUZZ_CHECK(typedLines == pieces,
               Shown(typed) + QStringLiteral(" split as ") + describe(typedLines) + QStringLiteral(", should be ")
                   + describe(pieces));
    const QStringList typedBack = ReceiptNotice::SplitLines(ReceiptNotice::JoinLines(typedLines));
    FUZZ_CHECK(typedBack == typedLines,
               Shown(typed) + QStringLiteral(" saved and read back as ") + describe(typedBack));
    return 0;
}
