#include "reports/PrintPayroll.h"

#include "data/DateText.h"
#include "print/clsMultiPgPreview.h"
#include "reports/AllEmployeeHoursData.h"
#include "reports/PayrollHeading.h"
#include "reports/ReportPager.h"
#include "timeclock/WeekThursday.h"
#include "timeclock/WorkedTime.h"

namespace {

const QString kHoursLabel = QStringLiteral("PrintAllEmployeeHours: ");
constexpr int kWeeks = 7;
constexpr double kNameLeft = 0.55;

// The week columns start one inch apart; the first one moves right of the
// widest name so names and hours never run into each other.
double firstWeekColumn(const clsMultiPgPreview &rec, const QList<EmployeeRecord> &people)
{
    double widest = 0;
    for (const EmployeeRecord &p : people)
        widest = std::max(widest, rec.GetTextWidth(p.lastCommaFirst()));
    const double last = rec.GetPaperWidth() - rec.GetTextWidth(QStringLiteral("00/00/0000")) - 0.1 - (kWeeks - 1);
    return std::clamp(kNameLeft + widest + 0.2, 1.1, std::max(1.1, last));
}

QString fittedName(const clsMultiPgPreview &rec, QString name, double room)
{
    while (!name.isEmpty() && rec.GetTextWidth(name) > room)
        name.chop(1);
    return name;
}

void printWeekHeadings(clsMultiPgPreview &rec, const QDate &firstThursday, double firstColumn)
{
    rec.pLine(PayrollHeading::kRuleLeft, PayrollHeading::kRuleRight, 1, true);
    rec.setFontBold(true);
    rec.pPrint(QStringLiteral("Employee"), kNameLeft, true);
    for (int i = 0; i < kWeeks; ++i)
        rec.pPrint(DateText::shortDate(firstThursday.addDays(7 * i)), firstColumn + i, true);
}

// Everyone's weeks as a table: a row per employee, a column per week
// headed by its Thursday as printed, the hours as printed (0 without time)
// as numbers.
Sheet hoursSheet(const AllEmployeeHoursData &data, const QDateTime &from)
{
    Sheet sheet;
    sheet.name = QStringLiteral("Employee Hours");
    sheet.addColumn(QStringLiteral("Employee"));
    for (int i = 0; i < kWeeks; ++i)
        sheet.addColumn(DateText::shortDate(from.date().addDays(7 * i)), Sheet::Kind::Number);
    for (const EmployeeRecord &person : data.employees) {
        QVariantList cells{person.lastCommaFirst()};
        for (int i = 0; i < kWeeks; ++i) {
            const QDateTime start = from.addDays(7 * i);
            const auto minutes = MinutesWorked(data.rows, person.id, start, start.addDays(7));
            cells << (minutes ? PayrollHeading::PrintedHours(*minutes).toDouble() : 0.0);
        }
        sheet.addRow(cells);
    }
    return sheet;
}

void drawHours(clsMultiPgPreview &rec, int year, int firstWeek)
{
    const QDate w0 = WeekThursday(year, firstWeek);
    const QDateTime from(w0, QTime(0, 0));
    const AllEmployeeHoursData data = AllEmployeeHoursData::read(from, from.addDays(7 * kWeeks));
    const QList<EmployeeRecord> &people = data.employees;
    PayrollHeading::printLetterhead(rec, year);
    rec.setFontBold(true);
    const double firstColumn = firstWeekColumn(rec, people);
    printWeekHeadings(rec, w0, firstColumn);

    ReportPager pager(
        rec,
        [&rec, w0, firstColumn](int) {
            rec.setCurrentY(0.3);
            printWeekHeadings(rec, w0, firstColumn);
        },
        PayrollHeading::kBottomMargin);
    for (const EmployeeRecord &person : people) {
        // The blank line ends the line before; then a rule and the row.
        if (!pager.fits(pager.lines(2) + 0.06))
            pager.newPage();
        rec.pPrint(QString(), -1, false);
        rec.setFontBold(true);
        rec.pLine(PayrollHeading::kRuleLeft, PayrollHeading::kRuleRight, 1, true);
        rec.pPrint(fittedName(rec, person.lastCommaFirst(), firstColumn - kNameLeft - 0.1), kNameLeft, true);
        rec.setFontBold(false);
        for (int i = 0; i < kWeeks; ++i) {
            const QDateTime start = from.addDays(7 * i);
            const auto minutes = MinutesWorked(data.rows, person.id, start, start.addDays(7));
            rec.pPrint(minutes ? PayrollHeading::PrintedHours(*minutes).format00() : QStringLiteral("00.00"),
                       firstColumn + i, true);
        }
    }
    rec.pPrint(QString(), -1, false);
    rec.setSheets({hoursSheet(data, from)});
}

} // namespace

ReportResult PrintAllEmployeeHours(int year, int firstWeek, const ReportOutput &output)
{
    ReportJob job;
    job.label = kHoursLabel;
    job.orientation = 2;
    job.draw = [year, firstWeek](clsMultiPgPreview &rec) { drawHours(rec, year, firstWeek); };
    return RunReport(job, output);
}

ReportResult PrintAllEmployeeHours(int year, int firstWeek, bool skipPrinterSetup)
{
    return PrintAllEmployeeHours(year, firstWeek,
                                 skipPrinterSetup ? ReportOutput::preview() : ReportOutput::interactive());
}
