#pragma once

// What every fuzz target shares: the locale the program is tested in, the
// input as text, and a check that stops the run at the first broken property
// (libFuzzer keeps the input that did it; the corpus replay names its file).

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Built as a libFuzzer program, each target is that program's
// LLVMFuzzerTestOneInput; in the corpus replay test all of them live in one
// program and each keeps its own name.
#ifdef TESSALY_FUZZ_REPLAY
#define TESSALY_FUZZ_TARGET(name) int FuzzTarget_##name(const std::uint8_t *data, std::size_t size)
#else
#define TESSALY_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
#endif

namespace FuzzSupport {

// The file being replayed, for the message of a failed check.
inline QString &CurrentInput()
{
    static QString name;
    return name;
}

[[noreturn]] inline void Fail(const char *property, const QString &detail, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    if (!CurrentInput().isEmpty())
        std::fprintf(stderr, "  input file: %s\n", CurrentInput().toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

// The program runs in the shop's locale; the tests use en_US.
inline void Prepare()
{
    static const bool done = [] {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return true;
    }();
    (void)done;
}

inline QByteArray Bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QString Text(const std::uint8_t *data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// For messages: the text with its control characters visible.
inline QString Shown(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || (c.unicode() >= 0x80 && c.unicode() < 0xa0))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (c.unicode() > 0x7e)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return QLatin1Char('"') + out + QLatin1Char('"');
}

} // namespace FuzzSupport

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::FuzzSupport::Fail(#condition, (detail), __FILE__, __LINE__);                                             \
    } while (false)
