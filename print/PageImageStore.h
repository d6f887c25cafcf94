#pragma once

#include "print/PageOps.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

// The page images of one preview, drawn from the recorded document each
// time a page is asked for. A page of text is drawn in a few milliseconds,
// where writing its image to a file, even as a fast-compressed PNG, takes
// tens of milliseconds more than that and reading it back more than the
// drawing again; so no page is written to disk and none is kept in memory
// beyond the one asked for. A page looked at costs nothing that the
// recording, which printing and the PDF need anyway, does not already
// hold, and it is the same picture each time it is drawn.
class PageImageStore
{
public:
    static constexpr int DefaultDotsPerInch = 200;

    explicit PageImageStore(std::shared_ptr<const RecordedDocument> document, int dotsPerInch = DefaultDotsPerInch);

    const RecordedDocument &document() const { return *m_document; }
    int pageCount() const { return int(m_document->pages.size()); }
    int dotsPerInch() const { return m_dpi; }

    // The image of a page (a null image for a page that does not exist).
    QImage page(int index) const;

    // Copies every page as a bitmap file base & (n + 1) & ".bmp" into a
    // folder, the base being the report title (or "PPview" for an empty
    // title, one that holds a folder separator, or one the file system
    // refuses). progress(n) runs before page n. False with the reason in
    // *error.
    bool copyAllTo(const QString &targetFolder, const QString &reportTitle, QString *error,
                   const std::function<void(int)> &progress = {}) const;
    static QString copyBaseName(const QString &reportTitle);

private:
    std::shared_ptr<const RecordedDocument> m_document;
    int m_dpi;
};
