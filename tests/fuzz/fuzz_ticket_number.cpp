// Ticket numbers typed in "Search Ticket": TicketNumber::Parse accepts a
// positive number that fits a ticket id, bare or as the invoice prints it
// ("#A0009"), and nothing else, and a number it accepts reads the same when
// written back as decimal text, bare or with the invoice's marks.
#include "tests/fuzz/FuzzCheck.h"

#include "sales/TicketNumber.h"

#include <limits>

namespace {

using FuzzSupport::Shown;

// Told apart by other means than the parser: the value of the trimmed text,
// less a "#" and then an "A" or "a" in front, if it is nothing but ASCII
// digits with a positive value that fits an int.
std::optional<int> expected(const QString &typed)
{
    QString t = typed.trimmed();
    if (t.startsWith(u'#'))
        t.remove(0, 1);
    if (t.startsWith(u'A') || t.startsWith(u'a'))
        t.remove(0, 1);
    if (t.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar c : t) {
        const char16_t u = c.unicode();
        if (u < u'0' || u > u'9')
            return std::nullopt;
        value = value * 10 + (u - u'0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    if (value <= 0)
        return std::nullopt;
    return int(value);
}

} // namespace

TESSALY_FUZZ_TARGET(ticket_number)
{
    FuzzSupport::Prepare();
    const QString typed = FuzzSupport::Text(data, size);
    const std::optional<int> number = TicketNumber::Parse(typed);
    const std::optional<int> oracle = expected(typed);
    FUZZ_CHECK(number == oracle,
               Shown(typed) + QStringLiteral(" read as ")
                   + (number ? QString::number(*number) : QStringLiteral("nothing")) + QStringLiteral(", should be ")
                   + (oracle ? QString::number(*oracle) : QStringLiteral("nothing")));
    if (number) {
        FUZZ_CHECK(*number > 0, Shown(typed));
        const QString written = QString::number(*number);
        FUZZ_CHECK(TicketNumber::Parse(written) == number, Shown(typed) + Shown(written));
        FUZZ_CHECK(TicketNumber::Parse(QLatin1Char(' ') + written + QLatin1Char(' ')) == number, Shown(written));
        FUZZ_CHECK(TicketNumber::Parse(written + QLatin1Char('x')) == std::nullopt, Shown(written));
        FUZZ_CHECK(TicketNumber::Parse(QLatin1Char('-') + written) == std::nullopt, Shown(written));
        const QString printed = QStringLiteral("#A%1").arg(*number, 4, 10, QLatin1Char('0'));
        FUZZ_CHECK(TicketNumber::Parse(printed) == number, Shown(printed));
        FUZZ_CHECK(TicketNumber::Parse(printed.mid(1)) == number, Shown(printed));
        FUZZ_CHECK(TicketNumber::Parse(QStringLiteral("AA") + written) == std::nullopt, Shown(written));
    }
    return 0;
}
