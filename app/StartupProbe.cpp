#include "app/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class FirstPaintProbe : public QObject
{
public:
    explicit FirstPaintProbe(QWidget *window) : QObject(window), m_window(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            m_done = true;
            std::printf("first paint\n");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_done = false;
};

} // namespace

void WatchFirstPaint(QWidget *window)
{
    if (qEnvironmentVariableIsSet("TESSALY_STARTUP_PROBE"))
        new FirstPaintProbe(window);
}
