#pragma once

#include "print/PrintPresenter.h"

#include <QString>

// Writes every previewed document to one PDF file instead of showing it,
// for runs that have no one to look at a window.
class PdfPreviewPresenter final : public PrintPresenter
{
public:
    explicit PdfPreviewPresenter(QString path);
    void showPreview(std::shared_ptr<const RecordedDocument> document, bool modal, QObject *owner) override;
    QString lastError() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};
