#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The receipt notice's text as lines, apart from its file: what the bytes
// of the file read as, and what is written for lines or for the text of the
// settings window.
namespace ReceiptNotice {

// The lines of the file's bytes (UTF-8; CR LF, LF or CR end a line). A line
// end after the last line ends it and starts no other; no bytes are no lines.
// Byte order marks in front of the text are not part of it.
QStringList SplitLines(const QByteArray &fileBytes);

// The bytes written for lines: every line ended by CR LF, in UTF-8. No lines
// are no bytes.
QByteArray JoinLines(const QStringList &lines);

// The lines of a text as typed in the settings window: every piece between
// line ends is a line, so an empty text is one empty line and a text ending
// with a line end has an empty last line. Byte order marks in front are
// dropped, as reading the file drops them.
QStringList TypedLines(const QString &text);

} // namespace ReceiptNotice
