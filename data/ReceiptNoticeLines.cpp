#include "data/ReceiptNoticeLines.h"

namespace ReceiptNotice {

namespace {

// Byte order marks in front of the text. The decoder drops one; a file that
// passed through more than one editor may carry several. They show nothing
// on paper, and a first line starting with one would not read back the
// same once written.
QString withoutLeadingMarks(const QString &text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] == QChar(0xFEFF))
        ++n;
    return text.mid(n);
}

// The pieces between line ends (CR LF, LF or CR); n line ends give n + 1
// pieces.
QStringList splitAtLineEnds(const QString &text)
{
    QStringList pieces;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        pieces.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    pieces.append(text.mid(start));
    return pieces;
}

} // namespace

QStringList SplitLines(const QByteArray &fileBytes)
{
    const QString all = withoutLeadingMarks(QString::fromUtf8(fileBytes));
    if (all.isEmpty())
        return {};
    QStringList result = splitAtLineEnds(all);
    // A line end after the last line ends it; it does not start another.
    if (result.size() > 1 && result.last().isEmpty())
        result.removeLast();
    return result;
}

QByteArray JoinLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

QStringList TypedLines(const QString &text)
{
    return splitAtLineEnds(withoutLeadingMarks(text));
}

} // namespace ReceiptNotice
