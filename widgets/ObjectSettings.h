#pragma once

#include <QString>

class QObject;

// The settings helpers for windows and their controls: the section is the
// name of the window that holds the object, the key its own name & "." & key.
// A window's own values use its name for both (section "frmSales", key
// "frmSales.Width"). Objects therefore carry their names (setObjectName).
void SaveObjectSetting(const QObject *object, const QString &key, const QString &value);
QString GetObjectSetting(const QObject *object, const QString &key, const QString &defaultValue);

// The section an object's settings live in.
QString SettingsSection(const QObject *object);
