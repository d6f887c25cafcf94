#pragma once

#include "print/PageOps.h"
#include "print/PreviewFolder.h"

#include <QImage>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

// The page images of one preview. A page is rendered from the recorded
// document the first time it is asked for and kept as "PPview" & n & ".bmp"
// (n from 0) in the preview's private folder, so the disk holds only pages
// that were looked at, and of those only the most recent few (a page image
// is about 10 MB; an older one is rendered again when it is wanted). A few
// recent images stay in memory.
class PageImageStore
{
public:
    static constexpr int DefaultDotsPerInch = 200;
    static constexpr int PageFilesKept = 12;

    explicit PageImageStore(std::shared_ptr<const RecordedDocument> document, int dotsPerInch = DefaultDotsPerInch);

    bool isValid() const { return m_folder.isValid(); }
    QString errorString() const { return m_folder.errorString(); }

    const RecordedDocument &document() const { return *m_document; }
    std::shared_ptr<const RecordedDocument> sharedDocument() const { return m_document; }
    int pageCount() const { return int(m_document->pages.size()); }
    int dotsPerInch() const { return m_dpi; }

    QString folder() const { return m_folder.path(); }
    // folder & "/PPview" & index & ".bmp"
    QString pageFile(int index) const;
    static QString pageFileName(int index);

    // The image of a page. When its page file can't be written the reason
    // is in *saveError; the image returned is still that page's.
    QImage page(int index, QString *saveError = nullptr);

    // Bytes of page files on disk.
    qint64 diskBytes() const;

    // Copies every page as base & (n + 1) & ".bmp" into a folder, the base
    // being the report title (or "PPview" for an empty title, one that holds
    // a folder separator, or one the file system refuses). progress(n) runs
    // before page n. Refuses the preview's own folder. False with the
    // reason in *error.
    bool copyAllTo(const QString &targetFolder, const QString &reportTitle, QString *error,
                   const std::function<void(int)> &progress = {});
    static QString copyBaseName(const QString &reportTitle);

    // Removes the folder and its page files (also done on destruction).
    void removeFiles();

private:
    QImage render(int index) const;
    bool copyPage(int index, const QString &target, QString *error);
    void remember(int index, const QImage &image);
    void keepFile(int index);

    std::shared_ptr<const RecordedDocument> m_document;
    int m_dpi;
    PreviewFolder m_folder;
    QList<QPair<int, QImage>> m_recent; // most recent first
    QList<int> m_files;                 // pages with a file, most recent first
};
