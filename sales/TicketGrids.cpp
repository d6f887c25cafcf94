#include "sales/TicketGrids.h"

#include "data/DateText.h"
#include "data/NullToSpace.h"
#include "sales/TicketState.h"
#include "widgets/ColumnWidth.h"
#include "widgets/OleColor.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QStyle>

namespace TicketGrids {

namespace {

struct Column
{
    const char *key;
    const char *header;
    int width;
};

// The grid colour of the ticket area's grids.
constexpr qint64 kGridColor = OleColor::Rgb(210, 210, 180);
constexpr int kRight = vbalGrid::DT_RIGHT | vbalGrid::DT_SINGLELINE;

void addColumns(vbalGrid *grid, std::initializer_list<Column> columns)
{
    grid->SetRedrawEnabled(false);
    grid->ClearRows();
    for (const Column &c : columns) {
        const QString header = QLatin1String(c.header);
        grid->AddColumn(QLatin1String(c.key), header, vbalGrid::AlignLeft, -1, ColumnWidthFor(grid, header, c.width));
    }
}

void addRemove(vbalGrid *grid, int width)
{
    grid->AddRemoveColumn(QStringLiteral("action"), QStringLiteral("Remove"), width, kRemoveIcon);
    grid->SetRedrawEnabled(true);
}

void ticketAreaLook(vbalGrid *grid, int rowHeight)
{
    grid->SetDefaultRowHeight(rowHeight);
    grid->SetGridLineColor(kGridColor);
    grid->SetRedrawEnabled(true);
}

QString text(const Recordset &rs, int row, const char *column)
{
    return NullToSpace(rs.value(row, QLatin1String(column)));
}

QString moneyText(const Recordset &rs, int row, const char *column)
{
    return Money::fromVariant(rs.value(row, QLatin1String(column))).format00();
}

// The first cells of a line row: the running number with the line's id.
int startLine(vbalGrid *grid, const Recordset &rs, int row)
{
    const int r = grid->AddRow();
    grid->SetCell(r, 1, QString::number(row + 1), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1,
                  rs.value(row, QStringLiteral("id")).toLongLong());
    return r;
}

template <typename FillRow> void refill(vbalGrid *grid, int rows, FillRow fillRow)
{
    grid->SetRedrawEnabled(false);
    grid->ClearRows();
    for (int row = 0; row < rows; ++row)
        fillRow(row);
    grid->SetRedrawEnabled(true);
}

} // namespace

QList<QIcon> ImageList()
{
    QList<QIcon> icons;
    for (int i = 0; i < kRemoveIcon; ++i)
        icons.append(QIcon());
    icons.append(QApplication::style()->standardIcon(QStyle::SP_TrashIcon));
    return icons;
}

QString NumberText(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral(" ");
    return Money::fromVariant(value).toDbText();
}

void BuildTicketList(vbalGrid *grid)
{
    // The date column takes a whole date and time.
    const QString longest = DateText::generalDate(QDateTime(QDate(2028, 12, 28), QTime(12, 58, 58)));
    const int dateWidth = ColumnWidthFor(grid, longest, 120);
    // A chain's server hands out seven-digit ticket numbers: whole, not "18...".
    const int numberWidth = ColumnWidthFor(grid, QStringLiteral("0000000"), 40);
    addColumns(grid,
               {{"id", "No.", numberWidth},
                {"Date", "Date", dateWidth},
                {"Year", "Year", 40},
                {"Make", "Make", 80},
                {"Model", "Model", 80},
                {"Status", "Status", 50}});
    addRemove(grid, 80);
    grid->SetRowMode(true);
}

void BuildEquipmentLines(vbalGrid *grid)
{
    addColumns(grid,
               {{"no", "No.", 30},
                {"partnumber", "Part Number", 100},
                {"BarCode", "UPC", 100},
                {"modelnumber", "Model Number", 80},
                {"Description", "Description", 250},
                {"quantity", "Quantity", 50},
                {"price", "Price", 50},
                {"extprice", "Ext. Price", 70},
                {"note", "Note", 150}});
    addRemove(grid, 100);
    grid->SetImageList(ImageList());
    grid->SetEditable(true);
    ticketAreaLook(grid, 30);
}

void BuildLaborLines(vbalGrid *grid)
{
    addColumns(grid,
               {{"no", "No.", 30},
                {"Description", "Description", 200},
                {"quantity", "Quantity", 60},
                {"charge", "Charge", 50},
                {"extcharge", "Ext. Charge", 70},
                {"note", "Note", 480}});
    addRemove(grid, 100);
    grid->SetImageList(ImageList());
    grid->SetEditable(true);
    ticketAreaLook(grid, 20);
}

void BuildPayments(vbalGrid *grid)
{
    addColumns(grid,
               {{"no", "No.", 30},
                {"Description", "Description", 200},
                {"Amount", "Amount", 100},
                {"ExtAmount", "Plus Surcharge", 100}});
    addRemove(grid, 100);
    grid->SetImageList(ImageList());
    ticketAreaLook(grid, 20);
}

void BuildEquipmentLookup(vbalGrid *grid)
{
    addColumns(grid,
               {{"category", "Category", 100},
                {"partnumber", "Part Number", 100},
                {"BarCode", "UPC", 100},
                {"modelnumber", "Model Number", 100},
                {"Description", "Description", 300},
                {"Price", "Price", 80},
                {"QOH", "QOH", 45},
                {"Available", "Available", 450}});
    ticketAreaLook(grid, 30);
    grid->SetRowMode(true);
}

void BuildLaborLookup(vbalGrid *grid)
{
    addColumns(grid,
               {{"cat", "Category", 100}, {"Desc", "Description", 300}, {"OURS", "OURS", 100}, {"COG", "COG", 100}});
    ticketAreaLook(grid, 20);
}

void FillTicketList(vbalGrid *grid, const Recordset &tickets)
{
    refill(grid, tickets.rowCount(), [&](int row) {
        const int r = grid->AddRow();
        const qint64 id = tickets.value(row, QStringLiteral("id")).toLongLong();
        grid->SetCell(r, 1, FormatTicketNumber(id), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1, id);
        grid->SetCell(r, 2, DateText::displayGeneral(tickets.value(row, QStringLiteral("saledate"))));
        grid->SetCell(r, 3, text(tickets, row, "year"));
        grid->SetCell(r, 4, text(tickets, row, "make"));
        grid->SetCell(r, 5, text(tickets, row, "model"));
        const QString status = text(tickets, row, "status");
        grid->SetCell(r, 6, status);
        if (TicketStateOf(status) == TicketState::Open)
            grid->SetRemoveCell(r);
    });
}

void FillEquipmentLines(vbalGrid *grid, const Recordset &lines, const QList<Money> &extended, bool open)
{
    refill(grid, lines.rowCount(), [&](int row) {
        const int r = startLine(grid, lines, row);
        grid->SetCell(r, 2, text(lines, row, "partnumber"));
        grid->SetCell(r, 3, text(lines, row, "barcode"));
        grid->SetCell(r, 4, text(lines, row, "modelnumber"));
        grid->SetCell(r, 5, text(lines, row, "description"));
        grid->SetCell(r, 6, NumberText(lines.value(row, QStringLiteral("quantity"))));
        grid->SetCell(r, 7, moneyText(lines, row, "price"), kRight);
        grid->SetCell(r, 8, extended.value(row).format00(), kRight);
        grid->SetCell(r, 9, text(lines, row, "note"));
        if (open)
            grid->SetRemoveCell(r);
    });
}

void FillLaborLines(vbalGrid *grid, const Recordset &lines, const QList<Money> &extended, bool open)
{
    refill(grid, lines.rowCount(), [&](int row) {
        const int r = startLine(grid, lines, row);
        grid->SetCell(r, 2, text(lines, row, "description"));
        grid->SetCell(r, 3, NumberText(lines.value(row, QStringLiteral("quantity"))));
        grid->SetCell(r, 4, moneyText(lines, row, "charge"), kRight);
        grid->SetCell(r, 5, extended.value(row).format00(), kRight);
        grid->SetCell(r, 6, text(lines, row, "note"));
        if (open)
            grid->SetRemoveCell(r);
    });
}

void FillPayments(vbalGrid *grid, const Recordset &payments, const QList<PaymentFigure> &figures, bool open)
{
    refill(grid, payments.rowCount(), [&](int row) {
        const int r = startLine(grid, payments, row);
        grid->SetCell(r, 2, text(payments, row, "description"));
        const PaymentFigure figure = figures.value(row);
        grid->SetCell(r, 3, figure.amount.format00(), kRight);
        if (figure.withSurcharge)
            grid->SetCell(r, 4, figure.withSurcharge->format00(), kRight, -1, OleColor::Yellow, OleColor::Red);
        else
            grid->SetCell(r, 4, QString(), kRight);
        if (open)
            grid->SetRemoveCell(r);
    });
}

void FillEquipmentLookup(vbalGrid *grid, const Recordset &products)
{
    refill(grid, products.rowCount(), [&](int row) {
        const int r = grid->AddRow();
        grid->SetCell(r, 1, text(products, row, "category"), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1,
                      products.value(row, QStringLiteral("id")).toLongLong());
        grid->SetCell(r, 2, text(products, row, "partnumber"));
        grid->SetCell(r, 3, text(products, row, "barcode"));
        grid->SetCell(r, 4, text(products, row, "modelnumber"));
        grid->SetCell(r, 5, text(products, row, "description"), vbalGrid::Wrapped);
        grid->SetCell(r, 6, NumberText(products.value(row, QStringLiteral("price"))));
        grid->SetCell(r, 7, NumberText(products.value(row, QStringLiteral("qoh"))));
        grid->SetCell(r, 8, NumberText(products.value(row, QStringLiteral("available"))));
    });
}

void FillLaborLookup(vbalGrid *grid, const Recordset &labor)
{
    refill(grid, labor.rowCount(), [&](int row) {
        const int r = grid->AddRow();
        grid->SetCell(r, 1, text(labor, row, "category"), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1,
                      labor.value(row, QStringLiteral("id")).toLongLong());
        grid->SetCell(r, 2, text(labor, row, "description"));
        grid->SetCell(r, 3, NumberText(labor.value(row, QStringLiteral("ours"))));
        grid->SetCell(r, 4, NumberText(labor.value(row, QStringLiteral("cog"))));
    });
}

} // namespace TicketGrids
