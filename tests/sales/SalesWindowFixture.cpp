#include "tests/sales/SalesWindowFixture.h"

#include "customers/CustomerInfo.h"
#include "sales/TicketArea.h"
#include "sales/TicketTotals.h"
#include "sales/frmSales.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

void SalesWindowTest::SetUp()
{
    TESSALY_USE_FRESH_DATABASE(GetParam());
    openWindow();
}

void SalesWindowTest::TearDown()
{
    if (window)
        window->close();
    window.reset();
}

void SalesWindowTest::openWindow()
{
    if (window)
        window->close();
    window = std::make_unique<frmSales>();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void SalesWindowTest::openTicket(int customerId, int salesId)
{
    window->customerInfo()->LoadCustomerInfo(customerId);
    vbalGrid *list = grid("vbalGridOrders");
    for (int row = 1; row <= list->RowCount(); ++row) {
        if (list->CellItemData(row, 1) == salesId) {
            doubleClickCell(list, row, 1);
            break;
        }
    }
    ASSERT_EQ(window->salesid(), salesId);
}

vbalGrid *SalesWindowTest::grid(const char *name) const
{
    return child<vbalGrid>(name);
}

void SalesWindowTest::scan(const QString &code)
{
    auto *box = child<QLineEdit>("txtScan");
    box->setFocus();
    QTest::keyClicks(box, code);
    QTest::keyClick(box, Qt::Key_Return);
}

void SalesWindowTest::clickButton(const char *name)
{
    QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
}

namespace {
QPoint cellCentre(vbalGrid *grid, int row, int col)
{
    return grid->view()->viewport()->mapFrom(grid, grid->CellRect(row, col).center());
}
} // namespace

void SalesWindowTest::clickCell(vbalGrid *grid, int row, int col)
{
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, col));
    settle();
}

void SalesWindowTest::doubleClickCell(vbalGrid *grid, int row, int col)
{
    const QPoint at = cellCentre(grid, row, col);
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, at);
    settle();
}

void SalesWindowTest::editCell(vbalGrid *grid, int row, int col, const QString &text)
{
    grid->SetSelectedCell(row, col);
    grid->view()->setFocus();
    QTest::keyClick(grid->view(), Qt::Key_F2);
    QWidget *box = QApplication::focusWidget();
    ASSERT_EQ(box, child<QLineEdit>("txtEdit")) << "the edit box is over the cell";
    auto *edit = static_cast<QLineEdit *>(box);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
}

void SalesWindowTest::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QString SalesWindowTest::totalText(int box) const
{
    return window->ticketArea()->totals()->boxText(TicketTotals::Box(box));
}
