#pragma once

#include "print/PageOps.h"
#include "print/PrintPresenter.h"

#include <memory>

// Stands in for the preview window while it lives: keeps the document each
// preview would show.
class LabelCapture final : public PrintPresenter
{
public:
    LabelCapture() { SetPrintPresenter(this); }
    ~LabelCapture() override { SetPrintPresenter(nullptr); }

    void showPreview(std::shared_ptr<const RecordedDocument> shown, bool modal, QObject *) override
    {
        document = std::move(shown);
        wasModal = modal;
        ++previews;
    }

    std::shared_ptr<const RecordedDocument> document;
    bool wasModal = false;
    int previews = 0;
};
