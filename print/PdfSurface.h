#pragma once

#include "print/PagedDeviceSurface.h"

#include <QString>
#include <memory>

class QPdfWriter;

// A vector PDF file. The pages are written to a temporary file beside the
// target, which replaces the target only when the document is complete, so
// a failed or aborted document never leaves a half-written file.
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
    void removeTemporary();

    QString m_path;
    QString m_temporary;
    int m_dpi;
    std::unique_ptr<QPdfWriter> m_writer;
};
