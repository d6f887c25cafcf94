#pragma once

#include <QList>
#include <QScrollArea>

class QToolButton;

// The time clock's column of employee picture buttons, one per employee
// the clock lists (by last name), each with the employee's picture (or the
// fallback) and "Lee,Ann" under it. The chosen employee's button is red.
class EmployeeButtonColumn : public QScrollArea
{
    Q_OBJECT
public:
    explicit EmployeeButtonColumn(QWidget *parent = nullptr);

    // Reads the employees and their pictures; returns how many were listed.
    // withOpenRows: also those, active or not, who are still clocked in.
    int LoadEmployeeButtons(bool withOpenRows = false);
    int TotalEmployee() const { return int(m_buttons.size()); }
    QToolButton *button(int index) const { return m_buttons.value(index); }
    int employeeIdAt(int index) const;

    // Turns the employee's button red and every other one back to normal.
    void markChosen(int employeeId);

signals:
    void employeeClicked(int employeeId);

private:
    QToolButton *newButton(int index, int employeeId, const QString &caption);

    QWidget *Picture2;
    QList<QToolButton *> m_buttons;
};
