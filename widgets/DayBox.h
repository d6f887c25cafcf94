#pragma once

#include <QDate>

class QDateEdit;
class QWidget;

// A box for a day: the shop's short date, a calendar to pick from, the
// object name its settings and tests find it by.
QDateEdit *NewDayBox(QWidget *parent, const char *name, const QDate &day);
