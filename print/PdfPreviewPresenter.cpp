#include "print/PdfPreviewPresenter.h"

#include "data/UserPrompts.h"
#include "print/PageOps.h"

PdfPreviewPresenter::PdfPreviewPresenter(QString path) : m_path(std::move(path))
{ }

void PdfPreviewPresenter::showPreview(std::shared_ptr<const RecordedDocument> document, bool, QObject *)
{
    m_error.clear();
    if (!document->writePdf(m_path, &m_error))
        ReportError(m_error);
}
