#include "app/BatchCommand.h"

#include "data/Backup.h"
#include "data/DateText.h"
#include "data/UserPrompts.h"
#include "reports/PrintPayroll.h"
#include "reports/Printbill.h"
#include "reports/ProductReports.h"
#include "reports/SalesSummary.h"
#include "sales/TicketStore.h"
#include "timeclock/EmployeeStore.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <functional>

namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "tessaly: %s\n", qPrintable(text));
}

int badArguments(const QString &text)
{
    say(text);
    return BatchBadArguments;
}

bool isOption(const QString &arg)
{
    return arg.startsWith(QLatin1String("--"));
}

std::optional<QDate> isoDay(const QString &text)
{
    if (!QRegularExpression(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$")).match(text).hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(text, Qt::ISODate);
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

std::optional<int> wholeNumber(const QString &text)
{
    if (!QRegularExpression(QStringLiteral("^\\d{1,9}$")).match(text).hasMatch())
        return std::nullopt;
    return text.toInt();
}

int exitFor(const ReportResult &result, const QString &file)
{
    switch (result.status) {
    case ReportResult::Status::Done:
        say(QStringLiteral("wrote %1 (%2 page(s))").arg(QDir::toNativeSeparators(file)).arg(result.pages));
        return BatchDone;
    case ReportResult::Status::NoDocument: return BatchNothingToPrint;
    case ReportResult::Status::Cancelled:
    case ReportResult::Status::Failed: return BatchFailed;
    }
    return BatchFailed;
}

// Each document: its name, what its arguments look like, and how it is made.
struct DocumentKind
{
    const char *name;
    const char *arguments;
    int count;
    std::function<int(const QStringList &args, const QString &file)> make;
};

int invoice(const QStringList &args, const QString &file)
{
    const auto id = wholeNumber(args[0]);
    if (!id || *id <= 0)
        return badArguments(QStringLiteral("invoice expects a ticket number, not \"%1\"").arg(args[0]));
    if (!TicketStore::LoadHeader(*id)) {
        say(QStringLiteral("there is no ticket %1").arg(*id));
        return BatchFailed;
    }
    return exitFor(Printbill(*id, ReportOutput::pdf(file)), file);
}

int summary(const QStringList &args, const QString &file, SummaryPeriod period)
{
    const auto day = isoDay(args[0]);
    if (!day)
        return badArguments(QStringLiteral("expected a date as YYYY-MM-DD, not \"%1\"").arg(args[0]));
    return exitFor(PrintSalesSummary(*day, period, ReportOutput::pdf(file)), file);
}

int monthly(const QStringList &args, const QString &file)
{
    const auto day = isoDay(args[0] + QStringLiteral("-01"));
    if (!day || args[0].size() != 7)
        return badArguments(QStringLiteral("monthly-summary expects a month as YYYY-MM, not \"%1\"").arg(args[0]));
    return exitFor(PrintSalesSummary(*day, SummaryPeriod::Monthly, ReportOutput::pdf(file)), file);
}

int productSales(const QStringList &args, const QString &file)
{
    const auto day = isoDay(args[0]);
    if (!day)
        return badArguments(QStringLiteral("product-sales expects a date as YYYY-MM-DD, not \"%1\"").arg(args[0]));
    return exitFor(PrintProductSales(*day, false, ReportOutput::pdf(file)), file);
}

int payroll(const QStringList &args, const QString &file)
{
    const auto employee = wholeNumber(args[0]);
    const auto year = wholeNumber(args[1]);
    const QString kind = args[2].toLower();
    if (!employee || !year || *year < 1900 || *year > 9999
        || (kind != QLatin1String("weekly") && kind != QLatin1String("semimonthly")))
        return badArguments(QStringLiteral("payroll expects EMPLOYEE-ID YEAR weekly|semimonthly"));
    if (!EmployeeStore::Load(*employee)) {
        say(QStringLiteral("there is no employee %1").arg(*employee));
        return BatchFailed;
    }
    return exitFor(PrintPayroll(*employee, *year, kind == QLatin1String("semimonthly"), ReportOutput::pdf(file)), file);
}

const QList<DocumentKind> &documents()
{
    static const QList<DocumentKind> kinds = {
        {"invoice", "TICKET-NUMBER", 1, invoice},
        {"daily-summary", "YYYY-MM-DD", 1,
         [](const QStringList &a, const QString &f) { return summary(a, f, SummaryPeriod::Daily); }},
        {"weekly-summary", "YYYY-MM-DD", 1,
         [](const QStringList &a, const QString &f) { return summary(a, f, SummaryPeriod::Weekly); }},
        {"monthly-summary", "YYYY-MM", 1, monthly},
        {"product-sales", "YYYY-MM-DD", 1, productSales},
        {"inventory", "", 0, [](const QStringList &, const QString &f) { return exitFor(PrintInventory(ReportOutput::pdf(f)), f); }},
        {"payroll", "EMPLOYEE-ID YEAR weekly|semimonthly", 3, payroll},
    };
    return kinds;
}

int writeDocument(const BatchCommand &c)
{
    if (c.document.isEmpty())
        return badArguments(QStringLiteral("--pdf FILE needs a document (see --help)"));
    const QString name = c.document.first();
    for (const DocumentKind &kind : documents()) {
        if (name != QLatin1String(kind.name))
            continue;
        const QStringList args = c.document.mid(1);
        if (args.size() != kind.count)
            return badArguments(QStringLiteral("%1 expects %2").arg(name, kind.count ? QLatin1String(kind.arguments)
                                                                                      : QStringLiteral("no arguments")));
        return kind.make(args, QFileInfo(c.file).absoluteFilePath());
    }
    return badArguments(QStringLiteral("unknown document \"%1\" (see --help)").arg(name));
}

int backup(const BatchCommand &c)
{
    const Backup::Result r = Backup::Create(c.file);
    say(r.message);
    return r.ok ? BatchDone : BatchFailed;
}

int restore(const BatchCommand &c)
{
    const Backup::Info info = Backup::Inspect(c.file);
    if (!info.valid) {
        say(info.reason);
        return BatchFailed;
    }
    if (!c.confirmed) {
        say(QStringLiteral("%1 is a backup taken %2; add --yes to replace the database with it")
                .arg(QDir::toNativeSeparators(c.file),
                     info.taken.isValid() ? DateText::generalDate(info.taken) : QStringLiteral("at an unknown time")));
        return BatchBadArguments;
    }
    const Backup::Result r = Backup::Restore(c.file);
    say(r.message);
    return r.ok ? BatchDone : BatchFailed;
}

} // namespace

bool TakeBatchOption(const QStringList &arguments, int &i, BatchCommand &command, QString *error)
{
    const QString &arg = arguments[i];
    BatchCommand::Kind kind = BatchCommand::Kind::None;
    if (arg == QLatin1String("--yes")) {
        command.confirmed = true;
        return true;
    }
    if (arg == QLatin1String("--backup"))
        kind = BatchCommand::Kind::Backup;
    else if (arg == QLatin1String("--restore"))
        kind = BatchCommand::Kind::Restore;
    else if (arg == QLatin1String("--pdf"))
        kind = BatchCommand::Kind::Pdf;
    else
        return false;
    if (command.kind != BatchCommand::Kind::None) {
        *error = QStringLiteral("only one of --backup, --restore and --pdf at a time");
        return true;
    }
    if (i + 1 >= arguments.size() || isOption(arguments[i + 1])) {
        *error = QStringLiteral("%1 needs a file name").arg(arg);
        return true;
    }
    command.kind = kind;
    command.file = arguments[++i];
    if (kind == BatchCommand::Kind::Pdf) {
        while (i + 1 < arguments.size() && !isOption(arguments[i + 1]))
            command.document << arguments[++i];
    }
    return true;
}

QString BatchUsage()
{
    QString text = QStringLiteral("Without windows (messages on standard error):\n"
                                  "  --backup FILE        write a backup of the whole database to FILE\n"
                                  "  --restore FILE --yes replace the database with a backup (kept aside first)\n"
                                  "  --pdf FILE DOCUMENT  write a document as a PDF file; DOCUMENT is one of\n");
    for (const DocumentKind &kind : documents())
        text += QStringLiteral("      %1 %2\n").arg(QLatin1String(kind.name), QLatin1String(kind.arguments));
    text += QStringLiteral("Exit status: 0 done, 1 failed, 2 bad arguments, 3 nothing to print (an empty period).\n");
    return text;
}

int RunBatchCommand(const BatchCommand &command)
{
    switch (command.kind) {
    case BatchCommand::Kind::Backup: return backup(command);
    case BatchCommand::Kind::Restore: return restore(command);
    case BatchCommand::Kind::Pdf: return writeDocument(command);
    case BatchCommand::Kind::None: return BatchDone;
    }
    return BatchDone;
}
