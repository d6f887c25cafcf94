#pragma once

#include "catalog/ProductRecord.h"

#include <QVariant>
#include <QWidget>
#include <array>
#include <optional>

class BarcodeView;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The product record editor: every box edits one column of one product. A
// text box is written as the user types. A numeric box (cost, MSRP, price,
// QOH, GM) is written when it is left or Enter is pressed, so another counter
// never sells at a half-typed price; QOH is written as the difference from
// the number this editor showed, so a sale at another counter meanwhile is
// not undone, and the box then shows the stored quantity. Text that is not a
// number is shown as wrong while typed (no message at a keystroke); a box
// left with it gets back the stored value, and a message says so. A product
// deleted at another counter is said so, and nothing is written. The bar
// code is drawn with its caption and printed as a label with "Print UPC". In
// create mode (CreateNew) nothing is written until "Save New Item" inserts
// the product.
class ProductDetail : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int productid READ productid WRITE setProductid)
public:
    explicit ProductDetail(QWidget *parent = nullptr);

    // Shows a product (empty boxes with QOH and GM "0" when there is none).
    void LoadProduct(int productid);
    // The empty form of a new product, with "Confirm New Product" shown.
    void CreateNew();

    int productid() const { return m_productid; }
    void setProductid(int id) { LoadProduct(id); }

    bool isCreating() const;
    // The box of a field (for the host's focus and for tests).
    QLineEdit *box(ProductField field) const { return m_boxes[size_t(field)]; }
    // True when a numeric box holds text that is not a number.
    bool isShownAsWrong(ProductField field) const;
    BarcodeView *barcodePicture() const { return Picture1; }

signals:
    // A field was written.
    void ProductUpdate();
    // Create mode was cancelled.
    void CancelNew();
    // A new product was inserted with this id.
    void ProductCreated(int productid);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildFields(QWidget *panel);
    void buildPictures(QWidget *panel);
    QLineEdit *addBox(ProductField field, const char *name);
    void boxEdited(ProductField field);
    void showAsWrong(ProductField field, bool wrong);
    void settleEdit(ProductField field);
    bool writeBox(ProductField field);
    void productGone();
    void settleEdits();
    void refreshPicture();
    ProductTexts typedTexts() const;

    void onSaveNew();
    void onCancelNew();
    void onPrintUpc();

    QWidget *picProductDetail = nullptr;
    std::array<QLineEdit *, ProductFieldCount> m_boxes{};
    BarcodeView *Picture1 = nullptr;
    QPushButton *Command2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdCreateNew = nullptr;
    QFrame *Picture2 = nullptr;

    int m_productid = 0;
    bool m_loading = false;
    // What each box showed as stored (at the load, or after its last write):
    // a numeric box whose text still is that has nothing to write.
    ProductTexts m_shown;
};
