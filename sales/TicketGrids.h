#pragma once

#include "data/Recordset.h"
#include "sales/TicketFigures.h"

#include <QIcon>
#include <QList>

class vbalGrid;

// The columns and rows of the sales window's grids: the ticket list, the
// equipment and labor lines, the payments and the two lookups. Building sets
// the columns at their default widths (the host then reads the saved widths
// with KeepColumnWidths); filling replaces every row.
namespace TicketGrids {

// The window's image list; the "Remove" headers show its icon 9.
QList<QIcon> ImageList();
constexpr int kRemoveIcon = 9;

void BuildTicketList(vbalGrid *grid);      // vbalGridOrders
void BuildEquipmentLines(vbalGrid *grid);  // vbalGrid2
void BuildLaborLines(vbalGrid *grid);      // vbalGrid3
void BuildPayments(vbalGrid *grid);        // vbalPayment
void BuildEquipmentLookup(vbalGrid *grid); // vbalGrid1
void BuildLaborLookup(vbalGrid *grid);     // vbalGrid4

// Rows of "select * from sales": the number (item data: the ticket id), date,
// vehicle, status, and "Remove" on open tickets.
void FillTicketList(vbalGrid *grid, const Recordset &tickets);
// The lines with their running numbers (item data: the line id), extended
// figures, and "Remove" cells when the ticket is open.
void FillEquipmentLines(vbalGrid *grid, const Recordset &lines, const QList<Money> &extended, bool open);
void FillLaborLines(vbalGrid *grid, const Recordset &lines, const QList<Money> &extended, bool open);
void FillPayments(vbalGrid *grid, const Recordset &payments, const QList<PaymentFigure> &figures, bool open);
// Lookup results; item data of column 1: the product or labor id.
void FillEquipmentLookup(vbalGrid *grid, const Recordset &products);
void FillLaborLookup(vbalGrid *grid, const Recordset &labor);

// A stored number as the grids show it unformatted: "2", "2.5", "199.99";
// NULL as one blank.
QString NumberText(const QVariant &value);

} // namespace TicketGrids
