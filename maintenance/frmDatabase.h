#pragma once

#include <QWidget>
#include <functional>

class FileChooser;
class QPushButton;
class QTreeWidget;

// "Database Administration": the clean-up of customers without tickets, and
// backing the whole database up and restoring it, from a file chosen or from
// the list of the automatic backups. The clean-up and the restore are behind
// the administrator gate.
class frmDatabase : public QWidget
{
    Q_OBJECT
public:
    // The chooser asks for backup files (not owned; the file dialogs when null).
    explicit frmDatabase(QWidget *parent = nullptr, FileChooser *chooser = nullptr);

    void RemoveBlankRecords();
    void BackupDatabase();
    void RestoreDatabase();
    // The automatic backups' folder listed afresh: time taken, size, engine.
    void ShowBackups();
    // Restores the backup chosen in the list.
    void RestoreSelected();

Q_SIGNALS:
    // The database's contents were replaced: windows showing rows must let go.
    void DatabaseRestored();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool othersAgree();
    void restoreFrom(const QString &file);
    FileChooser &chooser();

    FileChooser *m_chooser;
    QPushButton *cmdRemoveBlank = nullptr;
    QPushButton *cmdBackup = nullptr;
    QPushButton *cmdRestore = nullptr;
    QTreeWidget *lstBackups = nullptr;
    QPushButton *cmdRestoreSelected = nullptr;
};
