#pragma once

#include <QString>
#include <QStringList>

// What the shop prints at the top of its invoices and reports: its name and
// three lines (street, city/state/ZIP, telephone), kept in the settings
// store, section "Letterhead", keys "Name", "Street", "CityStateZip" and
// "Telephone", and its logo, "logo.jpg" of the program folder. All are set
// in the settings window; a new shop has none of them, and its documents
// print without them rather than with anybody else's.
namespace ShopLetterhead {

QString name();
QString street();
QString cityStateZip();
QString telephone();

// The lines printed at the right of the letterhead: those of the three that
// are set, in order; the shop's name alone while none of them is set;
// nothing while the name isn't set either. The demo run prints the demo
// shop's lines.
QStringList lines();

void save(const QString &name, const QString &street, const QString &cityStateZip, const QString &telephone);

// The demo shop's letterhead for the rest of this run, whatever the
// settings store holds (the shop's own lines are never the demo's, nor the
// other way round).
void useDemoForThisRun();

// The logo file: the existing "logo.jpg" of the program folder under
// whatever case its name has, else where a new one goes.
QString logoPath();
bool hasLogo();

// Makes the picture in pictureFile (any format the program reads) the
// shop's logo, written as JPEG through a temporary file, so a failure leaves
// the old logo whole. False with the reason in *error.
bool saveLogo(const QString &pictureFile, QString *error = nullptr);
// The letterhead goes without a picture from now on.
bool removeLogo(QString *error = nullptr);

} // namespace ShopLetterhead
