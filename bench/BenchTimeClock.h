#pragma once

#include "bench/BenchSupport.h"
#include "timeclock/EmployeeButtonColumn.h"
#include "timeclock/frmTimeInOut.h"

#include <QCoreApplication>
#include <QToolButton>
#include <cstdlib>

namespace Bench {

// One employee after another chosen by their button in an open time clock
// (their week read and listed): the median in milliseconds.
inline double medianEmployeeSwitchMs(frmTimeInOut &clock, int employees, int runs, int warmup)
{
    EmployeeButtonColumn *buttons = clock.employeeButtons();
    int next = 0;
    return medianMs(
        [&] {
            const int index = next++ % employees;
            buttons->button(index)->click();
            QCoreApplication::processEvents();
            if (clock.selectedId() != buttons->employeeIdAt(index))
                std::abort();
        },
        runs, warmup);
}

} // namespace Bench
