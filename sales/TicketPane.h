#pragma once

#include <QWidget>

class QScrollBar;
class QToolButton;
class TicketArea;

// The lower pane of the sales window: the ticket area, the scroll bar that
// moves it in twentieths of the height the pane hides, and the two arrow
// buttons that fold the customer pane away and back.
class TicketPane : public QWidget
{
    Q_OBJECT
public:
    explicit TicketPane(QWidget *parent = nullptr);

    TicketArea *area() const { return m_area; }
    QScrollBar *scrollBar() const { return VScroll1; }

    // Places the area by the scroll bar (after any change of size).
    void scrollArea();
    // Moves the scroll bar as little as needed to show that part of the area.
    void showAreaPart(const QRect &part);

signals:
    void UpClicked();
    void DownClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void layoutPane();

    TicketArea *m_area = nullptr;
    QScrollBar *VScroll1 = nullptr;
    QToolButton *cmdUp = nullptr;
    QToolButton *cmdDown = nullptr;
};
