#include "catalog/modBarCode.h"

#include <QStringList>

namespace modBarCode {

namespace {

const QString kCharacters = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*");

// One five-digit number per character of the set, in its order: the
// character's bars and spaces (wide = 3 modules, narrow = 1) read as bits
// from the most significant one, 1 for a dark module, then a light module
// as the gap to the next character.
const QString kPatterns = QStringLiteral("41914595664727860970419025962647338417105957")
    + QStringLiteral("84729059950476626106644590602984801043246599")
    + QStringLiteral("62476744460260046477586109044686603224803443")
    + QStringLiteral("91860130478424477058030365265828235758580903")
    + QStringLiteral("65863556658042365383495434978353624150635770");

constexpr quint16 kBlankPattern = 36538;
constexpr int kBitsPerCharacter = 16;

bool onlyStars(const QString &code)
{
    for (const QChar c : code) {
        if (c != QLatin1Char('*'))
            return false;
    }
    return true;
}

} // namespace

QString CharacterSet()
{
    return kCharacters;
}

QString CompleteCode(const QString &code)
{
    // A lone star would be its own start and stop, and "***" a star inside:
    // neither is a code, so both become the empty one.
    if (onlyStars(code))
        return QStringLiteral("**");
    QString completed = code;
    if (!completed.startsWith(QLatin1Char('*')))
        completed.prepend(QLatin1Char('*'));
    if (!completed.endsWith(QLatin1Char('*')))
        completed.append(QLatin1Char('*'));
    return completed.toUpper();
}

QString CodeText(const QString &completedCode)
{
    if (completedCode.size() < 2)
        return QString();
    return completedCode.mid(1, completedCode.size() - 2);
}

quint16 PatternOf(QChar character)
{
    const qsizetype p = kCharacters.indexOf(character);
    if (p < 0)
        return kBlankPattern;
    return quint16(QStringView(kPatterns).mid(p * 5, 5).toUInt());
}

std::vector<bool> Modules(const QString &completedCode)
{
    std::vector<bool> modules;
    modules.reserve(size_t(completedCode.size()) * kBitsPerCharacter);
    for (const QChar c : completedCode) {
        const quint16 pattern = PatternOf(c);
        for (int bit = kBitsPerCharacter - 1; bit >= 0; --bit)
            modules.push_back((pattern >> bit) & 1);
    }
    return modules;
}

QString OutsideCharacters(const QString &completedCode)
{
    QString outside;
    for (qsizetype i = 0; i < completedCode.size(); ++i) {
        const QChar c = completedCode.at(i);
        const bool innerStar = c == QLatin1Char('*') && i > 0 && i < completedCode.size() - 1;
        if ((innerStar || !kCharacters.contains(c)) && !outside.contains(c))
            outside.append(c);
    }
    return outside;
}

std::optional<Refusal> CheckCode(const QString &completedCode, int modulesThatFit)
{
    const QString outside = OutsideCharacters(completedCode);
    if (!outside.isEmpty()) {
        QStringList named;
        for (const QChar c : outside)
            named << QLatin1Char('"') + QString(c) + QLatin1Char('"');
        return Refusal{QStringLiteral("Code 39 cannot show %1 of the bar code \"%2\". It has the digits, the "
                                      "letters A to Z, the blank and - . $ / + %.")
                           .arg(named.join(QStringLiteral(", ")), CodeText(completedCode)),
                       QStringLiteral("Bar code")};
    }
    if (qsizetype(completedCode.size()) * kBitsPerCharacter > modulesThatFit)
        return Refusal{LargeStringText, LargeStringTitle};
    return std::nullopt;
}

} // namespace modBarCode
