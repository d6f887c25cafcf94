#pragma once

// Installs the system's printer and the print windows (printer setup before
// a report, the preview after it) as the program's printing hooks. The
// program calls it once at start; without it reports run with no window and
// no printer.
void InstallPrintWindows();
