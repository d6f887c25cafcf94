#include "reports/PayrollHeading.h"

#include "print/clsMultiPgPreview.h"
#include "reports/ReportLetterhead.h"
#include "timeclock/WorkedTime.h"

namespace PayrollHeading {

QString title(int year)
{
    return QStringLiteral("Payroll and Withholdings for ") + QString::number(year);
}

Money PrintedHours(qint64 minutes)
{
    return Money::fromCents(HoursOf(minutes).cents());
}

void printLetterhead(clsMultiPgPreview &rec, int year)
{
    Letterhead head;
    head.title = title(year);
    head.titleFont = QStringLiteral("Arial");
    head.titleOffset = -1.0;
    head.shopLines = false;
    PrintLetterhead(rec, head);
    rec.setFontName(QStringLiteral("Arial"));
    rec.setFontSize(10);
    rec.setDrawWidth(2);
    rec.setCurrentY(1.0);
}

} // namespace PayrollHeading
