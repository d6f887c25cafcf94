#include "catalog/frmNewProduct.h"

#include "catalog/NewProductId.h"
#include "catalog/ProductDetail.h"

#include <QVBoxLayout>

frmNewProduct::frmNewProduct(QWidget *parent) : QDialog(parent), ProductDetail1(new ProductDetail(this))
{
    setObjectName(QStringLiteral("frmNewProduct"));
    setWindowTitle(QStringLiteral("New Product"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ProductDetail1);
    resize(560, 560);
    connect(ProductDetail1, &ProductDetail::CancelNew, this, &QDialog::reject);
    connect(ProductDetail1, &ProductDetail::ProductCreated, this, [this](int id) {
        SetNewProductId(id);
        accept();
    });
}

void frmNewProduct::showEvent(QShowEvent *event)
{
    if (!m_started) {
        m_started = true;
        ProductDetail1->CreateNew();
    }
    QDialog::showEvent(event);
}
