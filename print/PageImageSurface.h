#pragma once

#include "print/PageSurface.h"

#include <QImage>
#include <QPainter>
#include <functional>

// Pages as images: each page is painted on a white image of the printable
// area at the given resolution and handed over when it is finished.
class PageImageSurface final : public PageSurface
{
public:
    // pageDone(index, image) receives every finished page; returning false
    // (with a reason in *error) stops the document.
    using PageDone = std::function<bool(int index, const QImage &image, QString *error)>;

    PageImageSurface(int dotsPerInch, PageDone pageDone);
    ~PageImageSurface() override;

    bool begin(const QPageLayout &layout, const QString &title) override;
    void draw(const PageOperation &operation) override;
    bool newPage() override;
    bool end() override;
    void abort() override;
    QString errorString() const override { return m_error; }

    // A blank page image of a layout's printable area.
    static QImage blankPage(const QPageLayout &layout, int dotsPerInch);

private:
    bool finishPage();
    void startPage();

    int m_dpi;
    PageDone m_pageDone;
    QPageLayout m_layout;
    QImage m_image;
    QPainter m_painter;
    int m_index = 0;
    QString m_error;
};

// The image of one recorded page (a null image for a page that does not
// exist).
QImage RenderPageImage(const RecordedDocument &document, int index, int dotsPerInch);
