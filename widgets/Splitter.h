#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QMouseEvent;

// Two panes of the host, side by side or one above the other, with a bar
// between them that the user drags. The panes follow when the bar is
// released; every layout ends with Resize.
class Splitter : public QWidget
{
    Q_OBJECT
public:
    explicit Splitter(QWidget *parent = nullptr);

    // 0: the bar is vertical, Child1 left and Child2 right; anything else:
    // the bar is horizontal, Child1 above and Child2 below.
    int Orientation() const { return m_vertical ? 0 : 1; }
    void setOrientation(int orientation);

    QWidget *Child1() const { return m_child1; }
    QWidget *Child2() const { return m_child2; }
    void setChild1(QWidget *child);
    void setChild2(QWidget *child);

    // The share of Child1 in whole per cent (0 … 100; written values beyond
    // that range are clamped, and read back as written).
    int SplitPercent() const;
    void setSplitPercent(int percent);

    // The bar's thickness in twips (15 to a pixel), as the windows give it.
    int SplitterWidth() const { return m_barTwips; }
    void setSplitterWidth(int twips);

    // The bar's colour, as the old colour number (blue in the high byte).
    void setSplitterColor(qint64 oleColor);
    QColor splitterColor() const { return m_color; }

    QWidget *SplitterBar() const { return m_bar; }

Q_SIGNALS:
    void Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void adopt(QPointer<QWidget> &slot, QWidget *child);
    void layoutPanes();
    void pressBar(const QMouseEvent &mouse);
    void dragBarTo(const QPoint &posInSplitter);
    int barPixels() const;

    QPointer<QWidget> m_child1, m_child2;
    QWidget *m_bar = nullptr;
    bool m_vertical = true;
    double m_fraction = 0.5;
    int m_barTwips = 50;
    QColor m_color;
    bool m_dragging = false;
    int m_grabOffset = 0;
};
