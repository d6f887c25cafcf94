#pragma once

#include "exchange/ExchangeTable.h"

#include <QDialog>

class FileChooser;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class vbalGrid;

// "Import": customers, products or the labor price list from a
// comma-separated file. Choosing the file shows how its columns are read and
// its first rows, and checks every row as the import would, before anything
// is written; "Import" then takes the whole file in one step, or nothing.
// Opened behind the administrator gate, whose opener the import records.
class frmImport : public QDialog
{
    Q_OBJECT
public:
    explicit frmImport(QWidget *parent = nullptr, FileChooser *chooser = nullptr);

    // Reads the file named in the box again and checks it.
    void CheckFile();
    // Takes the checked file in.
    void ImportFile();
    void ChooseFile();

signals:
    // The rows went in; windows listing the table may read it again.
    void Imported(ExchangeTable::Table table);

private:
    ExchangeTable::Table table() const;
    void showPreview();
    void showOutcome(const QStringList &lines);

    FileChooser *m_chooser;
    QComboBox *cboTable;
    QLineEdit *txtFile;
    QPushButton *cmdBrowse;
    QCheckBox *chkUpdate;
    vbalGrid *grdColumns;
    QLabel *lblRows;
    QPlainTextEdit *txtOutcome;
    QPushButton *cmdImport;
    QPushButton *cmdClose;
};
