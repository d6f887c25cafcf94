// Typed and stored times: a time the administrator types (PayWeek::ParseTypedTime)
// and a stored date text (DateText::fromDb) never fail on any text, and a
// time read is the same time again when read back from the form the time
// clock shows it in (DateText::generalDate) and from the stored form
// (DateText::toDb).
#include "tests/fuzz/FuzzCheck.h"

#include "data/DateText.h"
#include "timeclock/PayWeek.h"

#include <QVariant>

namespace {

using FuzzSupport::Shown;

QString describe(const QDateTime &moment)
{
    return moment.toString(Qt::ISODateWithMs) + QStringLiteral(" (") + QString::number(moment.toMSecsSinceEpoch())
        + QStringLiteral(" ms)");
}

// A moment as the program holds it after reading typed or stored text.
void checkMoment(const QDateTime &moment, const QString &from)
{
    const auto what = [&]() -> QString { return Shown(from) + QStringLiteral(" read as ") + describe(moment); };
    FUZZ_CHECK(moment.isValid(), what());
    FUZZ_CHECK(moment.time().msec() == 0, what());

    // Shown in the time clock's grid, typed back unchanged.
    const QString shown = DateText::generalDate(moment);
    const std::optional<QDateTime> retyped = PayWeek::ParseTypedTime(shown);
    FUZZ_CHECK(retyped.has_value(), what() + QStringLiteral(", shown as ") + Shown(shown));
    FUZZ_CHECK(*retyped == moment,
               what() + QStringLiteral(", shown as ") + Shown(shown) + QStringLiteral(" reads as ")
                   + describe(*retyped));

    // Stored, read back; and the stored form typed.
    const QString stored = DateText::toDb(moment);
    const QDateTime read = DateText::fromDb(QVariant(stored));
    FUZZ_CHECK(read == moment,
               what() + QStringLiteral(", stored as ") + Shown(stored) + QStringLiteral(" reads as ") + describe(read));
    const std::optional<QDateTime> typedStored = PayWeek::ParseTypedTime(stored);
    FUZZ_CHECK(typedStored && *typedStored == moment, what() + QStringLiteral(", stored as ") + Shown(stored));
}

} // namespace

TESSALY_FUZZ_TARGET(typed_time)
{
    FuzzSupport::Prepare();
    const QString text = FuzzSupport::Text(data, size);

    const std::optional<QDateTime> typed = PayWeek::ParseTypedTime(text);
    if (typed)
        checkMoment(*typed, text);

    // Stored text may carry milliseconds or a zone; once written in the
    // stored form it stays as it is.
    const QDateTime stored = DateText::fromDb(QVariant(text));
    if (stored.isValid()) {
        const QString once = DateText::toDb(stored);
        const QDateTime again = DateText::fromDb(QVariant(once));
        FUZZ_CHECK(again.isValid(), Shown(text) + QStringLiteral(" stored as ") + Shown(once));
        FUZZ_CHECK(DateText::toDb(again) == once, Shown(text) + QStringLiteral(" stored as ") + Shown(once));
        checkMoment(again, once);
    }
    // A date alone is stored as its midnight.
    if (stored.isValid()) {
        const QDate day = stored.date();
        FUZZ_CHECK(DateText::fromDb(QVariant(DateText::toDb(day))).date() == day, Shown(text));
    }
    return 0;
}
