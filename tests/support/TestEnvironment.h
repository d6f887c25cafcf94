#pragma once

#include <QString>

// Every test process runs in a private home: settings, data folder and
// temporary files live in a fresh folder that is removed at exit, the locale
// is pinned to en_US and windows draw offscreen. Call before the
// QCoreApplication is made (the test mains do).
namespace TestEnvironment {

void prepare();
// The private folder of this process.
QString root();

} // namespace TestEnvironment
