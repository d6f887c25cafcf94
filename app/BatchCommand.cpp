#include "app/BatchCommand.h"

#include "catalog/ProductLabels.h"
#include "data/AuditLog.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/FileReplace.h"
#include "data/UserPrompts.h"
#include "exchange/CsvImport.h"
#include "exchange/TableExport.h"
#include "reports/AuditReport.h"
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

int exitFor(const ReportResult &result, const ReportOutput &output)
{
    switch (result.status) {
    case ReportResult::Status::Done:
        if (output.kind() == ReportOutput::Kind::Sheets)
            say(QStringLiteral("wrote %1").arg(QDir::toNativeSeparators(output.path())));
        else
            say(QStringLiteral("wrote %1 (%2 page(s))").arg(QDir::toNativeSeparators(output.path())).arg(result.pages));
        return BatchDone;
    case ReportResult::Status::NoDocument:
        return BatchNothingToPrint;
    case ReportResult::Status::Cancelled:
    case ReportResult::Status::Failed:
        return BatchFailed;
    }
    return BatchFailed;
}

// Nothing to print for a reason of the shop's data, not of the arguments;
// a read that failed has said why itself and is a failure.
int nothingBecause(const QString &reason)
{
    if (!Database::LastError().isEmpty())
        return BatchFailed;
    say(reason);
    return BatchNothingToPrint;
}

// Each document: its name, what its arguments look like, how they are
// checked (before anything is opened, so a mistake writes nothing), how
// the document is made from them, and whether it is a report (whose
// figures also go out as a spreadsheet).
struct DocumentKind
{
    const char *name;
    const char *arguments;
    int count;                                             // -1: as many as the check takes
    std::function<QString(const QStringList &args)> check; // "" when the arguments are right
    std::function<int(const QStringList &args, const ReportOutput &output)> make;
    bool report = true;
};

QString checkTicket(const QStringList &args)
{
    const auto id = wholeNumber(args[0]);
    if (!id || *id <= 0)
        return QStringLiteral("invoice expects a ticket number, not \"%1\"").arg(args[0]);
    return QString();
}

int invoice(const QStringList &args, const ReportOutput &output)
{
    const int id = *wholeNumber(args[0]);
    if (!TicketStore::LoadHeader(id))
        return nothingBecause(QStringLiteral("there is no ticket %1; nothing was written").arg(id));
    const ReportResult result = Printbill(id, output);
    if (result.status == ReportResult::Status::NoDocument)
        return nothingBecause(
            QStringLiteral("ticket %1 has no customer any more (the customer was removed); nothing was written")
                .arg(id));
    return exitFor(result, output);
}

QString checkDay(const QStringList &args)
{
    if (!isoDay(args[0]))
        return QStringLiteral("expected a date as YYYY-MM-DD, not \"%1\"").arg(args[0]);
    return QString();
}

int summary(const QStringList &args, const ReportOutput &output, SummaryPeriod period)
{
    return exitFor(PrintSalesSummary(*isoDay(args[0]), period, output), output);
}

QString checkMonth(const QStringList &args)
{
    if (args[0].size() != 7 || !isoDay(args[0] + QStringLiteral("-01")))
        return QStringLiteral("monthly-summary expects a month as YYYY-MM, not \"%1\"").arg(args[0]);
    return QString();
}

int monthly(const QStringList &args, const ReportOutput &output)
{
    return exitFor(PrintSalesSummary(*isoDay(args[0] + QStringLiteral("-01")), SummaryPeriod::Monthly, output), output);
}

QString checkProductDay(const QStringList &args)
{
    if (!isoDay(args[0]))
        return QStringLiteral("product-sales expects a date as YYYY-MM-DD, not \"%1\"").arg(args[0]);
    return QString();
}

int productSales(const QStringList &args, const ReportOutput &output)
{
    return exitFor(PrintProductSales(*isoDay(args[0]), false, output), output);
}

QString checkPayroll(const QStringList &args)
{
    const auto employee = wholeNumber(args[0]);
    const auto year = wholeNumber(args[1]);
    const QString kind = args[2].toLower();
    if (!employee || !year || *year < 1900 || *year > 9999
        || (kind != QLatin1String("weekly") && kind != QLatin1String("semimonthly")))
        return QStringLiteral("payroll expects EMPLOYEE-ID YEAR weekly|semimonthly");
    return QString();
}

int payroll(const QStringList &args, const ReportOutput &output)
{
    const int employee = *wholeNumber(args[0]);
    if (!EmployeeStore::Load(employee))
        return nothingBecause(QStringLiteral("there is no employee %1; nothing was written").arg(employee));
    return exitFor(
        PrintPayroll(employee, *wholeNumber(args[1]), args[2].toLower() == QLatin1String("semimonthly"), output),
        output);
}

QString checkAuditRange(const QStringList &args)
{
    const auto from = isoDay(args[0]);
    const auto to = isoDay(args[1]);
    if (!from || !to)
        return QStringLiteral("audit expects two dates as YYYY-MM-DD, not \"%1 %2\"").arg(args[0], args[1]);
    if (*to < *from)
        return QStringLiteral("audit expects the first date before the second, not \"%1 %2\"").arg(args[0], args[1]);
    return QString();
}

int auditLog(const QStringList &args, const ReportOutput &output)
{
    return exitFor(PrintAuditLog(*isoDay(args[0]), *isoDay(args[1]), QString(), QString(), output), output);
}

// labels SHEET [@START] PRODUCT-ID…: the start is marked, as it is a number too.
QString checkLabels(const QStringList &args)
{
    const QString usage = QStringLiteral("labels expects 5160|5163 [@START] PRODUCT-ID...");
    if (args.size() < 2 || !LabelSheet::Named(args[0]))
        return usage;
    const bool started = args[1].startsWith(QLatin1Char('@'));
    const auto start = started ? wholeNumber(args[1].mid(1)) : std::optional<int>(1);
    if (!start || *start < 1 || *start > LabelSheet::Named(args[0])->Count())
        return QStringLiteral("a %1 sheet has labels 1 to %2, not \"%3\"")
            .arg(args[0])
            .arg(LabelSheet::Named(args[0])->Count())
            .arg(args[1]);
    if (started && args.size() < 3)
        return usage;
    for (const QString &id : args.mid(started ? 2 : 1)) {
        if (!wholeNumber(id) || *wholeNumber(id) <= 0)
            return QStringLiteral("labels expects product ids, not \"%1\"").arg(id);
    }
    return QString();
}

int labels(const QStringList &args, const ReportOutput &output)
{
    const bool started = args[1].startsWith(QLatin1Char('@'));
    QList<int> ids;
    for (const QString &id : args.mid(started ? 2 : 1))
        ids.append(*wholeNumber(id));
    const std::optional<QList<ProductLabels::Product>> products = ProductLabels::Read(ids);
    if (!products)
        return BatchFailed;
    for (const int id : ids) {
        if (std::none_of(products->cbegin(), products->cend(), [id](const auto &p) { return p.id == id; }))
            return nothingBecause(QStringLiteral("there is no product %1; nothing was written").arg(id));
    }
    const ProductLabels::Choice choice{*LabelSheet::Named(args[0]), started ? *wholeNumber(args[1].mid(1)) : 1,
                                       ProductLabels::Count::One};
    return exitFor(ProductLabels::PrintLabels(*products, choice, output), output);
}

QString noArguments(const QStringList &)
{
    return QString();
}

const QList<DocumentKind> &documents()
{
    static const QList<DocumentKind> kinds = {
        {"invoice", "TICKET-NUMBER", 1, checkTicket, invoice, false},
        {"daily-summary", "YYYY-MM-DD", 1, checkDay,
         [](const QStringList &a, const ReportOutput &o) { return summary(a, o, SummaryPeriod::Daily); }},
        {"weekly-summary", "YYYY-MM-DD", 1, checkDay,
         [](const QStringList &a, const ReportOutput &o) { return summary(a, o, SummaryPeriod::Weekly); }},
        {"monthly-summary", "YYYY-MM", 1, checkMonth, monthly},
        {"product-sales", "YYYY-MM-DD", 1, checkProductDay, productSales},
        {"inventory", "", 0, noArguments,
         [](const QStringList &, const ReportOutput &o) { return exitFor(PrintInventory(o), o); }},
        {"payroll", "EMPLOYEE-ID YEAR weekly|semimonthly", 3, checkPayroll, payroll},
        {"audit", "FROM TO (YYYY-MM-DD)", 2, checkAuditRange, auditLog},
        {"labels", "5160|5163 [@START] PRODUCT-ID...", -1, checkLabels, labels, false},
    };
    return kinds;
}

const DocumentKind *documentNamed(const QString &name)
{
    for (const DocumentKind &kind : documents()) {
        if (name == QLatin1String(kind.name))
            return &kind;
    }
    return nullptr;
}

bool asSheets(const BatchCommand &c)
{
    return c.kind == BatchCommand::Kind::Sheets;
}

QString checkDocument(const BatchCommand &c)
{
    const QString option = asSheets(c) ? QStringLiteral("--csv") : QStringLiteral("--pdf");
    if (c.document.isEmpty())
        return QStringLiteral("%1 FILE needs a document (see --help)").arg(option);
    const QString name = c.document.first();
    const DocumentKind *kind = documentNamed(name);
    if (!kind)
        return QStringLiteral("unknown document \"%1\" (see --help)").arg(name);
    if (asSheets(c) && !kind->report)
        return QStringLiteral("%1 is not a report: --csv writes the figures of a report; use --pdf for it").arg(name);
    const QStringList args = c.document.mid(1);
    if (kind->count >= 0 && args.size() != kind->count)
        return QStringLiteral("%1 expects %2")
            .arg(name, kind->count ? QLatin1String(kind->arguments) : QStringLiteral("no arguments"));
    return kind->check(args);
}

int writeDocument(const BatchCommand &c)
{
    const QString file = QFileInfo(c.file).absoluteFilePath();
    // The shop's database, or any database, is never replaced by a document.
    QString refused;
    if (!FileReplace::CanReplaceWithDocument(
            file, &refused, asSheets(c) ? QStringLiteral("the spreadsheet") : QStringLiteral("the PDF"))) {
        say(refused);
        return BatchFailed;
    }
    const ReportOutput output = asSheets(c) ? ReportOutput::sheets(file) : ReportOutput::pdf(file);
    return documentNamed(c.document.first())->make(c.document.mid(1), output);
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

// The acting name of the audit entries written from the command line.
const QString kCommandLine = QStringLiteral("command line");

const QString kTickets = QStringLiteral("tickets");

QString checkExchange(const BatchCommand &c)
{
    const QString verb = c.kind == BatchCommand::Kind::Import ? QStringLiteral("--import") : QStringLiteral("--export");
    const QString table = c.document.value(0);
    const bool tickets = c.kind == BatchCommand::Kind::Export && table == kTickets;
    if (!tickets && !ExchangeTable::FromName(table))
        return QStringLiteral("%1 expects customers, products, labor%2 before the file, not \"%3\"")
            .arg(verb, c.kind == BatchCommand::Kind::Export ? QStringLiteral(" or tickets") : QString(), table);
    const QStringList range = c.document.mid(1);
    if (tickets)
        return range.size() == 2 ? checkAuditRange(range).replace(QStringLiteral("audit"), QStringLiteral("tickets"))
                                 : QStringLiteral("--export tickets FILE expects FROM TO (YYYY-MM-DD)");
    if (!range.isEmpty())
        return QStringLiteral("%1 %2 FILE takes nothing after the file, not \"%3\"")
            .arg(verb, table, range.join(QLatin1Char(' ')));
    if (c.kind == BatchCommand::Kind::Import && !QFileInfo(c.file).isFile())
        return QStringLiteral("%1 does not exist, or is not a file; nothing was imported")
            .arg(QDir::toNativeSeparators(QFileInfo(c.file).absoluteFilePath()));
    return QString();
}

int importFile(const BatchCommand &c)
{
    const AuditLog::Acting acting(kCommandLine);
    const CsvImport::Result r = CsvImport::Import(*ExchangeTable::FromName(c.document.first()), c.file,
                                                  {.updateExisting = c.updateExisting, .dryRun = c.dryRun});
    for (const QString &line : CsvImport::Describe(r))
        say(line);
    if (c.dryRun && !r.problems.isEmpty())
        say(QStringLiteral("a dry run writes nothing: run it without --dry-run to have the list written beside "
                           "the file (nothing is imported while a row is bad)"));
    return r.done ? BatchDone : BatchFailed;
}

int exportFile(const BatchCommand &c)
{
    const AuditLog::Acting acting(kCommandLine);
    const QString table = c.document.first();
    QString error;
    int rows = 0;
    const bool ok = table == kTickets
        ? TableExport::ExportTickets(*isoDay(c.document[1]), *isoDay(c.document[2]), c.file, &error, &rows)
        : TableExport::ExportTable(*ExchangeTable::FromName(table), c.file, &error, &rows);
    if (!ok) {
        say(error);
        return BatchFailed;
    }
    say(QStringLiteral("wrote %1 (%2 row(s))")
            .arg(QDir::toNativeSeparators(QFileInfo(c.file).absoluteFilePath()))
            .arg(rows));
    return BatchDone;
}

} // namespace

QString CheckBatchArguments(const BatchCommand &command)
{
    if ((command.updateExisting || command.dryRun) && command.kind != BatchCommand::Kind::Import)
        return QStringLiteral("--update-existing and --dry-run go with --import");
    if (command.kind == BatchCommand::Kind::Pdf || command.kind == BatchCommand::Kind::Sheets)
        return checkDocument(command);
    if (command.kind == BatchCommand::Kind::Import || command.kind == BatchCommand::Kind::Export)
        return checkExchange(command);
    if (command.kind == BatchCommand::Kind::Restore && !QFileInfo(command.file).isFile())
        return QStringLiteral("%1 does not exist, or is not a file; nothing was restored")
            .arg(QDir::toNativeSeparators(QFileInfo(command.file).absoluteFilePath()));
    return QString();
}

bool TakeBatchOption(const QStringList &arguments, int &i, BatchCommand &command, QString *error)
{
    const QString &arg = arguments[i];
    BatchCommand::Kind kind = BatchCommand::Kind::None;
    if (arg == QLatin1String("--yes")) {
        command.confirmed = true;
        return true;
    }
    if (arg == QLatin1String("--update-existing") || arg == QLatin1String("--dry-run")) {
        (arg == QLatin1String("--dry-run") ? command.dryRun : command.updateExisting) = true;
        return true;
    }
    if (arg == QLatin1String("--backup"))
        kind = BatchCommand::Kind::Backup;
    else if (arg == QLatin1String("--restore"))
        kind = BatchCommand::Kind::Restore;
    else if (arg == QLatin1String("--pdf"))
        kind = BatchCommand::Kind::Pdf;
    else if (arg == QLatin1String("--csv"))
        kind = BatchCommand::Kind::Sheets;
    else if (arg == QLatin1String("--import"))
        kind = BatchCommand::Kind::Import;
    else if (arg == QLatin1String("--export"))
        kind = BatchCommand::Kind::Export;
    else
        return false;
    if (command.kind != BatchCommand::Kind::None) {
        *error = QStringLiteral("only one of --backup, --restore, --pdf, --csv, --import and --export at a time");
        return true;
    }
    if (kind == BatchCommand::Kind::Import || kind == BatchCommand::Kind::Export) {
        // The table comes first: --import customers FILE.
        if (i + 2 >= arguments.size() || isOption(arguments[i + 1]) || isOption(arguments[i + 2])) {
            *error = QStringLiteral("%1 needs a table and a file name").arg(arg);
            return true;
        }
        command.kind = kind;
        command.document << arguments[++i];
        command.file = arguments[++i];
        while (i + 1 < arguments.size() && !isOption(arguments[i + 1]))
            command.document << arguments[++i];
        return true;
    }
    if (i + 1 >= arguments.size() || isOption(arguments[i + 1])) {
        *error = QStringLiteral("%1 needs a file name").arg(arg);
        return true;
    }
    command.kind = kind;
    command.file = arguments[++i];
    if (kind == BatchCommand::Kind::Pdf || kind == BatchCommand::Kind::Sheets) {
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
        text += QStringLiteral("      %1%2\n")
                    .arg(QLatin1String(kind.name),
                         *kind.arguments ? QLatin1Char(' ') + QLatin1String(kind.arguments) : QString());
    text += QStringLiteral("  --csv FILE DOCUMENT  write a report's figures as a spreadsheet: a comma-separated\n"
                           "                       file, or a workbook when FILE ends in .xlsx; DOCUMENT as for\n"
                           "                       --pdf, but for invoice and labels, which are not reports\n");
    text += QStringLiteral("  --import customers|products|labor FILE [--update-existing] [--dry-run]\n"
                           "                       read a comma-separated file into the table: every row or\n"
                           "                       none (the bad rows are listed and written beside FILE);\n"
                           "                       rows matching a stored record are skipped unless\n"
                           "                       --update-existing; --dry-run checks and writes nothing\n"
                           "  --export customers|products|labor FILE\n"
                           "  --export tickets FILE FROM TO\n"
                           "                       write the table, or the tickets closed from FROM to TO\n"
                           "                       (YYYY-MM-DD) with their lines and payments, to FILE\n"
                           "                       (a workbook when FILE ends in .xlsx)\n");
    text += QStringLiteral("Exit status: 0 done, 1 failed, 2 bad arguments, 3 nothing to print (an empty period).\n");
    return text;
}

int RunBatchCommand(const BatchCommand &command)
{
    switch (command.kind) {
    case BatchCommand::Kind::Backup:
        return backup(command);
    case BatchCommand::Kind::Restore:
        return restore(command);
    case BatchCommand::Kind::Pdf:
    case BatchCommand::Kind::Sheets:
        return writeDocument(command);
    case BatchCommand::Kind::Import:
        return importFile(command);
    case BatchCommand::Kind::Export:
        return exportFile(command);
    case BatchCommand::Kind::None:
        return BatchDone;
    }
    return BatchDone;
}
