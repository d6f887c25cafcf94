#pragma once

#include <QString>

// Where the program keeps its files on this machine. The "program folder" of
// the shop (logo.jpg, the receipt notice, the pictures folder, the embedded
// database) is one writable data folder per user, created when missing:
// $TESSALY_DATA_DIR when set, else the user's data location
// (~/.local/share/Tessaly/Tessaly).
namespace AppPaths {

QString programFolder();
// The same path, without making the folder (for texts such as --help).
QString programFolderName();

// A file of the program folder found without regard to the case of its name
// ("receiptnotice.txt" and "ReceiptNotice.txt" are one file). Returns the
// existing file's path, or the path under the given spelling when none exists.
QString programFile(const QString &name);

// A file of any folder, found the same way.
QString findFileIgnoringCase(const QString &folder, const QString &name);

// The default embedded database file.
QString defaultDatabaseFile();

} // namespace AppPaths
