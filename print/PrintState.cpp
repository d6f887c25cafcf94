#include "print/PrintState.h"

namespace {
clsMultiPgPreview *g_current = nullptr;
bool g_setupCancelled = false;
} // namespace

clsMultiPgPreview *CurrentReportRecorder()
{
    return g_current;
}

void SetCurrentReportRecorder(clsMultiPgPreview *recorder)
{
    g_current = recorder;
}

bool PrintSetupCancelled()
{
    return g_setupCancelled;
}

void SetPrintSetupCancelled(bool cancelled)
{
    g_setupCancelled = cancelled;
}
