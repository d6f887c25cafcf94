#pragma once

#include <QWidget>
#include <functional>

class FileChooser;
class QPushButton;

// "Database Administration": the clean-up of customers without tickets, and
// backing the whole database up and restoring it. The clean-up and the
// restore are behind the administrator gate.
class frmDatabase : public QWidget
{
    Q_OBJECT
public:
    // The chooser asks for backup files (not owned; the file dialogs when null).
    explicit frmDatabase(QWidget *parent = nullptr, FileChooser *chooser = nullptr);

    void RemoveBlankRecords();
    void BackupDatabase();
    void RestoreDatabase();

Q_SIGNALS:
    // The database's contents were replaced: windows showing rows must let go.
    void DatabaseRestored();

private:
    bool othersAgree();
    FileChooser &chooser();

    FileChooser *m_chooser;
    QPushButton *cmdRemoveBlank = nullptr;
    QPushButton *cmdBackup = nullptr;
    QPushButton *cmdRestore = nullptr;
};
