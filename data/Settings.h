#pragma once

#include <QString>
#include <QtGlobal>

// The per-user settings store of application "Tessaly": section / key / text.
// (On Linux a QSettings file, ~/.config/Tessaly/Tessaly.conf.)
namespace Settings {

QString get(const QString &section, const QString &key, const QString &defaultValue = QString());
void save(const QString &section, const QString &key, const QString &value);
bool contains(const QString &section, const QString &key);
void remove(const QString &section, const QString &key);
// Counts the changes this run has made to the store, so a reader can tell
// cheaply that something may have changed since it last read.
quint64 generation();

// A stored number, or the default when the key is absent or holds text that
// is not a number.
double getNumber(const QString &section, const QString &key, double defaultValue);

} // namespace Settings

// Per-window and per-control values. The section is the name of the window
// that holds the object and the key is the object's name, a dot and the
// caller's key: section "frmSales", key "vbalGridOrders.Col_5". A window's own
// values use its own name for both ("frmSales" / "frmSales.Width").
// Widgets reach these through the QObject overloads in widgets/ObjectSettings.h.
void SaveObjectSetting(const QString &section, const QString &objectName, const QString &key, const QString &value);
QString GetObjectSetting(const QString &section, const QString &objectName, const QString &key,
                         const QString &defaultValue);
