#pragma once

#include "data/Recordset.h"

// What the inventory report prints: every product of vw_product_available
// by category, then model number (case-blind, a missing one as empty), with
// the columns category, modelnumber, description, qoh, msrp, price, cost,
// gm, reserve and available.
struct InventoryData
{
    Recordset rows;

    // Throws ReportFailure when the products cannot be read.
    static InventoryData read();
};
