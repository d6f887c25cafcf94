// The grid every list window uses: 1-based rows and columns, cells with item
// data and old-style colours, sorting, the Remove cell, column widths kept in
// the settings store, the events and in-place editing through a host's box.
#include "data/Settings.h"
#include "widgets/OleColor.h"
#include "widgets/VbInput.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setObjectName(QStringLiteral("frmTest"));
        window.resize(600, 300);
        grid = new vbalGrid(&window);
        grid->setObjectName(QStringLiteral("vbalGrid2"));
        grid->setGeometry(0, 0, 600, 300);
        grid->AddColumn(QStringLiteral("no"), QStringLiteral("No."), vbalGrid::AlignLeft, -1, 40);
        grid->AddColumn(QStringLiteral("Description"), QStringLiteral("Description"), vbalGrid::AlignLeft, -1, 200);
        grid->AddColumn(QStringLiteral("quantity"), QStringLiteral("Quantity"), vbalGrid::AlignRight, -1, 60);
        grid->AddRemoveColumn(QStringLiteral("action"), QStringLiteral("Remove"), 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void addRows(const QStringList &descriptions)
    {
        for (const QString &d : descriptions) {
            const int r = grid->AddRow();
            grid->SetCell(r, 1, QString::number(r), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1, 1000 + r);
            grid->SetCell(r, 2, d);
            grid->SetCell(r, 3, QStringLiteral("1"), vbalGrid::DT_RIGHT);
            grid->SetRemoveCell(r);
        }
    }

    QPoint cellCentre(int row, int col) const
    {
        return grid->view()->viewport()->mapFrom(grid, grid->CellRect(row, col).center());
    }

    void click(int row, int col)
    {
        QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(row, col));
    }

    QWidget window;
    vbalGrid *grid = nullptr;
};

TEST_F(GridTest, ColumnsAndCellsAreNumberedFromOne)
{
    addRows({QStringLiteral("Amplifier"), QStringLiteral("Speaker")});
    EXPECT_EQ(grid->ColumnCount(), 4);
    EXPECT_EQ(grid->ColumnKeyAt(3).toUpper(), QStringLiteral("QUANTITY"));
    EXPECT_EQ(grid->ColumnIndex(QStringLiteral("DESCRIPTION")), 2);
    EXPECT_EQ(grid->RemoveColumn(), 4);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->CellValue(2, 2), QStringLiteral("Speaker"));
    EXPECT_EQ(grid->CellItemData(2, 1), 1002);
    // Nothing at row or column 0, nor past the end, and no crash.
    EXPECT_EQ(grid->CellValue(0, 1), QString());
    EXPECT_EQ(grid->CellValue(3, 1), QString());
    grid->SetCell(0, 1, QStringLiteral("x"));
    grid->SetCell(1, 9, QStringLiteral("x"));
    EXPECT_TRUE(grid->CellRect(5, 1).isNull());

    // Item data is wider than the old 16 bits; row counts too.
    grid->SetCellItemData(1, 1, 5000000000LL);
    EXPECT_EQ(grid->CellItemData(1, 1), 5000000000LL);
    grid->ClearRows();
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_EQ(grid->ColumnCount(), 4);
}

TEST_F(GridTest, ABulkLoadOfManyRowsShowsThemAllAtTheEnd)
{
    grid->SetRedrawEnabled(false);
    EXPECT_FALSE(grid->RedrawEnabled());
    for (int r = 1; r <= 70000; ++r) {
        grid->SetRowCount(r);
        grid->SetCell(r, 1, QString::number(r), vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1, r);
    }
    grid->SetRedrawEnabled(true);
    EXPECT_EQ(grid->view()->model()->rowCount(), 70000);
    EXPECT_EQ(grid->CellItemData(70000, 1), 70000);
    grid->EnsureVisible(69999);
    grid->SetSelectedRow(69999);
    EXPECT_EQ(grid->SelectedRow(), 69999);
}

TEST_F(GridTest, ColoursArriveAsTheOldNumbers)
{
    EXPECT_EQ(OleColor::ToQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(OleColor::ToQColor(65535), QColor(255, 255, 0));
    EXPECT_EQ(OleColor::ToQColor(65280), QColor(0, 255, 0));
    EXPECT_EQ(OleColor::ToQColor(16711680), QColor(0, 0, 255));
    EXPECT_EQ(OleColor::ToQColor(OleColor::Rgb(210, 210, 180)), QColor(210, 210, 180));
    EXPECT_FALSE(OleColor::ToQColor(-1).isValid());

    addRows({QStringLiteral("Amplifier")});
    grid->SetCell(1, 2, QStringLiteral("Low stock"), vbalGrid::OneLine, -1, 65535, 255);
    const QModelIndex cell = grid->view()->model()->index(0, 1);
    EXPECT_EQ(cell.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_EQ(cell.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 0));
    EXPECT_EQ(grid->CellForeColor(1, 2), 255);

    // The Remove cell: the word, centred, red.
    const QModelIndex remove = grid->view()->model()->index(0, 3);
    EXPECT_EQ(remove.data().toString(), QStringLiteral("Remove"));
    EXPECT_TRUE(remove.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHCenter);
    EXPECT_EQ(remove.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
}

TEST_F(GridTest, SortByColumnOrdersTextWithoutCaseAndKeepsRowsTogether)
{
    addRows({QStringLiteral("speaker"), QStringLiteral("Amplifier"), QStringLiteral("Remote start"),
             QStringLiteral("alarm")});
    grid->SortByColumn(2, vbalGrid::SortAscending);
    QStringList order;
    for (int r = 1; r <= 4; ++r)
        order << grid->CellValue(r, 2);
    EXPECT_EQ(order, (QStringList{"alarm", "Amplifier", "Remote start", "speaker"}));
    EXPECT_EQ(grid->CellItemData(1, 1), 1004); // alarm was the fourth row
    grid->SortByColumn(2, vbalGrid::SortDescending);
    EXPECT_EQ(grid->CellValue(1, 2), QStringLiteral("speaker"));
    EXPECT_EQ(grid->CellItemData(1, 1), 1001);
}

TEST_F(GridTest, HiddenRowsKeepTheirNumbersAndNeverShowOrSelect)
{
    addRows({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")});
    grid->ShowOnlyRows({4, 2});
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->VisibleRowCount(), 2);
    EXPECT_EQ(grid->VisibleRows(), (std::vector<int>{2, 4}));
    EXPECT_TRUE(grid->CellRect(3, 2).isNull());
    EXPECT_EQ(grid->CellValue(3, 2), QStringLiteral("c")); // hidden, still there

    QSignalSpy dbl(grid, &vbalGrid::DblClick);
    const QRect second = grid->CellRect(4, 2); // shown second, still row 4
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {},
                       grid->view()->viewport()->mapFrom(grid, second.center()));
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl[0][0].toInt(), 4);
    EXPECT_EQ(grid->SelectedRow(), 4);
    grid->SetSelectedRow(3);
    EXPECT_EQ(grid->SelectedRow(), 0);

    // Sorting moves hidden rows too; new rows show.
    grid->SortByColumn(2, vbalGrid::SortDescending);
    EXPECT_EQ(grid->CellValue(1, 2), QStringLiteral("e"));
    EXPECT_EQ(grid->VisibleRows(), (std::vector<int>{2, 4})); // "d" and "b" now
    EXPECT_EQ(grid->CellValue(2, 2), QStringLiteral("d"));
    const int added = grid->AddRow();
    EXPECT_TRUE(grid->RowVisible(added));
    grid->SetRowVisible(2, false);
    EXPECT_EQ(grid->VisibleRows(), (std::vector<int>{4, 6}));
    grid->ShowAllRows();
    EXPECT_EQ(grid->VisibleRowCount(), 6);
    grid->ShowOnlyRows({1});
    grid->ClearRows();
    grid->AddRow();
    EXPECT_EQ(grid->VisibleRowCount(), 1);
}

TEST_F(GridTest, ColumnWidthsAreKeptUnderColNInTheWindowsSection)
{
    Settings::save(QStringLiteral("frmTest"), QStringLiteral("vbalGrid2.Col_2"), QStringLiteral("333"));
    grid->KeepColumnWidths();
    EXPECT_EQ(grid->ColumnWidth(2), 333);
    EXPECT_EQ(grid->ColumnWidth(3), 60); // nothing saved: the width it was added with

    QSignalSpy resized(grid, &vbalGrid::ColumnResized);
    grid->view()->horizontalHeader()->resizeSection(3, 120); // as a drag would
    ASSERT_EQ(resized.count(), 1);
    EXPECT_EQ(resized[0][0].toInt(), 4);
    EXPECT_EQ(resized[0][1].toInt(), 120);
    EXPECT_EQ(Settings::get(QStringLiteral("frmTest"), QStringLiteral("vbalGrid2.Col_4")), QStringLiteral("120"));

    // A handler may refuse a width.
    QObject::connect(grid, &vbalGrid::ColumnResized, grid, [](int col, int, bool *cancel) { *cancel = col == 1; });
    grid->view()->horizontalHeader()->resizeSection(0, 90);
    EXPECT_EQ(grid->ColumnWidth(1), 40);
    EXPECT_FALSE(Settings::contains(QStringLiteral("frmTest"), QStringLiteral("vbalGrid2.Col_1")));
}

TEST_F(GridTest, MouseEventsReportGridPixelsAndTheRemoveCellIsHitOnlyWhereItShows)
{
    addRows({QStringLiteral("Amplifier"), QStringLiteral("Speaker")});
    QSignalSpy selection(grid, &vbalGrid::SelectionChange);
    QSignalSpy up(grid, &vbalGrid::MouseUp);
    click(2, 4);
    ASSERT_GE(selection.count(), 1);
    EXPECT_EQ(selection.last()[0].toInt(), 2);
    EXPECT_EQ(selection.last()[1].toInt(), 4);
    ASSERT_EQ(up.count(), 1);
    const int button = up[0][0].toInt();
    const int x = up[0][2].toInt();
    const int y = up[0][3].toInt();
    EXPECT_EQ(button, VbInput::LeftButton);
    EXPECT_TRUE(grid->CellRect(2, 4).contains(x, y));
    EXPECT_EQ(grid->RemoveCellHit(button, x, y), 2);
    EXPECT_EQ(grid->RemoveCellHit(VbInput::RightButton, x, y), 0);
    const QPoint description = grid->CellRect(2, 2).center();
    EXPECT_EQ(grid->RemoveCellHit(button, description.x(), description.y()), 0);
    // A row without the word (a closed ticket) has nothing to hit.
    grid->SetCellValue(2, 4, QString());
    EXPECT_EQ(grid->RemoveCellHit(button, x, y), 0);
}

TEST_F(GridTest, DoubleClickAndHeaderClickNameTheirCell)
{
    addRows({QStringLiteral("Amplifier"), QStringLiteral("Speaker")});
    QSignalSpy dbl(grid, &vbalGrid::DblClick);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(2, 3));
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl[0][0].toInt(), 2);
    EXPECT_EQ(dbl[0][1].toInt(), 3);

    QSignalSpy header(grid, &vbalGrid::ColumnClick);
    QHeaderView *h = grid->view()->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(1) + 10, 5));
    ASSERT_EQ(header.count(), 1);
    EXPECT_EQ(header[0][0].toInt(), 2);
}

TEST_F(GridTest, AKeyDownHandlerCanStopTheGridsOwnHandling)
{
    addRows({QStringLiteral("Amplifier"), QStringLiteral("Speaker")});
    grid->SetSelectedRow(1);
    grid->setFocus();
    QObject::connect(grid, &vbalGrid::KeyDown, grid, [](int key, int, bool *doDefault) {
        if (key == VbInput::KeyDown)
            *doDefault = false;
    });
    QTest::keyClick(grid->view(), Qt::Key_Down);
    EXPECT_EQ(grid->SelectedRow(), 1);
    QSignalSpy press(grid, &vbalGrid::KeyPress);
    QTest::keyClick(grid->view(), Qt::Key_A);
    ASSERT_EQ(press.count(), 1);
    EXPECT_EQ(press[0][0].toInt(), int('a'));
}

TEST_F(GridTest, OneEditBoxServesTwoGrids)
{
    addRows({QStringLiteral("Amplifier")});
    auto *other = new vbalGrid(&window);
    other->setGeometry(0, 150, 600, 150);
    other->AddColumn(QStringLiteral("note"), QStringLiteral("Note"), vbalGrid::AlignLeft, -1, 200);
    other->AddRow();
    other->show();
    QLineEdit box; // nobody's child: the grid in use takes it
    for (vbalGrid *g : {grid, other}) {
        g->SetEditable(true);
        QObject::connect(g, &vbalGrid::RequestEdit, g, [g, &box](int, int, int, bool *) { g->EditOverCell(&box); });
    }
    grid->StartEdit(1, 2);
    EXPECT_EQ(box.parentWidget(), grid);
    EXPECT_EQ(box.geometry(), grid->CellRect(1, 2));
    QTest::keyClick(&box, Qt::Key_Escape);
    other->StartEdit(1, 1);
    EXPECT_EQ(box.parentWidget(), other);
    EXPECT_EQ(box.geometry(), other->CellRect(1, 1));
    EXPECT_TRUE(box.isVisible());
    QTest::keyClick(&box, Qt::Key_Escape);
    box.setParent(nullptr);
}

// A host that edits in place the way the windows do: its own line edit over
// the cell, a cancel for the Remove column.
class EditingGridTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        addRows({QStringLiteral("Amplifier"), QStringLiteral("Speaker")});
        grid->SetEditable(true);
        box = new QLineEdit(&window);
        box->hide();
        QObject::connect(grid, &vbalGrid::RequestEdit, grid, [this](int row, int col, int key, bool *cancel) {
            requests << QList<int>{row, col, key};
            if (grid->ColumnKeyAt(col).compare(QStringLiteral("action"), Qt::CaseInsensitive) == 0) {
                *cancel = true;
                return;
            }
            box->setFont(grid->CellFont(row, col));
            box->setText(key ? QString(QChar(key)) : grid->CellValue(row, col));
            grid->EditOverCell(box);
        });
        QObject::connect(grid, &vbalGrid::CommitEdit, grid, [this](int row, int col, const QString &value, bool *stay) {
            commits << value;
            if (value == QLatin1String("stay"))
                *stay = true;
            else
                grid->SetCellValue(row, col, box->text());
        });
        QObject::connect(grid, &vbalGrid::EditCancelled, grid, [this] {
            ++cancelled;
            box->hide();
        });
    }

    QLineEdit *box = nullptr;
    QList<QList<int>> requests;
    QStringList commits;
    int cancelled = 0;
};

TEST_F(EditingGridTest, TypingOnACellOpensTheHostsBoxOverItAndEnterCommits)
{
    click(2, 3);
    QTest::keyClick(grid->view(), Qt::Key_5);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0], (QList<int>{2, 3, int('5')}));
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(box->hasFocus());
    const QRect cell = grid->CellRect(2, 3);
    EXPECT_EQ(box->geometry(), QRect(grid->mapTo(&window, cell.topLeft()), cell.size()));
    QTest::keyClicks(box, QStringLiteral("0"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(commits, QStringList{QStringLiteral("50")});
    EXPECT_EQ(cancelled, 1); // the grid ends every edit with EditCancelled
    EXPECT_FALSE(box->isVisible());
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->CellValue(2, 3), QStringLiteral("50"));
}

TEST_F(EditingGridTest, EscapeCancelsAndTheRemoveColumnNeverEdits)
{
    click(1, 2);
    QTest::keyClick(grid->view(), Qt::Key_F2);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0][2], 0); // F2: no typed character
    EXPECT_EQ(box->text(), QStringLiteral("Amplifier"));
    QTest::keyClicks(box, QStringLiteral(" 2"));
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(commits.isEmpty());
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(grid->CellValue(1, 2), QStringLiteral("Amplifier"));

    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(1, 4));
    EXPECT_EQ(requests.last()[1], 4);
    EXPECT_FALSE(box->isVisible());
    EXPECT_FALSE(grid->InEditMode());
}

TEST_F(EditingGridTest, AHandlerCanKeepTheEditOpenAndAClickElsewhereCommits)
{
    click(1, 2);
    QTest::keyClick(grid->view(), Qt::Key_F2);
    box->setText(QStringLiteral("stay"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(commits.size(), 1);
    EXPECT_TRUE(grid->InEditMode());
    EXPECT_TRUE(box->isVisible());
    box->setText(QStringLiteral("Amp 2"));
    click(2, 2); // focus leaves the box
    EXPECT_EQ(commits.last(), QStringLiteral("Amp 2"));
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->CellValue(1, 2), QStringLiteral("Amp 2"));
}

} // namespace
