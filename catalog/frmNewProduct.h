#pragma once

#include <QDialog>

class ProductDetail;

// "New Product": the product editor in create mode. It closes when the user
// cancels or when the product was saved, having set NewProductId
// (catalog/NewProductId.h) to the new product's id. Opened modally.
class frmNewProduct : public QDialog
{
    Q_OBJECT
public:
    explicit frmNewProduct(QWidget *parent = nullptr);

    ProductDetail *productDetail() const { return ProductDetail1; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    ProductDetail *ProductDetail1;
    bool m_started = false;
};
