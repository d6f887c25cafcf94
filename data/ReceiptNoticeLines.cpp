#include "data/ReceiptNoticeLines.h"

#include <QStringDecoder>
#include <optional>

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

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five bytes it
// leaves undefined read as the control characters Latin-1 gives them.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        text += QChar(u >= 0x80 && u < 0xA0 ? kCp1252High[u - 0x80] : char16_t(u));
    }
    return text;
}

// nullopt when a character has no Windows-1252 byte.
std::optional<QByteArray> toWindows1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += char(u);
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32 && found < 0; ++i) {
            if (kCp1252High[i] == u)
                found = i;
        }
        if (found < 0)
            return std::nullopt;
        bytes += char(0x80 + found);
    }
    return bytes;
}

QString decode(const QByteArray &bytes, Encoding *encoding)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    const bool isUtf8 = !utf8.hasError();
    if (encoding)
        *encoding = isUtf8 ? Encoding::Utf8 : Encoding::Windows1252;
    return isUtf8 ? text : fromWindows1252(bytes);
}

} // namespace

QStringList SplitLines(const QByteArray &fileBytes, Encoding *encoding)
{
    const QString all = withoutLeadingMarks(decode(fileBytes, encoding));
    if (all.isEmpty())
        return {};
    QStringList result = splitAtLineEnds(all);
    // A line end after the last line ends it; it does not start another.
    if (result.size() > 1 && result.last().isEmpty())
        result.removeLast();
    return result;
}

QByteArray JoinLines(const QStringList &lines, Encoding encoding)
{
    QString all;
    for (const QString &line : lines)
        all += line + QStringLiteral("\r\n");
    if (encoding == Encoding::Windows1252) {
        if (const std::optional<QByteArray> bytes = toWindows1252(all))
            return *bytes;
    }
    return all.toUtf8();
}

QStringList TypedLines(const QString &text)
{
    return splitAtLineEnds(withoutLeadingMarks(text));
}

} // namespace ReceiptNotice
