#include "catalog/WindowPlacement.h"

#include "data/TextNumber.h"
#include "widgets/ObjectSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace WindowPlacement {

namespace {

constexpr double kTwipsPerPixel = 15.0;

int pixels(const QWidget *window, const char *key, const char *fallback)
{
    const QString text = GetObjectSetting(window, QLatin1String(key), QLatin1String(fallback));
    const std::optional<double> twips = TextNumber::parse(text);
    const double value = twips ? *twips : QString::fromLatin1(fallback).toDouble();
    return int(std::lround(std::clamp(value, -1e6, 1e6) / kTwipsPerPixel));
}

void save(const QWidget *window, const char *key, int pixels)
{
    SaveObjectSetting(window, QLatin1String(key), QString::number(qint64(pixels * kTwipsPerPixel)));
}

} // namespace

void Restore(QWidget *window)
{
    QRect wanted(pixels(window, "Left", "0"), pixels(window, "Top", "0"), pixels(window, "Width", "20000"),
                 pixels(window, "Height", "13000"));
    wanted.setSize(wanted.size().expandedTo(window->minimumSizeHint()).expandedTo(QSize(200, 150)));
    const QScreen *screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        wanted.setSize(wanted.size().boundedTo(area.size()));
        wanted.moveLeft(std::clamp(wanted.left(), area.left(), area.right() - wanted.width() + 1));
        wanted.moveTop(std::clamp(wanted.top(), area.top(), area.bottom() - wanted.height() + 1));
    }
    window->resize(wanted.size());
    window->move(wanted.topLeft());
}

void Save(const QWidget *window)
{
    save(window, "Width", window->width());
    save(window, "Height", window->height());
    save(window, "Left", window->x());
    save(window, "Top", window->y());
}

} // namespace WindowPlacement
