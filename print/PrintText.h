#pragma once

#include <QString>

// Text helpers of the page recorder.
namespace PrintText {

// Line breaks turned into blanks: a carriage return, a line feed, or the
// pair of them becomes one blank; line feeds that open the text are
// dropped.
QString removeCrLf(const QString &text);

// Every kind of line end (CR LF, LF alone, CR alone) as one carriage return.
QString normalizeLineEnds(const QString &text);

// Whether the text holds a carriage return or a line feed.
bool hasLineBreak(const QString &text);

// One double quote dropped from the start, then one from the end.
QString stripQuotes(const QString &text);

// "mary mcdonald o'brien" -> "Mary McDonald O'Brien": first letter and every
// letter after a blank, a full stop, "Mc" or "O'" in capitals, the rest in
// small letters.
QString formalCase(const QString &text);

// Trailing and leading blanks removed (blanks only, as the old Trim).
QString trimBlanks(const QString &text);

} // namespace PrintText
