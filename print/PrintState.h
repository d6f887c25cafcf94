#pragma once

class clsMultiPgPreview;

// The program-wide printing state: the recorder of the report being made
// (the preview and the printer setup act on it) and the answer of the last
// printer setup. The printer that lasts for the program run is Printer()
// (PrintHooks.h).

// The current report recorder, or nullptr. A recorder that is destroyed
// stops being current by itself.
clsMultiPgPreview *CurrentReportRecorder();
void SetCurrentReportRecorder(clsMultiPgPreview *recorder);

// True from the moment a printer setup window is made until Preview or
// Print is chosen; the report is abandoned when it is still true.
bool PrintSetupCancelled();
void SetPrintSetupCancelled(bool cancelled);
