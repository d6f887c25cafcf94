#pragma once

#include "print/PagedDeviceSurface.h"

#include <QString>
#include <memory>

class QPdfWriter;
class QSaveFile;

// A vector PDF file. The pages are written to a temporary file beside the
// target, which replaces the target only when the document is complete and
// every write reached the disk, so a failed or aborted document, or one cut
// short by a full disk, never leaves a half-written file and the file that
// was there stays as it was.
class PdfSurface final : public PagedDeviceSurface
{
public:
    explicit PdfSurface(const QString &path, int dotsPerInch = 1200);
    ~PdfSurface() override;

    bool begin(const QPageLayout &layout, const QString &title) override;
    bool end() override;
    void abort() override;

private:
    void prepareDevice(const QString &title) override;
    void discard();

    QString m_path;
    int m_dpi;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
};
