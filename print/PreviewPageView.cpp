#include "print/PreviewPageView.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int kMargin = 12;
}

PreviewPageView::PreviewPageView(QWidget *parent) : QScrollArea(parent), Picture1(new QLabel)
{
    setObjectName(QStringLiteral("PreviewPageView"));
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAlignment(Qt::AlignCenter);
    // The page sits on the dark background with a little room around it.
    auto *sheet = new QWidget;
    auto *around = new QVBoxLayout(sheet);
    around->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    around->addWidget(Picture1);
    setWidget(sheet);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    setFocusPolicy(Qt::StrongFocus);
    Picture1->installEventFilter(this);
    widget()->installEventFilter(this);
    viewport()->installEventFilter(this);
    installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);
}

void PreviewPageView::setPage(const QImage &image, int dotsPerInch)
{
    m_image = image;
    m_dpi = dotsPerInch > 0 ? dotsPerInch : 200;
    refreshPicture();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void PreviewPageView::setFitPage(bool fit)
{
    m_fit = fit;
    setCursor(Qt::WaitCursor);
    refreshPicture();
    unsetCursor();
}

QPixmap PreviewPageView::shownPixmap() const
{
    return Picture1->pixmap();
}

bool PreviewPageView::horizontalBarShown() const
{
    return horizontalScrollBar()->isVisible();
}

void PreviewPageView::refreshPicture()
{
    if (m_image.isNull()) {
        Picture1->clear();
        return;
    }
    QSize size;
    if (m_fit) {
        size = m_image.size().scaled(viewport()->size() - QSize(2 * kMargin, 2 * kMargin), Qt::KeepAspectRatio);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setAlignment(Qt::AlignCenter);
    } else {
        const double scale = double(logicalDpiX()) / m_dpi;
        size = QSize(qRound(m_image.width() * scale), qRound(m_image.height() * scale));
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    size = size.expandedTo(QSize(1, 1));
    Picture1->setPixmap(QPixmap::fromImage(m_image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    Picture1->setFixedSize(size);
    widget()->adjustSize();
}

void PreviewPageView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (m_fit)
        refreshPicture();
}

void PreviewPageView::scrollBy(QScrollBar *bar, int steps)
{
    bar->setValue(bar->value() + steps * bar->singleStep());
}

bool PreviewPageView::handleKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        emit previousPageRequested();
        return true;
    case Qt::Key_PageDown:
        emit nextPageRequested();
        return true;
    case Qt::Key_Home:
        emit firstPageRequested();
        return true;
    case Qt::Key_End:
        emit lastPageRequested();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        // A page that fits the width turns; a wider one scrolls.
        if (!horizontalBarShown()) {
            if (key == Qt::Key_Left)
                emit previousPageRequested();
            else
                emit nextPageRequested();
        } else {
            scrollBy(horizontalScrollBar(), key == Qt::Key_Left ? -1 : 1);
        }
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        scrollBy(verticalScrollBar(), key == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_G:
        emit goToRequested();
        return true;
    default:
        return false;
    }
}

bool PreviewPageView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        return handleKey(key->key());
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == horizontalScrollBar() || watched == verticalScrollBar())
            return false;
        emit clicked();
        setFocus();
        if (mouse->button() != Qt::LeftButton || mouse->modifiers() != Qt::NoModifier || m_fit)
            return false;
        m_dragging = true;
        m_dragStart = mouse->globalPosition().toPoint();
        m_scrollStart = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
        viewport()->setCursor(Qt::SizeAllCursor);
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragging) {
            const QPoint moved = static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_dragStart;
            horizontalScrollBar()->setValue(m_scrollStart.x() - moved.x());
            verticalScrollBar()->setValue(m_scrollStart.y() - moved.y());
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (m_dragging) {
            m_dragging = false;
            viewport()->unsetCursor();
            return true;
        }
        return false;
    default:
        return QScrollArea::eventFilter(watched, event);
    }
}
