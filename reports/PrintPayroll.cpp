#include "reports/PrintPayroll.h"

#include "print/PrintColor.h"
#include "print/clsMultiPgPreview.h"
#include "reports/PayrollData.h"
#include "reports/PayrollHeading.h"
#include "reports/ReportLetterhead.h"
#include "reports/ReportPager.h"
#include "timeclock/PayPeriods.h"
#include "timeclock/WorkedTime.h"

namespace {

const QString kPayrollLabel = QStringLiteral("PrintPayroll: ");

// A weekly page takes rows down to here, as it always has.
constexpr double kWeeklyRowsEnd = 7.0;

void blankRow(clsMultiPgPreview &rec)
{
    rec.pPrint(QString(), -1, false);
}

void rule(clsMultiPgPreview &rec)
{
    rec.pLine(PayrollHeading::kRuleLeft, PayrollHeading::kRuleRight, 1, true);
}

void printHeadings(clsMultiPgPreview &rec, const QString &periodHeading)
{
    rec.setFontBold(true);
    const QList<QPair<QString, double>> headings = {{periodHeading, 0.55},
                                                    {QStringLiteral("Hours"), 1.55},
                                                    {QStringLiteral("Rate"), 2.3},
                                                    {QStringLiteral("Gross Pay"), 2.8},
                                                    {QStringLiteral("Inc. tax"), 3.7},
                                                    {QStringLiteral("SS"), 4.5},
                                                    {QStringLiteral("Medicare"), 5.3},
                                                    {QStringLiteral("Net Pay"), 6.5},
                                                    {QStringLiteral("CK#"), 7.3},
                                                    {QStringLiteral("Deposit Amt"), 8.0},
                                                    {QStringLiteral("Deposit Date"), 9.0}};
    for (int i = 0; i < headings.size(); ++i)
        rec.pPrint(headings[i].first, headings[i].second, i + 1 < headings.size());
    rec.setFontBold(false);
    rec.setFontItalic(false);
    rule(rec);
}

void printEmployeeBlock(clsMultiPgPreview &rec, const PayrollData &employee, const QString &periodHeading)
{
    rec.setFontBold(true);
    rec.pPrint(employee.employeeLine(), 0.55, false);
    blankRow(rec);
    rule(rec);
    printHeadings(rec, periodHeading);
}

void printPayrollContinuation(clsMultiPgPreview &rec, const PayrollData &employee)
{
    rec.setCurrentY(0.3);
    printEmployeeBlock(rec, employee, QStringLiteral("Pay Period"));
}

// One period's row; returns the hours it shows (0 when it has no time).
Money printPeriod(clsMultiPgPreview &rec, const PayPeriod &period, const PayrollData &employee,
                  std::optional<qint64> minutes)
{
    rec.pPrint(period.label, 0.55, true);
    Money shown;
    if (!minutes) {
        rec.pPrint(QStringLiteral("00.00"), 1.55, false);
    } else {
        shown = PayrollHeading::PrintedHours(*minutes);
        rec.pPrint(shown.format00(), 1.55, true);
        rec.pPrint(employee.rate.toDbText(), 2.3, true);
        rec.pPrint(GrossPay(employee.rate, *minutes).formatDollar00(), 2.8, false);
    }
    rule(rec);
    return shown;
}

void printQuarter(clsMultiPgPreview &rec, int quarter, const Money &hours)
{
    rec.setFontBold(true);
    const double y = rec.CurrentY();
    PrintBand(rec, QRectF(0.55, y - 0.025, 9.5, 0.22));
    rec.pPrint(QStringLiteral("Quarter %1").arg(quarter), 0.55, true);
    rec.pPrint(hours.format00(), 1.55, false);
    rule(rec);
    rec.setFontBold(false);
}

QVariant payrollCents(const Money &m)
{
    return QVariant::fromValue(qint64(m.cents()));
}

// The year as a table, each row saying whose and which year it is, then the
// printed columns in order: each period with its first and last day, its
// hours as printed (0 without time), rate and gross pay, the quarters'
// hours as rows of their own, and the columns filled in by hand left empty.
Sheet payrollSheet(const PayrollData &employee, int year, const QList<PayPeriod> &periods, const QList<TimeRow> &rows)
{
    Sheet sheet;
    sheet.name = QStringLiteral("Payroll ") + employee.name;
    sheet.addColumn(QStringLiteral("Employee"))
        .addColumn(QStringLiteral("Employee Id"), Sheet::Kind::Number)
        .addColumn(QStringLiteral("Year"), Sheet::Kind::Number)
        .addColumn(QStringLiteral("Pay Period"))
        .addColumn(QStringLiteral("Period Start"), Sheet::Kind::Date)
        .addColumn(QStringLiteral("Period End"), Sheet::Kind::Date)
        .addColumn(QStringLiteral("Hours"), Sheet::Kind::Number)
        .addColumn(QStringLiteral("Rate"), Sheet::Kind::Money)
        .addColumn(QStringLiteral("Gross Pay"), Sheet::Kind::Money)
        .addColumn(QStringLiteral("Inc. tax"), Sheet::Kind::Money)
        .addColumn(QStringLiteral("SS"), Sheet::Kind::Money)
        .addColumn(QStringLiteral("Medicare"), Sheet::Kind::Money)
        .addColumn(QStringLiteral("Net Pay"), Sheet::Kind::Money)
        .addColumn(QStringLiteral("CK#"))
        .addColumn(QStringLiteral("Deposit Amt"), Sheet::Kind::Money)
        .addColumn(QStringLiteral("Deposit Date"), Sheet::Kind::Date);
    const QVariantList whose{employee.name, employee.employeeId, year};
    Money quarterHours;
    for (const PayPeriod &period : periods) {
        QVariantList row = whose;
        row << period.label << period.start.date() << period.end.date().addDays(-1);
        const auto minutes = MinutesWorked(rows, employee.employeeId, period.start, period.end);
        if (!minutes) {
            row << 0.0;
        } else {
            const Money hours = PayrollHeading::PrintedHours(*minutes);
            quarterHours += hours;
            row << hours.toDouble() << payrollCents(employee.rate) << payrollCents(GrossPay(employee.rate, *minutes));
        }
        sheet.addRow(std::move(row));
        if (period.quarter) {
            sheet.addRow(QVariantList(whose) << QStringLiteral("Quarter %1").arg(period.quarter) << QVariant()
                                             << QVariant() << quarterHours.toDouble());
            quarterHours = Money();
        }
    }
    return sheet;
}

void drawPayroll(clsMultiPgPreview &rec, const PayrollData &employee, int year, bool semiMonthly)
{
    const QList<PayPeriod> periods = semiMonthly ? SemiMonthlyPeriods(year) : WeeklyPeriods(year);
    const QList<TimeRow> rows = employee.timeRows(periods);
    PayrollHeading::printLetterhead(rec, year);
    printEmployeeBlock(rec, employee, QStringLiteral("Pay Period "));

    ReportPager pager(
        rec, [&rec, &employee](int) { printPayrollContinuation(rec, employee); }, PayrollHeading::kBottomMargin);
    const double rowHeight = pager.lines(1) + 0.06;
    Money quarterHours;
    for (const PayPeriod &period : periods) {
        if (!semiMonthly && rec.CurrentY() > kWeeklyRowsEnd)
            pager.newPage();
        pager.ensureRoom(rowHeight * (period.quarter ? 2 : 1));
        quarterHours += printPeriod(rec, period, employee,
                                    MinutesWorked(rows, employee.employeeId, period.start, period.end));
        if (period.quarter) {
            printQuarter(rec, period.quarter, quarterHours);
            quarterHours = Money();
        }
    }
    rec.setSheets({payrollSheet(employee, year, periods, rows)});
}

} // namespace

ReportResult PrintPayroll(int employeeId, int year, bool semiMonthly, const ReportOutput &output)
{
    if (employeeId == 0)
        return ReportResult::nothing();
    QString reason;
    const std::optional<PayrollData> employee = PayrollData::read(employeeId, &reason);
    if (!employee)
        return ReportFailed(kPayrollLabel, reason);
    ReportJob job;
    job.label = kPayrollLabel;
    job.orientation = 2;
    job.draw = [e = *employee, year, semiMonthly](clsMultiPgPreview &rec) { drawPayroll(rec, e, year, semiMonthly); };
    return RunReport(job, output);
}

ReportResult PrintPayroll(int employeeId, int year, bool semiMonthly, bool skipPrinterSetup)
{
    return PrintPayroll(employeeId, year, semiMonthly,
                        skipPrinterSetup ? ReportOutput::preview() : ReportOutput::interactive());
}
