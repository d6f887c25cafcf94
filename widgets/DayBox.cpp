#include "widgets/DayBox.h"

#include "data/DateText.h"

#include <QDateEdit>

QDateEdit *NewDayBox(QWidget *parent, const char *name, const QDate &day)
{
    auto *box = new QDateEdit(day, parent);
    box->setObjectName(QLatin1String(name));
    box->setCalendarPopup(true);
    box->setDisplayFormat(DateText::shortDateFormat());
    return box;
}
