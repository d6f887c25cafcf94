// Code 39 completion: completing a completed code changes nothing, a
// completed code starts and ends with its star, every character has a
// pattern (the symbology's own, or the blank for one outside the set), and
// its modules are the patterns' modules, character by character.
#include "tests/fuzz/FuzzCheck.h"

#include "catalog/modBarCode.h"

#include <QSet>

namespace {

using FuzzSupport::Shown;

constexpr quint16 kBlank = 36538;

// A Code 39 character: five bars and four spaces, dark first, three of the
// nine wide (3 modules) and six narrow (1), then one light module.
bool isCode39Pattern(quint16 pattern)
{
    if (pattern & 1)
        return false;
    int elements = 0;
    int wide = 0;
    int bit = 15;
    bool dark = true;
    while (bit >= 1) {
        int run = 0;
        while (bit >= 1 && bool((pattern >> bit) & 1) == dark) {
            ++run;
            --bit;
        }
        if (run != 1 && run != 3)
            return false;
        wide += run == 3;
        ++elements;
        dark = !dark;
    }
    return elements == 9 && wide == 3;
}

// The table once: 44 characters, each with its own well-formed pattern.
void checkTable()
{
    static const bool checked = [] {
        const QString set = modBarCode::CharacterSet();
        FUZZ_CHECK(set.size() == 44, QString::number(set.size()));
        FUZZ_CHECK(set.endsWith(QLatin1Char('*')), Shown(set));
        QSet<quint16> seen;
        for (const QChar c : set) {
            const quint16 p = modBarCode::PatternOf(c);
            FUZZ_CHECK(isCode39Pattern(p), QString(c) + QLatin1Char(' ') + QString::number(p));
            FUZZ_CHECK(!seen.contains(p), QString(c));
            seen.insert(p);
        }
        FUZZ_CHECK(isCode39Pattern(kBlank), QString());
        return true;
    }();
    (void)checked;
}

} // namespace

TESSALY_FUZZ_TARGET(code39)
{
    FuzzSupport::Prepare();
    checkTable();
    const QString code = FuzzSupport::Text(data, size);
    const QString completed = modBarCode::CompleteCode(code);
    const auto what = [&]() -> QString { return Shown(code) + QStringLiteral(" completed as ") + Shown(completed); };

    FUZZ_CHECK(modBarCode::CompleteCode(completed) == completed,
               what() + QStringLiteral(", again as ") + Shown(modBarCode::CompleteCode(completed)));
    FUZZ_CHECK(completed.size() >= 2, what());
    FUZZ_CHECK(completed.startsWith(QLatin1Char('*')) && completed.endsWith(QLatin1Char('*')), what());
    FUZZ_CHECK(completed == completed.toUpper(), what());
    FUZZ_CHECK(modBarCode::CodeText(completed).size() == completed.size() - 2, what());
    FUZZ_CHECK(QLatin1Char('*') + modBarCode::CodeText(completed) + QLatin1Char('*') == completed, what());

    const QString set = modBarCode::CharacterSet();
    for (const QChar c : completed) {
        const quint16 p = modBarCode::PatternOf(c);
        if (set.contains(c))
            FUZZ_CHECK(isCode39Pattern(p), what());
        else
            FUZZ_CHECK(p == kBlank, what());
    }

    const std::vector<bool> modules = modBarCode::Modules(completed);
    FUZZ_CHECK(modules.size() == size_t(completed.size()) * 16, what());
    for (qsizetype i = 0; i < completed.size(); ++i) {
        const quint16 p = modBarCode::PatternOf(completed[i]);
        for (int b = 0; b < 16; ++b)
            FUZZ_CHECK(modules[size_t(i) * 16 + b] == bool((p >> (15 - b)) & 1), what());
    }
    // The code read off the bars: start and stop are the star.
    FUZZ_CHECK(std::vector<bool>(modules.begin(), modules.begin() + 16)
                   == std::vector<bool>(modules.end() - 16, modules.end()),
               what());
    return 0;
}
