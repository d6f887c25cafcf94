#include "data/TextNumber.h"

#include <cmath>

namespace TextNumber {

namespace {

bool isDigit(const QString &text, int i)
{
    return i < text.size() && text[i].isDigit() && text[i].unicode() < 128;
}

bool isChar(const QString &text, int i, char c)
{
    return i < text.size() && text[i] == QLatin1Char(c);
}

int digitsFrom(const QString &text, int i)
{
    int n = 0;
    while (isDigit(text, i + n))
        ++n;
    return n;
}

// The number that starts at `i` (after any sign): where it ends, its text
// without grouping commas, and whether a comma followed by a digit stood
// where no thousands group does ("1,25", "12,34.5", "1234,567", "0,500").
struct Scan
{
    int end = 0;
    QString plain;
    bool digits = false;
    bool misplacedComma = false;
};

Scan scanNumber(const QString &text, int i)
{
    Scan s;
    int run = 0; // digits since the start or the last comma
    bool grouped = false;
    while (true) {
        if (isDigit(text, i)) {
            s.plain += text[i++];
            ++run;
            continue;
        }
        if (!isChar(text, i, ',') || !isDigit(text, i + 1))
            break;
        // A comma must close a first group of one to three digits that does
        // not start with 0, or a later group of three, and open a group of
        // exactly three.
        const bool closes = grouped ? run == 3 : run >= 1 && run <= 3 && s.plain[0] != QLatin1Char('0');
        if (!closes || digitsFrom(text, i + 1) != 3) {
            s.misplacedComma = true;
            break;
        }
        grouped = true;
        run = 0;
        ++i;
    }
    if (!s.misplacedComma && isChar(text, i, '.')) {
        s.plain += QLatin1Char('.');
        ++i;
        while (isDigit(text, i))
            s.plain += text[i++];
        s.misplacedComma = isChar(text, i, ',') && isDigit(text, i + 1); // "1.250,5"
    }
    s.digits = s.plain != QLatin1String(".") && !s.plain.isEmpty();
    s.end = i;
    return s;
}

int skipBlanks(const QString &text, int i)
{
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    return i;
}

std::optional<double> toNumber(const QString &sign, const Scan &s)
{
    if (!s.digits)
        return std::nullopt;
    bool ok = false;
    const double value = (sign + s.plain).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

double Val(const QString &text)
{
    int i = skipBlanks(text, 0);
    QString sign;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        sign = text[i++];
    Scan s = scanNumber(text, i);
    if (s.misplacedComma) // the number ends before the comma, as it always did
        s = scanNumber(text.left(text.indexOf(QLatin1Char(','), i)), i);
    return toNumber(sign, s).value_or(0.0);
}

std::optional<double> leadingNumber(const QString &text)
{
    int i = skipBlanks(text, 0);
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    if (scanNumber(text, i).misplacedComma)
        return std::nullopt;
    return Val(text);
}

std::optional<double> parse(const QString &text)
{
    const QString t = text.trimmed();
    int i = 0;
    QString sign;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        sign = t[i++];
    const Scan s = scanNumber(t, i);
    if (s.misplacedComma || s.end != t.size())
        return std::nullopt;
    return toNumber(sign, s);
}

QString toDbText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    QString text = QString::number(value, 'f', 6);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QString NotANumberMessage(const QString &typed)
{
    return QStringLiteral("\"%1\" is not a number. Type it with a point for cents and commas only between "
                          "thousands, such as 1,250.50. Nothing was changed.")
        .arg(typed.trimmed());
}

namespace {

// Decimals after the point of a text parse accepted, trailing zeros aside.
int decimalsOf(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    if (point < 0)
        return 0;
    qsizetype end = t.size();
    while (end > point + 1 && t[end - 1] == QLatin1Char('0'))
        --end;
    return int(end - point - 1);
}

Reading read(const QString &typed, int decimals, double largest)
{
    Reading r;
    r.typed = typed.trimmed();
    r.decimals = decimals;
    r.largest = largest;
    const std::optional<double> number = parse(typed);
    if (!number)
        r.refusal = Reading::Refusal::NotANumber;
    else if (decimals >= 0 && decimalsOf(typed) > decimals)
        r.refusal = Reading::Refusal::TooManyDecimals;
    else if (std::fabs(*number) > largest)
        r.refusal = Reading::Refusal::TooLarge;
    else
        r.value = *number;
    return r;
}

} // namespace

QString LargestAmountText()
{
    return QStringLiteral("999,999,999.99");
}

QString Reading::reason() const
{
    switch (refusal) {
    case Refusal::None:
        return QString();
    case Refusal::NotANumber:
        return QStringLiteral("is not a number");
    case Refusal::TooManyDecimals:
        return decimals == 2 ? QStringLiteral("has more than two decimals; amounts are kept to the cent")
                             : QStringLiteral("has more than %1 decimals").arg(decimals);
    case Refusal::TooLarge:
        return QStringLiteral("is larger than the program can total (at most %1)")
            .arg(largest == kLargestQuantity ? QStringLiteral("999,999,999") : LargestAmountText());
    }
    return QString();
}

QString Reading::message() const
{
    if (refusal == Refusal::NotANumber)
        return NotANumberMessage(typed);
    return QStringLiteral("\"%1\" %2. Nothing was changed.").arg(typed, reason());
}

Reading readMoney(const QString &typed)
{
    return read(typed, 2, kLargestAmount);
}

Reading readQuantity(const QString &typed)
{
    Reading r = read(typed, -1, kLargestQuantity);
    if (r.value)
        r.value = std::round(*r.value);
    return r;
}

Reading readNumber(const QString &typed)
{
    return read(typed, 4, kLargestAmount);
}

} // namespace TextNumber
