#include "widgets/ObjectSettings.h"

#include "data/Settings.h"

#include <QWidget>

QString SettingsSection(const QObject *object)
{
    if (!object)
        return QString();
    if (object->isWidgetType()) {
        const QWidget *window = static_cast<const QWidget *>(object)->window();
        return window->objectName().trimmed();
    }
    const QObject *top = object;
    while (top->parent())
        top = top->parent();
    return top->objectName().trimmed();
}

void SaveObjectSetting(const QObject *object, const QString &key, const QString &value)
{
    if (!object)
        return;
    SaveObjectSetting(SettingsSection(object), object->objectName(), key, value);
}

QString GetObjectSetting(const QObject *object, const QString &key, const QString &defaultValue)
{
    if (!object)
        return defaultValue;
    return GetObjectSetting(SettingsSection(object), object->objectName(), key, defaultValue);
}
