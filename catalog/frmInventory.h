#pragma once

#include <QWidget>

class ProductDetail;
class QLabel;
class QPushButton;
class Splitter;
class vbalGrid;

// "Store Inventory": every product with its stock and price, and beside it,
// on a splitter, the product editor for the product picked in the list.
// New Item opens the New Product window; Print Labels prints bar-code
// labels by the sheet; the Remove cell deletes a product
// after a question; Print List prints the inventory report. Column widths,
// the split and the window's size and place are kept. Not modal: it may
// stay open beside the sales window.
class frmInventory : public QWidget
{
    Q_OBJECT
public:
    explicit frmInventory(QWidget *parent = nullptr);

    // Reads the list again from the database.
    void FillList();

    vbalGrid *grid() const { return vbalGrid1; }
    ProductDetail *productDetail() const { return ProductDetail1; }
    Splitter *splitter() const { return Splitter1; }
    // The product shown in the editor (0 when none).
    int shownProductId() const { return m_productId; }
    // The list row of a product, 0 when it is not listed.
    int rowOfProduct(int productId) const;

    // The buttons' actions.
    void NewItem();
    void PrintList();
    // Print Labels: the choice in a small window, then the labels.
    void PrintLabels();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The columns the window reads back: the id rides on the first.
    static constexpr int kIdColumn = 1;
    static constexpr int kModelColumn = 2;
    static constexpr int kDescriptionColumn = 3;

    QWidget *buildList();
    void addColumns();
    void loadWindow();
    void pickRow(int row);
    void showProduct(int productId);
    void onMouseUp(int button, int shift, int x, int y);
    void onSplitterResize();

    Splitter *Splitter1;
    QWidget *picList = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdLabels = nullptr;
    QPushButton *cmdRefreshList = nullptr;
    QPushButton *cmdNew = nullptr;
    vbalGrid *vbalGrid1 = nullptr;
    ProductDetail *ProductDetail1;

    int m_productId = 0;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_filling = false;
};
