#pragma once

#include <functional>

class QWidget;

// Runs `then` once, as the window paints for the first time (inside that
// paint's dispatch: anything long is queued from there, so the paint ends
// first). Work that need not hold up the window, the day's backup, waits
// until the clerk sees it.
void AfterFirstPaint(QWidget *window, std::function<void()> then);

// For the start-up benchmark: with TESSALY_STARTUP_PROBE set, the program
// prints "first paint" on standard output once the window has painted (it is
// then taking input) and ends. Without it, nothing happens.
void WatchFirstPaint(QWidget *window);
