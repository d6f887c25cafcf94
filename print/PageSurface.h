#pragma once

#include "print/PageOps.h"

#include <QString>
#include <functional>
#include <memory>

// Where the recorder's pages go: a print job, a PDF file, page images, or a
// recording kept for later. Every surface receives the same operations.
class PageSurface
{
public:
    virtual ~PageSurface() = default;

    // Opens the document on its page; false (see errorString) when the
    // device refuses.
    virtual bool begin(const QPageLayout &layout, const QString &title) = 0;
    virtual void draw(const PageOperation &operation) = 0;
    // Ends the page and starts the next one.
    virtual bool newPage() = 0;
    // Finishes the document (the job is sent, the file is complete).
    virtual bool end() = 0;
    // Drops the document: the job is cancelled, no file is left behind.
    virtual void abort() = 0;
    virtual QString errorString() const = 0;
};

// Keeps every operation, page by page, for the preview and for replays.
class RecordingSurface final : public PageSurface
{
public:
    RecordingSurface();

    bool begin(const QPageLayout &layout, const QString &title) override;
    void draw(const PageOperation &operation) override;
    bool newPage() override;
    bool end() override;
    void abort() override;
    QString errorString() const override { return QString(); }

    // The document so far (shared: a preview may keep it after the
    // recorder is gone).
    std::shared_ptr<RecordedDocument> document() const { return m_document; }
    bool finished() const { return m_finished; }

private:
    std::shared_ptr<RecordedDocument> m_document;
    bool m_finished = false;
};

// Sends the given pages (0-based, in order) of a document to a surface as
// one document. progress(i) runs before page i is drawn. False with the
// reason in *error when the surface failed; the surface is then aborted.
bool ReplayPages(const RecordedDocument &document, const QList<int> &pageIndexes, PageSurface &surface,
                 QString *error = nullptr, const std::function<void(int)> &progress = {});
