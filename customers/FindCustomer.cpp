#include "customers/FindCustomer.h"

#include "customers/CustomerStore.h"
#include "data/Recordset.h"
#include "widgets/VbInput.h"
#include "widgets/WaitPointer.h"
#include "widgets/vbalGrid.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

namespace {

constexpr int kInset = 10;    // the panel inside the control
constexpr int kGridLeft = 6;  // the grid inside the panel
constexpr int kFilterTop = 4; // the filter row
constexpr int kRowGap = 4;
const QPoint kParked(-1000, -1000);
// A page is a few screens of the list: read in a few milliseconds, and
// enough that scrolling seldom waits for the next.
constexpr int kPageRows = 200;
constexpr int kPageOverlap = 20;

} // namespace

FindCustomer::FindCustomer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FindCustomer1"));
    buildControls();
    connectGrid();
}

// The view's scroll bar still moves while the widgets below are taken
// down, after this object's own members are gone.
FindCustomer::~FindCustomer()
{
    vbalGrid1->view()->verticalScrollBar()->disconnect(this);
}

void FindCustomer::buildControls()
{
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    const auto box = [this](const char *name) {
        auto *edit = new QLineEdit(Picture1);
        edit->setObjectName(QLatin1String(name));
        edit->setClearButtonEnabled(false);
        connect(edit, &QLineEdit::textChanged, this, &FindCustomer::EditFilter);
        edit->installEventFilter(this);
        return edit;
    };
    Text1 = box("Text1");
    Text2 = box("Text2");
    Text3 = box("Text3");

    Label1 = new QLabel(QStringLiteral("Double click to select"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QToolButton(Picture1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setText(QStringLiteral("X"));
    Label2->setAutoRaise(true);
    Label2->setToolTip(QStringLiteral("Close the list"));
    connect(Label2, &QToolButton::clicked, this, &FindCustomer::Cancel);

    chkShowRecent = new QCheckBox(QStringLiteral("Recent Customers Only"), Picture1);
    chkShowRecent->setObjectName(QStringLiteral("chkShowRecent"));
    connect(chkShowRecent, &QCheckBox::clicked, this, &FindCustomer::EditFilter);

    vbalGrid1 = new vbalGrid(Picture1);
    vbalGrid1->setObjectName(QStringLiteral("vbalGrid1"));
    vbalGrid1->SetRowMode(true);
    vbalGrid1->AddColumn(QStringLiteral("LastName"), QStringLiteral("Last Name"), vbalGrid::AlignLeft, -1, 100);
    vbalGrid1->AddColumn(QStringLiteral("FirstName"), QStringLiteral("First Name"), vbalGrid::AlignLeft, -1, 100);
    vbalGrid1->AddColumn(QStringLiteral("Phone"), QStringLiteral("Phone"), vbalGrid::AlignLeft, -1, 100);
    vbalGrid1->AddColumn(QStringLiteral("Address"), QStringLiteral("Address"), vbalGrid::AlignLeft, -1, 250);

    Command1 = new QPushButton(QStringLiteral("Loading Customer..."), Picture1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->adjustSize();
    Command1->move(kParked);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, vbalGrid1);
    setTabOrder(vbalGrid1, chkShowRecent);
    setFocusProxy(Text1);
}

void FindCustomer::connectGrid()
{
    // Near the end of what was read, the next page is read.
    QScrollBar *bar = vbalGrid1->view()->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
        if (value >= bar->maximum() - bar->pageStep())
            readMore();
    });
    connect(vbalGrid1, &vbalGrid::ColumnClick, this, &FindCustomer::onColumnClick);
    connect(vbalGrid1, &vbalGrid::ColumnResized, this, [this](int col, int, bool *) {
        if (col <= 3)
            layoutFilterRow();
    });
    connect(vbalGrid1, &vbalGrid::SelectionChange, this,
            [this](int row, int col) { emit SelectionChange(row, col, int(vbalGrid1->CellItemData(row, 1))); });
    connect(vbalGrid1, &vbalGrid::DblClick, this, [this](int row, int col) {
        emit DblClick(row, col);
        emit SelectCustomer(int(vbalGrid1->CellItemData(row, 1)));
    });
    connect(vbalGrid1, &vbalGrid::KeyDown, this, [this](int key, int, bool *doDefault) {
        const int row = vbalGrid1->SelectedRow();
        if (key == VbInput::KeyReturn && row > 0) {
            *doDefault = false;
            emit SelectCustomer(int(vbalGrid1->CellItemData(row, 1)));
        }
    });
    connect(vbalGrid1, &vbalGrid::MouseDown, this, &FindCustomer::MouseDown);
    connect(vbalGrid1, &vbalGrid::MouseMove, this, [this](int button, int shift, int x, int y) {
        const QPoint p = vbalGrid1->mapTo(this, QPoint(x, y));
        emit MouseMove(button, shift, p.x(), p.y());
    });
    connect(vbalGrid1, &vbalGrid::MouseUp, this, [this](int button, int shift, int x, int y) {
        const int row = vbalGrid1->SelectedRow();
        if (row == 0)
            return;
        emit MouseUp(button, shift, x, y);
        // After the event, so a handler still sees the customer picked before.
        m_customerid = int(vbalGrid1->CellItemData(row, 1));
    });
}

void FindCustomer::RefreshDB()
{
    showBusy(true);
    if (m_maxCustomerId < 0)
        m_maxCustomerId = CustomerStore::MaxCustomerId();
    EditFilter();
    showBusy(false);
}

void FindCustomer::EditFilter()
{
    m_filter.lastName = Text1->text();
    m_filter.firstName = Text2->text();
    m_filter.phone = Text3->text();
    m_filter.recentOnly = chkShowRecent->isChecked();
    m_filter.maxCustomerId = qMax<qint64>(0, m_maxCustomerId);
    // A sort is undone by the next search, which lists in name order again.
    m_order = CustomerListOrder();
    readFirstPage();
}

void FindCustomer::SetFilter(const QString &lastName, const QString &firstName)
{
    Text1->clear();
    Text2->clear();
    Text1->setText(lastName);
    if (!firstName.isEmpty())
        Text2->setText(firstName);
}

void FindCustomer::focusLastName()
{
    Text1->setFocus(Qt::OtherFocusReason);
    Text1->selectAll();
}

int FindCustomer::listedCount() const
{
    return vbalGrid1->VisibleRowCount();
}

// The first page of the search in one refill; the rest as it scrolls.
void FindCustomer::readFirstPage()
{
    vbalGrid1->SetRedrawEnabled(false);
    vbalGrid1->ClearRows();
    m_read = 0;
    m_listed.clear();
    m_more = true;
    readMore();
    vbalGrid1->SetRedrawEnabled(true);
    // A new search starts at its top, wherever the last one was scrolled.
    vbalGrid1->view()->scrollToTop();
}

void FindCustomer::readMore()
{
    if (!m_more || m_reading)
        return;
    const QScopedValueRollback reading(m_reading, true);
    // The next page overlaps the rows read: customers added or removed at
    // other counters meanwhile shift the rows, and each is listed once.
    const int overlap = qMin(m_read, kPageOverlap);
    const auto rs = CustomerStore::ReadListPage(m_filter, m_order, m_read - overlap, kPageRows + overlap);
    const CustomerList page = rs ? CustomerList::fromRecordset(*rs) : CustomerList();
    m_more = page.size() == kPageRows + overlap;
    appendPage(page);
}

void FindCustomer::appendPage(const CustomerList &page)
{
    std::vector<const CustomerListEntry *> fresh;
    for (int i = 0; i < page.size(); ++i) {
        if (!m_listed.contains(page.at(i).id))
            fresh.push_back(&page.at(i));
    }
    const int first = vbalGrid1->RowCount() + 1;
    vbalGrid1->SetRowCount(vbalGrid1->RowCount() + int(fresh.size()));
    for (size_t i = 0; i < fresh.size(); ++i) {
        const CustomerListEntry &e = *fresh[i];
        m_listed.insert(e.id);
        const int r = first + int(i);
        vbalGrid1->SetCell(r, 1, e.lastName, vbalGrid::OneLine, -1, -1, -1, nullptr, 0, -1, e.id);
        vbalGrid1->SetCell(r, 2, e.firstName);
        vbalGrid1->SetCell(r, 3, e.phone);
        vbalGrid1->SetCell(r, 4, e.address);
    }
    m_read += int(fresh.size());
}

void FindCustomer::onColumnClick(int col)
{
    // The engine sorts, so the rows not read yet come in the same order.
    const WaitPointer busy;
    const bool ascending = vbalGrid1->ColumnTag(col).isEmpty();
    vbalGrid1->SetColumnTag(col, ascending ? QStringLiteral("DESC") : QString());
    m_order.column = col;
    m_order.descending = !ascending;
    readFirstPage();
}

void FindCustomer::showBusy(bool busy)
{
    if (!busy) {
        Command1->move(kParked);
        return;
    }
    const QRect g = vbalGrid1->geometry();
    Command1->move(g.left() + (g.width() - Command1->width()) / 2, g.top() + (g.height() - Command1->height()) / 2);
    Command1->raise();
    Command1->repaint();
}

// Escape, from a box or the list, closes the list as "X" does.
void FindCustomer::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        emit Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Down from a filter box goes into the list, on its first customer.
bool FindCustomer::eventFilter(QObject *watched, QEvent *event)
{
    const bool box = watched == Text1 || watched == Text2 || watched == Text3;
    if (!box || event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Down)
        return QWidget::eventFilter(watched, event);
    const std::vector<int> shown = vbalGrid1->VisibleRows();
    if (shown.empty())
        return true;
    if (vbalGrid1->SelectedRow() == 0)
        vbalGrid1->SetSelectedRow(shown.front());
    vbalGrid1->setFocus(Qt::OtherFocusReason);
    return true;
}

void FindCustomer::resizeEvent(QResizeEvent *)
{
    const int inset = width() > 2 * kInset && height() > 2 * kInset ? kInset : 0;
    Picture1->setGeometry(rect().adjusted(inset, inset, -inset, -inset));
    const int boxHeight = Text1->sizeHint().height();
    const int checkHeight = chkShowRecent->sizeHint().height();
    const int gridTop = kFilterTop + boxHeight + kRowGap;
    const int room = gridTop + kRowGap + checkHeight + kRowGap;
    const int w = Picture1->width() - 2 * kGridLeft;
    const int h = Picture1->height() - room;
    vbalGrid1->setGeometry(kGridLeft, gridTop, qMax(w, 50), qMax(h, 50));
    chkShowRecent->setGeometry(kGridLeft, vbalGrid1->geometry().bottom() + 1 + kRowGap,
                               chkShowRecent->sizeHint().width(), checkHeight);
    layoutFilterRow();
}

void FindCustomer::layoutFilterRow()
{
    // Each box stands over its column, the label after the third.
    const int top = kFilterTop;
    const int h = Text1->sizeHint().height();
    QLineEdit *boxes[3] = {Text1, Text2, Text3};
    int right = kGridLeft;
    for (int c = 1; c <= 3; ++c) {
        const int left = vbalGrid1->x() + vbalGrid1->ColumnLeft(c);
        boxes[c - 1]->setGeometry(left, top, vbalGrid1->ColumnWidth(c), h);
        right = left + vbalGrid1->ColumnWidth(c);
    }
    Label1->setGeometry(right + 8, top, Label1->sizeHint().width(), h);
    const QSize x = Label2->sizeHint();
    Label2->setGeometry(Picture1->width() - x.width() - 2, top, x.width(), h);
}
