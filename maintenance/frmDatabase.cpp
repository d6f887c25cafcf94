#include "maintenance/frmDatabase.h"

#include "data/AppPaths.h"
#include "data/AuditLog.h"
#include "data/Backup.h"
#include "data/Clock.h"
#include "data/DateText.h"
#include "data/UserPrompts.h"
#include "gate/AdminGate.h"
#include "gate/DefaultCodeReminder.h"
#include "maintenance/AutomaticBackup.h"
#include "maintenance/DatabaseCleanup.h"
#include "maintenance/FileChooser.h"
#include "widgets/WaitPointer.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString takenText(const Backup::Info &info)
{
    return info.taken.isValid() ? DateText::generalDate(info.taken) : QStringLiteral("an unknown time");
}

constexpr int kFileRole = Qt::UserRole;

QTreeWidgetItem *backupRow(const AutomaticBackup::Entry &entry)
{
    auto *row = new QTreeWidgetItem(QStringList{
        DateText::generalDate(entry.taken),
        QLocale::system().formattedDataSize(entry.bytes, 1, QLocale::DataSizeTraditionalFormat),
        entry.engine.isEmpty() ? QStringLiteral("not a backup") : entry.engine, QFileInfo(entry.file).fileName()});
    row->setData(0, kFileRole, entry.file);
    return row;
}

} // namespace

frmDatabase::frmDatabase(QWidget *parent, FileChooser *chooser) : QWidget(parent, Qt::Window), m_chooser(chooser)
{
    setObjectName(QStringLiteral("frmDatabase"));
    setWindowTitle(QStringLiteral("Database Administration"));
    cmdRemoveBlank = new QPushButton(QStringLiteral("Remove Blank Records"), this);
    cmdRemoveBlank->setObjectName(QStringLiteral("cmdRemoveBlank"));
    cmdBackup = new QPushButton(QStringLiteral("Backup..."), this);
    cmdBackup->setObjectName(QStringLiteral("cmdBackup"));
    cmdRestore = new QPushButton(QStringLiteral("Restore..."), this);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Customers that no ticket refers to:"), this));
    layout->addWidget(cmdRemoveBlank);
    layout->addSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("The whole database:"), this));
    layout->addWidget(cmdBackup);
    layout->addWidget(cmdRestore);
    layout->addSpacing(12);
    layout->addWidget(new QLabel(
        QStringLiteral("Automatic backups in %1:").arg(QDir::toNativeSeparators(AutomaticBackup::Folder())), this));
    lstBackups = new QTreeWidget(this);
    lstBackups->setObjectName(QStringLiteral("lstBackups"));
    lstBackups->setHeaderLabels(
        {QStringLiteral("Taken"), QStringLiteral("Size"), QStringLiteral("Engine"), QStringLiteral("File")});
    lstBackups->setRootIsDecorated(false);
    lstBackups->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(lstBackups, 1);
    cmdRestoreSelected = new QPushButton(QStringLiteral("Restore Selected..."), this);
    cmdRestoreSelected->setObjectName(QStringLiteral("cmdRestoreSelected"));
    layout->addWidget(cmdRestoreSelected);
    connect(cmdRemoveBlank, &QPushButton::clicked, this, &frmDatabase::RemoveBlankRecords);
    connect(cmdBackup, &QPushButton::clicked, this, &frmDatabase::BackupDatabase);
    connect(cmdRestore, &QPushButton::clicked, this, &frmDatabase::RestoreDatabase);
    connect(cmdRestoreSelected, &QPushButton::clicked, this, &frmDatabase::RestoreSelected);
    connect(lstBackups, &QTreeWidget::itemDoubleClicked, this, &frmDatabase::RestoreSelected);
    connect(lstBackups, &QTreeWidget::currentItemChanged, this,
            [this] { cmdRestoreSelected->setEnabled(lstBackups->currentItem() != nullptr); });
    ShowBackups();
    resize(520, 420);
}

FileChooser &frmDatabase::chooser()
{
    return ChooserOr(m_chooser);
}

void frmDatabase::RemoveBlankRecords()
{
    const std::optional<QList<int>> counted = DatabaseCleanup::CustomersWithoutTickets();
    if (!counted)
        return;
    if (counted->isEmpty()) {
        Prompts().message(
            QStringLiteral("Every customer has a ticket or was entered in the last 24 hours; nothing to remove."));
        return;
    }
    // A bulk delete can't be undone: ask, with the count. What is deleted
    // is what was counted, whatever another counter enters meanwhile.
    if (!Prompts().askYesNo(
            QStringLiteral("Remove %1 customer record(s) that no ticket refers to?").arg(counted->size())))
        return;
    // Only an administrator removes customers, and the log names them.
    const std::optional<QString> admin = DefaultCodeReminder::PassAndRemind();
    if (!admin)
        return;
    const AuditLog::Acting acting(*admin);
    const std::optional<int> removed = DatabaseCleanup::RemoveCustomers(*counted);
    if (!removed)
        return;
    QString said = QStringLiteral("%1 customer record(s) removed.").arg(*removed);
    if (*removed < counted->size())
        said += QStringLiteral(" %1 of those counted were kept: another counter gave them a ticket or removed them "
                               "meanwhile.")
                    .arg(counted->size() - *removed);
    Prompts().message(said);
}

void frmDatabase::BackupDatabase()
{
    const QString suggested = QDir(AppPaths::programFolder())
                                  .filePath(QStringLiteral("tessaly-%1.tessaly-backup")
                                                .arg(Clock::now().toString(QStringLiteral("yyyyMMdd-HHmm"))));
    const std::optional<QString> file = chooser().fileToSave(this, QStringLiteral("Backup"), suggested);
    if (!file)
        return;
    Backup::Result result;
    {
        const WaitPointer busy;
        result = Backup::Create(*file);
    }
    Prompts().message(result.message, QStringLiteral("Backup"));
    ShowBackups();
}

void frmDatabase::ShowBackups()
{
    lstBackups->clear();
    const QList<AutomaticBackup::Entry> entries = AutomaticBackup::List();
    for (const AutomaticBackup::Entry &entry : entries)
        lstBackups->addTopLevelItem(backupRow(entry));
    cmdRestoreSelected->setEnabled(lstBackups->currentItem() != nullptr);
}

void frmDatabase::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Said once at this counter, when the window is first seen.
    if (const QString note = AutomaticBackup::TakeServerNote(); !note.isEmpty())
        Prompts().message(note, QStringLiteral("Backup"));
}

// Other counters on the server lose what they show to a restore: said
// with their number, and asked once more.
bool frmDatabase::othersAgree()
{
    const int others = Backup::OtherCounters();
    if (others == 0)
        return true;
    const QString question = others == 1
        ? QStringLiteral("1 other counter is working on this database now. The restore ends its session: its screen "
                         "starts afresh, and whatever was typed there and not yet saved is lost. Restore anyway?")
        : QStringLiteral(
              "%1 other counters are working on this database now. The restore ends their sessions: their "
              "screens start afresh, and whatever was typed there and not yet saved is lost. Restore anyway?")
              .arg(others);
    return Prompts().askYesNo(question, QStringLiteral("Restore"));
}

void frmDatabase::RestoreDatabase()
{
    // A restore replaces every ticket, customer and PIN: only behind the
    // administrator gate.
    const std::optional<QString> admin = AdminGate::Pass();
    if (!admin)
        return;
    const AuditLog::Acting acting(*admin);
    const std::optional<QString> file = chooser().fileToOpen(this, QStringLiteral("Restore"),
                                                             AppPaths::programFolder());
    if (file)
        restoreFrom(*file);
}

void frmDatabase::RestoreSelected()
{
    const QTreeWidgetItem *row = lstBackups->currentItem();
    if (!row)
        return;
    const QString file = row->data(0, kFileRole).toString();
    const std::optional<QString> admin = AdminGate::Pass();
    if (!admin)
        return;
    const AuditLog::Acting acting(*admin);
    restoreFrom(file);
}

// The restore of a chosen file, behind the gate already: the backup is
// checked, the question names it and its time, and the database as it is
// is kept aside first.
void frmDatabase::restoreFrom(const QString &file)
{
    const Backup::Info info = Backup::Inspect(file);
    if (!info.valid) {
        Prompts().message(info.reason, QStringLiteral("Restore"));
        return;
    }
    const QString question = QStringLiteral("Replace everything in the database with the backup %1, taken %2? "
                                            "The database as it is now is kept aside first.")
                                 .arg(QDir::toNativeSeparators(file), takenText(info));
    if (!Prompts().askYesNo(question, QStringLiteral("Restore")))
        return;
    if (!othersAgree())
        return;
    Backup::Result result;
    {
        const WaitPointer busy;
        result = Backup::Restore(file);
    }
    Prompts().message(result.message, QStringLiteral("Restore"));
    ShowBackups();
    if (result.ok)
        Q_EMIT DatabaseRestored();
}
