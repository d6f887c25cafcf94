#pragma once

#include "catalog/ProductLabels.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QRadioButton;
class QSpinBox;

// "Print Labels": which products get labels (those picked in the list, or
// every product), on which sheet, from which label of it, and how many each.
// Opened modally by the inventory window, which prints what was chosen. The
// sheet and the count are kept for the next time when the labels are
// printed.
class frmPrintLabels : public QDialog
{
    Q_OBJECT
public:
    // pickedNames are the products picked in the list, none when none is.
    explicit frmPrintLabels(const QStringList &pickedNames, QWidget *parent = nullptr);

    bool allProducts() const;
    ProductLabels::Choice choice() const;
    void accept() override;

private:
    void sheetChanged();
    void remember();

    QRadioButton *optSelected;
    QRadioButton *optAll;
    QComboBox *cboSheet;
    QSpinBox *spnStart;
    QRadioButton *optOne;
    QRadioButton *optOnHand;
};
