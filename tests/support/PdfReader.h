#pragma once

#include <QString>
#include <QStringList>

// What a PDF holds, read back with poppler's tools the way a person reading
// the printout would see it.
namespace PdfReader {

// The output of a tool, or "<tool failed: reason>" so a failed read shows in
// the assertion that used it.
QString run(const QString &program, const QStringList &args);

// The text as laid out on the pages (pdftotext -layout); pages end with \f.
QString text(const QString &path);
// The text of each page.
QStringList pageTexts(const QString &path);
// The page count pdfinfo gives, or -1.
int pages(const QString &path);
// pdfinfo's whole report (page size, title, …).
QString info(const QString &path);

} // namespace PdfReader
