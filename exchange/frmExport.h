#pragma once

#include <QDialog>

class FileChooser;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

// "Export": customers, products (with their reserve and available stock),
// the labor price list or the tickets closed in a range of days, to a
// comma-separated file or an Excel workbook, chosen by the file's kind in
// the save dialog. Opened behind the administrator gate: the customer list
// leaving the shop is the owner's decision, and the log records it.
class frmExport : public QDialog
{
    Q_OBJECT
public:
    explicit frmExport(QWidget *parent = nullptr, FileChooser *chooser = nullptr);

    // Asks for the file and writes it.
    void ExportData();

private:
    enum What { Customers, Products, Labor, Tickets };
    What what() const;
    QString suggestedName() const;
    void enableRange();

    FileChooser *m_chooser;
    QComboBox *cboWhat;
    QDateEdit *dtpFrom;
    QDateEdit *dtpTo;
    QLabel *lblOutcome;
    QPushButton *cmdExport;
    QPushButton *cmdClose;
};
