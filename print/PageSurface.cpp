#include "print/PageSurface.h"

RecordingSurface::RecordingSurface() : m_document(std::make_shared<RecordedDocument>())
{ }

bool RecordingSurface::begin(const QPageLayout &layout, const QString &title)
{
    m_document = std::make_shared<RecordedDocument>();
    m_document->layout = layout;
    m_document->title = title;
    m_document->pages.append(RecordedPage());
    m_finished = false;
    return true;
}

void RecordingSurface::draw(const PageOperation &operation)
{
    if (m_document->pages.isEmpty())
        m_document->pages.append(RecordedPage());
    m_document->pages.last().operations.append(operation);
}

bool RecordingSurface::newPage()
{
    m_document->pages.append(RecordedPage());
    return true;
}

bool RecordingSurface::end()
{
    m_finished = true;
    return true;
}

void RecordingSurface::abort()
{
    m_document->pages.clear();
    m_document->sheets.clear();
    m_finished = false;
}

bool ReplayPages(const RecordedDocument &document, const QList<int> &pageIndexes, PageSurface &surface, QString *error,
                 const std::function<void(int)> &progress)
{
    auto fail = [&] {
        if (error)
            *error = surface.errorString();
        surface.abort();
        return false;
    };
    if (!surface.begin(document.layout, document.title))
        return fail();
    bool first = true;
    for (int index : pageIndexes) {
        if (index < 0 || index >= document.pages.size())
            continue;
        if (progress)
            progress(index);
        if (!first && !surface.newPage())
            return fail();
        first = false;
        for (const PageOperation &operation : document.pages.at(index).operations)
            surface.draw(operation);
    }
    if (!surface.end())
        return fail();
    return true;
}
