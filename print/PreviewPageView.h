#pragma once

#include <QImage>
#include <QPoint>
#include <QScrollArea>

class QLabel;

// The page of the preview: at its real size on the screen, scrolled with
// the scroll bars, the arrow keys or by dragging it; or fitted whole into
// the window ("Fit Page"). Page keys are passed on as signals.
class PreviewPageView : public QScrollArea
{
    Q_OBJECT
public:
    explicit PreviewPageView(QWidget *parent = nullptr);

    // The page image and its resolution (dots per inch).
    void setPage(const QImage &image, int dotsPerInch);
    void setFitPage(bool fit);
    // The picture as it is shown now.
    QPixmap shownPixmap() const;
    bool horizontalBarShown() const;

signals:
    void nextPageRequested();
    void previousPageRequested();
    void firstPageRequested();
    void lastPageRequested();
    void goToRequested();
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool handleKey(int key);
    void refreshPicture();
    void scrollBy(QScrollBar *bar, int steps);

    QLabel *Picture1;
    QImage m_image;
    int m_dpi = 200;
    bool m_fit = false;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_scrollStart;
};
