#pragma once

#include <QIcon>

// The pictures of the time clock's "Clock In" and "Clock Out" buttons: a
// clock face with a green arrow going in, or a red one coming out.
namespace ClockButtonIcons {

QIcon ClockIn();
QIcon ClockOut();

} // namespace ClockButtonIcons
