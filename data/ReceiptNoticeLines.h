#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The receipt notice's text as lines, apart from its file: what the bytes
// of the file read as, and what is written for lines or for the text of the
// settings window.
namespace ReceiptNotice {

// How the file's text is written. A notice carried over from the shop's old
// machine is in Windows-1252; one written here is in UTF-8.
enum class Encoding { Utf8, Windows1252 };

// The lines of the file's bytes (CR LF, LF or CR end a line): UTF-8 when the
// bytes are valid UTF-8, else Windows-1252, and *encoding says which. A line
// end after the last line ends it and starts no other; no bytes are no lines.
// Byte order marks in front of the text are not part of it.
QStringList SplitLines(const QByteArray &fileBytes, Encoding *encoding = nullptr);

// The bytes written for lines: every line ended by CR LF, in the encoding
// given. A text Windows-1252 cannot hold whole is written in UTF-8 instead,
// so nothing typed is lost. No lines are no bytes.
QByteArray JoinLines(const QStringList &lines, Encoding encoding = Encoding::Utf8);

// The lines of a text as typed in the settings window: every piece between
// line ends is a line, so an empty text is one empty line and a text ending
// with a line end has an empty last line. Byte order marks in front are
// dropped, as reading the file drops them.
QStringList TypedLines(const QString &text);

} // namespace ReceiptNotice
