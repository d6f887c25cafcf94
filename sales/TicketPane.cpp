#include "sales/TicketPane.h"

#include "sales/SalesLayout.h"
#include "sales/TicketArea.h"

#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

namespace {
constexpr int kColumn = 20; // the arrow buttons and the scroll bar
}

TicketPane::TicketPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picTicketPane"));
    m_area = new TicketArea(this);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(0, SalesLayout::kScrollSteps);
    VScroll1->setPageStep(4);
    VScroll1->hide();
    cmdUp = new QToolButton(this);
    cmdUp->setObjectName(QStringLiteral("cmdUp"));
    cmdUp->setArrowType(Qt::UpArrow);
    cmdUp->setToolTip(QStringLiteral("Fold the customer away"));
    cmdDown = new QToolButton(this);
    cmdDown->setObjectName(QStringLiteral("cmdDown"));
    cmdDown->setArrowType(Qt::DownArrow);
    cmdDown->setToolTip(QStringLiteral("Show the customer"));
    connect(cmdUp, &QToolButton::clicked, this, &TicketPane::UpClicked);
    connect(cmdDown, &QToolButton::clicked, this, &TicketPane::DownClicked);
    connect(VScroll1, &QScrollBar::valueChanged, this, &TicketPane::scrollArea);
    // Showing a ticket (or none) changes what there is to scroll.
    connect(m_area, &TicketArea::TicketShown, this, &TicketPane::scrollArea);
    connect(m_area, &TicketArea::PartWanted, this, &TicketPane::showAreaPart);
}

void TicketPane::resizeEvent(QResizeEvent *)
{
    layoutPane();
}

void TicketPane::layoutPane()
{
    const int areaWidth = std::max(0, width() - kColumn);
    m_area->resize(areaWidth, std::max(m_area->minimumSizeHint().height(), height()));
    cmdUp->setGeometry(areaWidth, 0, kColumn, kColumn);
    cmdDown->setGeometry(areaWidth, kColumn, kColumn, kColumn);
    VScroll1->setGeometry(areaWidth, 2 * kColumn, kColumn, std::max(0, height() - 2 * kColumn));
    scrollArea();
}

void TicketPane::scrollArea()
{
    const SalesLayout::TicketScroll s = SalesLayout::ScrollTicketArea(m_area->height(), height(), VScroll1->value());
    VScroll1->setVisible(s.barVisible && m_area->isVisible());
    m_area->move(0, s.areaTop);
}

void TicketPane::showAreaPart(const QRect &part)
{
    VScroll1->setValue(
        SalesLayout::ScrollValueShowing(m_area->height(), height(), part.top(), part.bottom(), VScroll1->value()));
    scrollArea();
}

// The wheel over the area (where no grid takes it) moves the scroll bar.
void TicketPane::wheelEvent(QWheelEvent *event)
{
    if (!VScroll1->isVisible()) {
        QWidget::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    VScroll1->setValue(VScroll1->value() - 2 * notches);
    event->accept();
}
