#pragma once

class QWidget;

// For the start-up benchmark: with TESSALY_STARTUP_PROBE set, the program
// prints "first paint" on standard output once the window has painted (it is
// then taking input) and ends. Without it, nothing happens.
void WatchFirstPaint(QWidget *window);
