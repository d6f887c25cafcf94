#pragma once

#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Pieces the catalog window tests share: finding named children, clicking
// grid cells as the mouse does, and acting on a modal window once it shows.
namespace WindowSupport {

template <typename T> T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

inline QPoint cellCentre(vbalGrid *grid, int row, int col)
{
    return grid->view()->viewport()->mapFrom(grid, grid->CellRect(row, col).center());
}

inline void clickCell(vbalGrid *grid, int row, int col)
{
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, col));
}

inline void showAndActivate(QWidget &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
}

// Runs action on the modal window as soon as one is open (a window opened
// with exec() blocks the test until it closes).
inline void whenModalShows(const std::function<void(QWidget *)> &action)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

} // namespace WindowSupport
