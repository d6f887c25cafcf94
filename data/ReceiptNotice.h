#pragma once

#include "data/ReceiptNoticeLines.h"

#include <QString>
#include <QStringList>

// The shop's receipt notice: a text file of the program folder printed at
// the foot of every invoice and edited in the settings window. Its name is
// found without regard to case ("receiptnotice.txt" and "ReceiptNotice.txt"
// are one file); a missing file is an empty notice.
namespace ReceiptNotice {

// The file the notice is read from and written to: the existing one under
// whatever case it has, else "ReceiptNotice.txt" in the program folder.
QString filePath();

// The notice's lines (UTF-8, or Windows-1252 when the file is not valid
// UTF-8, as *encoding then says; CR LF, LF or CR end a line). Empty when the
// file is missing or empty. *error is set when an existing file can't be read.
QStringList lines(QString *error = nullptr, Encoding *encoding = nullptr);

// The notice as the settings window shows it: the lines joined with CR LF,
// no line end after the last.
QString text(QString *error = nullptr, Encoding *encoding = nullptr);

// Writes the notice: the text with every line ended by CR LF (so an empty
// text is written as one line end), through a temporary file renamed over
// the old one, so a failed write leaves the old notice whole. False with the
// reason in *error when it could not be written.
// The text is written in the encoding given (the one it was read in).
bool save(const QString &text, QString *error = nullptr, Encoding encoding = Encoding::Utf8);

} // namespace ReceiptNotice
