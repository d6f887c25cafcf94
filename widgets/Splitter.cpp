#include "widgets/Splitter.h"

#include "data/Twips.h"
#include "widgets/OleColor.h"
#include "widgets/SplitterLayout.h"

#include <QMouseEvent>
#include <QPalette>
#include <algorithm>
#include <cmath>

Splitter::Splitter(QWidget *parent)
    : QWidget(parent)
    , m_bar(new QWidget(this))
    , m_color(palette().color(QPalette::Button))
{
    m_bar->setObjectName(QStringLiteral("SplitterBar"));
    m_bar->setAutoFillBackground(true);
    m_bar->installEventFilter(this);
    setOrientation(0);
    setSplitterColor(-1);
}

void Splitter::setOrientation(int orientation)
{
    m_vertical = orientation == 0;
    m_bar->setCursor(m_vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    layoutPanes();
}

void Splitter::setChild1(QWidget *child)
{
    adopt(m_child1, child);
}

void Splitter::setChild2(QWidget *child)
{
    adopt(m_child2, child);
}

void Splitter::adopt(QPointer<QWidget> &slot, QWidget *child)
{
    slot = child;
    if (child) {
        if (child->parentWidget() != this)
            child->setParent(this);
        child->show();
    }
    layoutPanes();
}

int Splitter::SplitPercent() const
{
    return PercentOfFraction(m_fraction);
}

void Splitter::setSplitPercent(int percent)
{
    m_fraction = FractionOfPercent(percent);
    layoutPanes();
}

void Splitter::setSplitterWidth(int twips)
{
    m_barTwips = std::clamp(twips, 0, 255);
    layoutPanes();
}

void Splitter::setSplitterColor(qint64 oleColor)
{
    const QColor c = OleColor::ToQColor(oleColor, palette());
    m_color = c.isValid() ? c : palette().color(QPalette::Button);
    QPalette p = m_bar->palette();
    p.setColor(QPalette::Window, m_color);
    m_bar->setPalette(p);
}

int Splitter::barPixels() const
{
    if (m_barTwips <= 0)
        return 0;
    return std::max(1, Twips::ToPixels(m_barTwips));
}

void Splitter::layoutPanes()
{
    const SplitterLayout l = LayoutSplitter(width(), height(), barPixels(), m_fraction, m_vertical);
    if (m_child1)
        m_child1->setGeometry(l.child1);
    if (m_child2)
        m_child2->setGeometry(l.child2);
    m_bar->setGeometry(l.bar);
    m_bar->raise();
    Q_EMIT Resize();
}

void Splitter::resizeEvent(QResizeEvent *)
{
    layoutPanes();
}

void Splitter::dragBarTo(const QPoint &pos)
{
    // The room the bar travels in is the splitter less the bar itself, so the
    // bar lands where it was dropped.
    const int extent = (m_vertical ? width() : height()) - barPixels();
    const int start = (m_vertical ? pos.x() : pos.y()) - m_grabOffset;
    m_fraction = FractionForBarAt(start, extent);
    // Only the bar moves while dragging; the panes follow on release.
    const SplitterLayout l = LayoutSplitter(width(), height(), barPixels(), m_fraction, m_vertical);
    m_bar->setGeometry(l.bar);
}

bool Splitter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_bar)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pressBar(*static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragging && (mouse->buttons() & Qt::LeftButton))
            dragBarTo(m_bar->mapToParent(mouse->position().toPoint()));
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragging) {
            m_dragging = false;
            layoutPanes();
        }
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void Splitter::pressBar(const QMouseEvent &mouse)
{
    if (mouse.button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_grabOffset = m_vertical ? int(mouse.position().x()) : int(mouse.position().y());
    m_bar->raise();
}
