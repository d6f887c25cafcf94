#include "widgets/WindowPlacement.h"

#include "data/TextNumber.h"
#include "data/Twips.h"
#include "widgets/ObjectSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace WindowPlacement {

namespace {

// Window measures beyond this are typing errors, not screens.
constexpr double kLargestTwips = 1e6;

// Where Restore put the window, to tell a place the user chose from the one
// the program fitted.
const char *const kPlacedRect = "tessalyPlacedRect";
const char *const kPlacedMaximised = "tessalyPlacedMaximised";

// A stored measure in twips, when the text is one a screen can have.
std::optional<double> storedTwips(const QString &text)
{
    const std::optional<double> v = TextNumber::parse(text);
    if (!v || !std::isfinite(*v) || std::abs(*v) > kLargestTwips)
        return std::nullopt;
    return v;
}

double numberOr(const QString &text, double fallback, bool positive)
{
    const std::optional<double> v = storedTwips(text);
    return !v || (positive && *v <= 0) ? fallback : *v;
}

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// What the window system draws around the window, known once it has been
// shown; before that nothing is reserved.
QMargins frameOf(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

bool isNormal(const QWidget *window)
{
    return !window->isMaximized() && !window->isMinimized() && !window->isFullScreen();
}

// The window's own place as it is stored: the frame's top-left corner and
// the inner size.
QRect placeOf(const QWidget *window)
{
    return isNormal(window) ? QRect(window->pos(), window->size()) : window->normalGeometry();
}

// A stored value that still gives these pixels is kept as it was written,
// so moving the window does not round its stored size away bit by bit.
void save(const QWidget *window, const char *key, int pixels)
{
    const std::optional<double> stored = storedTwips(GetObjectSetting(window, QLatin1String(key), QString()));
    if (stored && Twips::ToPixels(*stored) == pixels)
        return;
    SaveObjectSetting(window, QLatin1String(key), QString::number(Twips::FromPixels(pixels)));
}

void keepFrameInside(QWidget *window)
{
    if (!window->isVisible() || !isNormal(window) || !window->screen())
        return;
    const QRect place(window->pos(), window->size());
    const Fit fit = FitToArea(place, window->screen()->availableGeometry(), frameOf(window));
    if (fit.normal == place && !fit.maximised)
        return;
    window->resize(fit.normal.size());
    window->move(fit.normal.topLeft());
    // With its title bar it is taller or wider than the screen: it fills it.
    if (fit.maximised)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    window->setProperty(kPlacedRect, placeOf(window));
    window->setProperty(kPlacedMaximised, window->isMaximized());
}

void boundToScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    const QSize room =
        (area.size() - QSize(frame.left() + frame.right(), frame.top() + frame.bottom())).expandedTo(QSize(1, 1));
    window->resize(window->size().boundedTo(room));
    // A place the window system has not chosen yet is left to it.
    if (window->testAttribute(Qt::WA_Moved) || window->isVisible())
        window->move(FitToArea(QRect(window->pos(), window->size()), area, frame).normal.topLeft());
}

} // namespace

QRect StoredRect(const StoredTexts &texts)
{
    const QSize size(Twips::ToPixels(numberOr(texts.width, kDefaultWidthTwips, true)),
                     Twips::ToPixels(numberOr(texts.height, kDefaultHeightTwips, true)));
    const QPoint position(Twips::ToPixels(numberOr(texts.left, 0, false)),
                          Twips::ToPixels(numberOr(texts.top, 0, false)));
    return QRect(position, size.expandedTo(QSize(1, 1)));
}

Fit FitToArea(const QRect &wanted, const QRect &area, const QMargins &frame)
{
    const QSize extra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize outer = wanted.size() + extra;
    if (outer.width() > area.width() || outer.height() > area.height()) {
        // Larger than the screen: it opens maximised, and its own place is
        // the whole area, so un-maximising it still shows all of it.
        const QSize inner = wanted.size().boundedTo((area.size() - extra).expandedTo(QSize(1, 1)));
        return {QRect(area.topLeft(), inner), true, true};
    }
    if (area.contains(QRect(wanted.topLeft(), outer)))
        return {wanted, false, false};
    const int left = std::clamp(wanted.left(), area.left(), area.left() + area.width() - outer.width());
    const int top = std::clamp(wanted.top(), area.top(), area.top() + area.height() - outer.height());
    return {QRect(QPoint(left, top), wanted.size()), false, true};
}

QRect AreaFor(const QRect &wanted, const QList<QRect> &areas)
{
    QRect best;
    qint64 most = 0;
    for (const QRect &area : areas) {
        const QRect shared = area.intersected(wanted);
        const qint64 size = qint64(shared.width()) * shared.height();
        if (!shared.isEmpty() && size > most) {
            most = size;
            best = area;
        }
    }
    if (best.isNull() && !areas.isEmpty())
        best = areas.first();
    return best;
}

void Restore(QWidget *window)
{
    const auto text = [window](const char *key, const char *fallback) {
        return GetObjectSetting(window, QLatin1String(key), QLatin1String(fallback));
    };
    QRect wanted = StoredRect({text("Width", "20000"), text("Height", "13000"), text("Left", "0"), text("Top", "0")});
    wanted.setSize(wanted.size().expandedTo(window->minimumSizeHint()).expandedTo(QSize(200, 150)));
    const QList<QRect> areas = availableAreas();
    Fit fit{wanted, false, false};
    if (!areas.isEmpty())
        fit = FitToArea(wanted, AreaFor(wanted, areas), frameOf(window));
    if (window->isMaximized())
        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
    window->resize(fit.normal.size());
    window->move(fit.normal.topLeft());
    if (fit.maximised)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    window->setProperty(kPlacedRect, placeOf(window));
    window->setProperty(kPlacedMaximised, window->isMaximized());
    // The title bar and borders are known once the window is shown: a place
    // that fitted without them is moved in then.
    QTimer::singleShot(0, window, [window] { keepFrameInside(window); });
}

void Save(QWidget *window)
{
    const QRect place = placeOf(window);
    const QVariant placed = window->property(kPlacedRect);
    if (placed.isValid() && placed.toRect() == place
        && window->property(kPlacedMaximised).toBool() == window->isMaximized())
        return;
    save(window, "Width", place.width());
    save(window, "Height", place.height());
    save(window, "Left", place.x());
    save(window, "Top", place.y());
    window->setProperty(kPlacedRect, place);
    window->setProperty(kPlacedMaximised, window->isMaximized());
}

void FitOnScreen(QWidget *window)
{
    boundToScreen(window);
    // Again once shown, when the title bar and borders are known.
    QTimer::singleShot(0, window, [window] {
        if (window->isVisible() && isNormal(window))
            boundToScreen(window);
    });
}

} // namespace WindowPlacement
