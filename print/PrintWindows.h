#pragma once

// Installs the system's printer and the print windows (printer setup before
// a report, the preview after it) as the program's Printer() and Presenter(), and
// removes preview folders that crashed runs left behind. The program calls
// it once at start; without it reports run with no window and no printer.
void InstallPrintWindows();
