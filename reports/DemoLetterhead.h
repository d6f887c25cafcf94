#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// What the demo shop's invoices need in the program folder: a logo and a
// receipt notice. A shop's own files are never replaced.
namespace DemoLetterhead {

// The demo shop's logo, 1200 x 300 pixels (two inches wide on paper).
// Needs a QGuiApplication for its fonts.
QImage drawLogo();

// The demo shop's three letterhead lines: street, city/state/ZIP, telephone.
QStringList lines();

// The demo shop's receipt notice.
QString noticeText();

// Writes "logo.jpg" and the receipt notice into the program folder where
// they are missing (whatever the case of their names). False with the
// reason in *error when one could not be written.
bool ensureFiles(QString *error = nullptr);

} // namespace DemoLetterhead
