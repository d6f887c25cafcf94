#pragma once

#include <QString>

// A small demo shop: a dozen customers, thirty products with bar codes, ten
// labor items, four employees (one "admin") and a few open and closed
// tickets, dated around today. Only ever put into a database that was asked
// for as a demo; a shop's own database starts empty but for the State codes.
namespace DemoShop {

// Fills an empty database through the open connection; does nothing (and
// returns true) when it holds customers already. False after a failure.
bool Fill();

// Whether an embedded database file holds the demo shop (read without
// writing anything to it).
bool IsDemoFile(const QString &file);

} // namespace DemoShop
