// Money and quantity text: the typed readers (TextNumber::Val, TextNumber::parse,
// Money::fromVariant on text) never fail on any text, and an amount they read
// comes back as the same cents from every form the program writes it in.
#include "tests/fuzz/FuzzCheck.h"

#include "data/Money.h"
#include "data/TextNumber.h"

#include <QLocale>
#include <QRegularExpression>
#include <QVariant>
#include <cmath>

namespace {

using FuzzSupport::Shown;

// Beyond a billion a typed value is not money (Money reads it as 0).
constexpr double kSane = 1e9;

QString describe(const Money &m)
{
    return QStringLiteral("amount %1 (cents %2)").arg(m.toDbText()).arg(m.cents());
}

void checkShownForm(const Money &m, const QString &shown, const char *form)
{
    const auto what = [&]() -> QString {
        return QStringLiteral("%1: %2 written as %3").arg(QLatin1String(form), describe(m), Shown(shown));
    };
    FUZZ_CHECK(Money::fromVariant(QVariant(shown)).cents() == m.cents(), what());
    const std::optional<double> typed = TextNumber::parse(shown);
    FUZZ_CHECK(typed.has_value(), what());
    FUZZ_CHECK(Money::fromDouble(*typed).cents() == m.cents(), what());
    FUZZ_CHECK(Money::fromDouble(TextNumber::Val(shown)).cents() == m.cents(), what());
    const std::optional<double> leading = TextNumber::leadingNumber(shown);
    FUZZ_CHECK(leading && Money::fromDouble(*leading).cents() == m.cents(), what());
}

// The amount as an en_US user writes it, with thousands grouped ("1,250.50"),
// reads back as the same cents; with a comma in place of the decimal point
// ("1250,50") it is no number at all.
void checkGroupedForms(const Money &m)
{
    static const QLocale enUS(QLocale::English, QLocale::UnitedStates);
    const QString grouped = enUS.toString(double(m.cents()) / 100.0, 'f', 2);
    FUZZ_CHECK(std::llabs(m.cents()) < 100000 || grouped.contains(QLatin1Char(',')), describe(m) + Shown(grouped));
    const auto whatGrouped = [&]() -> QString { return describe(m) + Shown(grouped); };
    const std::optional<double> typed = TextNumber::parse(grouped);
    FUZZ_CHECK(typed && Money::fromDouble(*typed).cents() == m.cents(), whatGrouped());
    const std::optional<double> leading = TextNumber::leadingNumber(grouped);
    FUZZ_CHECK(leading && Money::fromDouble(*leading).cents() == m.cents(), whatGrouped());
    FUZZ_CHECK(Money::fromDouble(TextNumber::Val(grouped)).cents() == m.cents(), whatGrouped());
    QString decimalComma = m.format0();
    decimalComma.replace(QLatin1Char('.'), QLatin1Char(','));
    const auto what = [&]() -> QString { return describe(m) + Shown(decimalComma); };
    FUZZ_CHECK(!TextNumber::parse(decimalComma).has_value(), what());
    FUZZ_CHECK(!TextNumber::leadingNumber(decimalComma).has_value(), what());
}

// An amount as the program reads it (ten-thousandths at most, within a
// billion): every form it is shown or stored in reads back as the same cents,
// and the stored form as the very same amount.
void checkAmount(const Money &m)
{
    static const QRegularExpression form00(QStringLiteral("^-?[0-9]{2,}\\.[0-9]{2}$"));
    static const QRegularExpression form0(QStringLiteral("^-?[0-9]+\\.[0-9]{2}$"));
    static const QRegularExpression formDb(QStringLiteral("^-?[0-9]+(\\.[0-9]{0,3}[1-9])?$"));

    FUZZ_CHECK(std::fabs(m.toDouble()) <= kSane, describe(m));

    const QString s00 = m.format00();
    FUZZ_CHECK(form00.match(s00).hasMatch(), Shown(s00));
    checkShownForm(m, s00, "00.00");
    const QString s0 = m.format0();
    FUZZ_CHECK(form0.match(s0).hasMatch(), Shown(s0));
    checkShownForm(m, s0, "0.00");
    checkGroupedForms(m);
    // The shown forms differ only in the leading zero.
    FUZZ_CHECK(s00 == s0 || s00 == QLatin1Char('0') + s0 || s00 == QStringLiteral("-0") + s0.mid(1),
               Shown(s00) + Shown(s0));

    const QString dollar = m.formatDollar00();
    const bool negative = m.cents() < 0;
    FUZZ_CHECK(dollar.startsWith(negative ? QStringLiteral("-$") : QStringLiteral("$")), Shown(dollar));
    FUZZ_CHECK(dollar.mid(negative ? 2 : 1) == m.abs().format00(), Shown(dollar));

    const QString whole = m.formatWhole00();
    const std::optional<double> wholeBack = TextNumber::parse(whole);
    FUZZ_CHECK(wholeBack && *wholeBack == double(m.roundedWhole()), describe(m) + Shown(whole));

    // The stored form is exact.
    const QString db = m.toDbText();
    FUZZ_CHECK(formDb.match(db).hasMatch(), describe(m) + Shown(db));
    FUZZ_CHECK(Money::fromVariant(QVariant(db)) == m, describe(m) + Shown(db));
    const std::optional<double> dbTyped = TextNumber::parse(db);
    FUZZ_CHECK(dbTyped && Money::fromDouble(*dbTyped) == m, describe(m) + Shown(db));
    // A stored double binds the same amount.
    FUZZ_CHECK(Money::fromVariant(QVariant(m.toDouble())) == m, describe(m));

    // Cents themselves are exact.
    FUZZ_CHECK(Money::fromCents(m.cents()).cents() == m.cents(), describe(m));
    FUZZ_CHECK((m - m).isZero() && (-m).cents() == -m.cents(), describe(m));
}

// A number typed into a box, written for the database by TextNumber::toDbText.
void checkNumber(double v, const QString &typed)
{
    const auto what = [&]() -> QString { return Shown(typed); };
    FUZZ_CHECK(std::isfinite(v), what());
    const QString db = TextNumber::toDbText(v);
    FUZZ_CHECK(!db.contains(QLatin1Char('e')) && !db.contains(QLatin1Char('E')), what() + Shown(db));
    const std::optional<double> back = TextNumber::parse(db);
    FUZZ_CHECK(back.has_value(), what() + Shown(db));
    // Six decimals are kept: the value comes back to within half a millionth
    // and writing it again gives the same text.
    FUZZ_CHECK(std::fabs(*back - v) <= 5.0000001e-7 + std::fabs(v) * 1e-15, what() + Shown(db));
    FUZZ_CHECK(TextNumber::toDbText(*back) == db, what() + Shown(db));
    if (std::fabs(v) <= kSane)
        checkAmount(Money::fromDouble(v));
}

bool plainNumberCharacters(const QString &text)
{
    for (const QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('-')
              || c == QLatin1Char('+')))
            return false;
    }
    return true;
}

void checkText(const QString &text)
{
    const double val = TextNumber::Val(text);
    checkNumber(val, text);

    const std::optional<double> parsed = TextNumber::parse(text);
    if (parsed) {
        checkNumber(*parsed, text);
        // For a plain number both readers agree.
        if (plainNumberCharacters(text))
            FUZZ_CHECK(val == *parsed, Shown(text));
        // Grouped or not, a whole number is its own leading number.
        if (plainNumberCharacters(QString(text).remove(QLatin1Char(',')))) {
            FUZZ_CHECK(val == *parsed, Shown(text));
            FUZZ_CHECK(TextNumber::leadingNumber(text) == parsed, Shown(text));
        }
    }
    // The leading number, when it is one, is what Val reads.
    const std::optional<double> leading = TextNumber::leadingNumber(text);
    FUZZ_CHECK(!leading || *leading == val, Shown(text));

    // Stored text (and what a grid's edit hands over) is read by Money itself.
    const Money stored = Money::fromVariant(QVariant(text));
    checkAmount(stored);
}

} // namespace

TESSALY_FUZZ_TARGET(money)
{
    FuzzSupport::Prepare();
    const QString text = FuzzSupport::Text(data, size);
    checkText(text);

    // "quantity*price": a line's amount is their exact product, whichever
    // way round.
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    if (star >= 0) {
        const Money quantity = Money::fromDouble(TextNumber::Val(text.left(star)));
        const Money price = Money::fromDouble(TextNumber::Val(text.mid(star + 1)));
        const Money amount = Money::product(quantity, price);
        const auto what = [&]() -> QString { return describe(quantity) + QStringLiteral(" x ") + describe(price); };
        FUZZ_CHECK(amount == Money::product(price, quantity), what());
        FUZZ_CHECK(Money::product(quantity, Money::fromCents(100)) == quantity, what());
        FUZZ_CHECK(Money::product(quantity, Money()).isZero(), what());
        FUZZ_CHECK(Money::product(-quantity, price) == -amount, what());
    }
    return 0;
}
