#include "catalog/BarcodeView.h"

#include "catalog/modBarCode.h"

#include <QPainter>

BarcodeView::BarcodeView(QWidget *parent) : QWidget(parent)
{
    setCode(QString(), QString());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BarcodeView::setCode(const QString &code, const QString &caption)
{
    m_completed = modBarCode::CompleteCode(code.trimmed());
    m_caption = caption;
    update();
}

QSize BarcodeView::sizeHint() const
{
    return QSize(std::max(300, modBarCode::PictureWidthNeeded(m_completed)), 100);
}

void BarcodeView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QString code = m_completed;
    modBarCode::DrawBarcode(code, painter, size(), m_caption);
}
