#pragma once

#include <QString>
#include <array>

// The boxes of the product editor, in the order of the form, with the
// product column each one edits.
enum class ProductField { Barcode, Category, Description, Cost, Msrp, Price, ModelNumber, PartNumber, Qoh, Gm };

constexpr int ProductFieldCount = 10;

// Every field of the form.
constexpr std::array<ProductField, ProductFieldCount> AllProductFields = {
    ProductField::Barcode, ProductField::Category,    ProductField::Description, ProductField::Cost, ProductField::Msrp,
    ProductField::Price,   ProductField::ModelNumber, ProductField::PartNumber,  ProductField::Qoh,  ProductField::Gm};

// The texts of one product as the editor shows them (or as the user typed
// them for a new one), one per field.
struct ProductTexts
{
    std::array<QString, ProductFieldCount> text;

    QString &operator[](ProductField f) { return text[size_t(f)]; }
    const QString &operator[](ProductField f) const { return text[size_t(f)]; }
};
