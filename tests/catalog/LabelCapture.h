#pragma once

#include "print/PageOps.h"
#include "print/PrintHooks.h"
#include "print/PrintState.h"
#include "print/clsMultiPgPreview.h"

#include <memory>

// Stands in for the preview window while it lives: keeps the document each
// preview would show and whether its recorder was the current one then.
class LabelCapture final : public PrintPresenter
{
public:
    LabelCapture() { SetPrintPresenter(this); }
    ~LabelCapture() override { SetPrintPresenter(nullptr); }

    void showPreview(clsMultiPgPreview &recorder, bool modal, QObject *) override
    {
        document = recorder.sharedDocument();
        recorderWasCurrent = CurrentReportRecorder() == &recorder;
        wasModal = modal;
        ++previews;
    }

    std::shared_ptr<const RecordedDocument> document;
    bool recorderWasCurrent = false;
    bool wasModal = false;
    int previews = 0;
};
