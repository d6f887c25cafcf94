#pragma once

#include "gate/PinSource.h"
#include "sales/frmSales.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/ScriptedPins.h"
#include "tests/support/TestDatabase.h"

#include <QList>
#include <QPoint>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

class vbalGrid;

// The sales window on a fresh database of each engine, driven as a clerk
// drives it: keys into boxes, clicks and double-clicks on grid cells.
class SalesWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new window, shown and active (closing the old one first).
    void openWindow();
    // Loads a customer as the editor does and opens one of its tickets.
    void openTicket(int customerId, int salesId);

    template <typename T> T *child(const char *name) const
    {
        T *w = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    vbalGrid *grid(const char *name) const;

    void scan(const QString &code);
    void clickButton(const char *name);
    void clickCell(vbalGrid *grid, int row, int col);
    void doubleClickCell(vbalGrid *grid, int row, int col);
    // Edits a cell in place: F2, the text, Enter; then lets the redisplay run.
    void editCell(vbalGrid *grid, int row, int col, const QString &text);
    // Runs what the window queued (redisplays after grid events).
    static void settle();
    QString totalText(int box) const;

    RecordingPrompts prompts;
    ScriptedPins pins;
    std::unique_ptr<frmSales> window;
};

#define TESSALY_SALES_ENGINES(Suite)                                                                                   \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(TestDatabase::Engines()),                             \
                             [](const auto &info) { return TestDatabase::EngineName(info.param); })
