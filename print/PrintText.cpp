#include "print/PrintText.h"

namespace PrintText {

QString removeCrLf(const QString &text)
{
    QString s = text;
    int lead = 0;
    while (lead < s.size() && s.at(lead) == QLatin1Char('\n'))
        ++lead;
    s.remove(0, lead);
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QString normalizeLineEnds(const QString &text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    s.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return s;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

QString stripQuotes(const QString &text)
{
    QString s = text;
    if (s.startsWith(QLatin1Char('"')))
        s.remove(0, 1);
    if (s.endsWith(QLatin1Char('"')))
        s.chop(1);
    return s;
}

namespace {

void upperAfter(QString &s, const QString &mark)
{
    for (int at = s.indexOf(mark); at >= 0; at = s.indexOf(mark, at + 1)) {
        const int next = at + int(mark.size());
        if (next < s.size())
            s[next] = s.at(next).toUpper();
    }
}

} // namespace

QString formalCase(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString s = text.left(1).toUpper() + text.mid(1).toLower();
    upperAfter(s, QStringLiteral(" "));
    upperAfter(s, QStringLiteral("."));
    upperAfter(s, QStringLiteral("Mc"));
    upperAfter(s, QStringLiteral("O'"));
    return s;
}

QString trimBlanks(const QString &text)
{
    int first = 0;
    int last = int(text.size()) - 1;
    while (first <= last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last >= first && text.at(last) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first + 1);
}

} // namespace PrintText
