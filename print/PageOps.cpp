#include "print/PageOps.h"

#include "print/PdfSurface.h"

#include <numeric>

namespace {

template <class T> QList<T> opsOfKind(const QList<PageOperation> &operations)
{
    QList<T> out;
    for (const PageOperation &operation : operations) {
        if (const T *op = std::get_if<T>(&operation))
            out.append(*op);
    }
    return out;
}

} // namespace

QList<PageOp::Text> RecordedPage::texts() const
{
    return opsOfKind<PageOp::Text>(operations);
}

QList<PageOp::Line> RecordedPage::lines() const
{
    return opsOfKind<PageOp::Line>(operations);
}

QList<PageOp::Box> RecordedPage::boxes() const
{
    return opsOfKind<PageOp::Box>(operations);
}

QList<PageOp::Ellipse> RecordedPage::ellipses() const
{
    return opsOfKind<PageOp::Ellipse>(operations);
}

QList<PageOp::Picture> RecordedPage::pictures() const
{
    return opsOfKind<PageOp::Picture>(operations);
}

QStringList RecordedPage::textStrings() const
{
    QStringList out;
    for (const PageOp::Text &text : texts())
        out.append(text.text);
    return out;
}

std::optional<PageOp::Text> RecordedPage::findText(const QString &part) const
{
    for (const PageOp::Text &text : texts()) {
        if (text.text.contains(part))
            return text;
    }
    return std::nullopt;
}

double RecordedDocument::pageWidth() const
{
    return layout.paintRect(QPageLayout::Inch).width();
}

double RecordedDocument::pageHeight() const
{
    return layout.paintRect(QPageLayout::Inch).height();
}

bool RecordedDocument::writePdf(const QString &path, QString *error) const
{
    QList<int> all(pages.size());
    std::iota(all.begin(), all.end(), 0);
    PdfSurface pdf(path);
    return ReplayPages(*this, all, pdf, error);
}

QPageLayout DefaultPageLayout(int orientation)
{
    return QPageLayout(QPageSize(QPageSize::Letter), orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}
