#pragma once

#include <QImage>
#include <QList>
#include <QSize>

// The frames of the picture capture window: every employee picture is
// 320 x 240, whatever the camera delivers.
namespace CaptureFrame {

inline constexpr QSize kPictureSize{320, 240};

// The frame at the picture size: scaled to fill it and cut evenly at the
// two sides that overflow, so nothing is stretched. Null for a null frame.
QImage Fit(const QImage &frame, const QSize &size = kPictureSize);

// Of the frame sizes a camera offers, the one to ask for: the wanted size
// when it is offered, else the smallest that covers it, else the largest.
// An empty size when nothing is offered.
QSize Preferred(const QList<QSize> &offered, const QSize &wanted = kPictureSize);

} // namespace CaptureFrame
