// The bar code as a picture on the screen.
#include "catalog/modBarCode.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace modBarCode {

namespace {

// A module is two screen pixels; the bars start 100 twips (7 pixels) in.
constexpr int kModulePixels = 2;
constexpr int kLeftPixels = 7;

} // namespace

int PictureWidthNeeded(const QString &completedCode)
{
    return kLeftPixels + int(Modules(completedCode).size()) * kModulePixels + kLeftPixels;
}

void DrawBarcode(QString &code, QPainter &painter, const QSize &size, const QString &caption)
{
    code = CompleteCode(code);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const int top = int(size.height() * 0.2);
    const int bottom = int(size.height() * 0.8);
    QFont font = painter.font();
    font.setPointSizeF(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const std::optional<Refusal> refusal = CheckCode(code, (size.width() - 2 * kLeftPixels) / kModulePixels);
    if (refusal) {
        // Bars that a reader would take for another code, or cut off, are
        // worse than none: the picture says why there are none.
        const QRect area(kLeftPixels, 0, std::max(0, size.width() - 2 * kLeftPixels), size.height());
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, refusal->text);
        painter.restore();
        return;
    }
    int x = kLeftPixels;
    for (const bool dark : Modules(code)) {
        if (dark)
            painter.fillRect(QRect(x, top, kModulePixels, bottom - top), Qt::black);
        x += kModulePixels;
    }
    const QRect textArea(kLeftPixels, bottom, std::max(0, size.width() - kLeftPixels), size.height() - bottom);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     CodeText(code) + QStringLiteral(" - ") + caption);
    painter.restore();
}

QImage DrawBarcode(QString &code, const QSize &size, const QString &caption)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawBarcode(code, painter, image.size(), caption);
    return image;
}

} // namespace modBarCode
