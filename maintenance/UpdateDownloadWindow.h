#pragma once

#include "maintenance/UpdateDownload.h"

class QWidget;

// "Get Update": runs the download off the window's thread with a progress
// window (which can cancel it), then says "New Files Downloaded" when the
// file arrived whole, or why not. Returns the download's result.
UpdateDownload::Result RunUpdateDownload(
    QWidget *owner, const UpdateDownload::Settings &settings = UpdateDownload::FromSettingsStore());
