#include "timeclock/CaptureFrame.h"

#include <algorithm>

namespace CaptureFrame {

QImage Fit(const QImage &frame, const QSize &size)
{
    if (frame.isNull() || size.isEmpty())
        return QImage();
    QImage image = frame.convertToFormat(QImage::Format_RGB32);
    if (image.size() == size)
        return image;
    const QImage scaled = image.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    const int x = (scaled.width() - size.width()) / 2;
    const int y = (scaled.height() - size.height()) / 2;
    return scaled.copy(x, y, size.width(), size.height());
}

QSize Preferred(const QList<QSize> &offered, const QSize &wanted)
{
    if (offered.isEmpty())
        return QSize();
    if (offered.contains(wanted))
        return wanted;
    const auto area = [](const QSize &s) { return qint64(s.width()) * s.height(); };
    QSize best, largest;
    for (const QSize &s : offered) {
        if (!largest.isValid() || area(s) > area(largest))
            largest = s;
        if (s.width() >= wanted.width() && s.height() >= wanted.height() && (!best.isValid() || area(s) < area(best)))
            best = s;
    }
    return best.isValid() ? best : largest;
}

} // namespace CaptureFrame
