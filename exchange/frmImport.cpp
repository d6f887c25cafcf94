#include "exchange/frmImport.h"

#include "data/UserPrompts.h"
#include "exchange/CsvImport.h"
#include "maintenance/FileChooser.h"
#include "widgets/WaitPointer.h"
#include "widgets/WindowPlacement.h"
#include "widgets/vbalGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using ExchangeTable::Table;

// The first rows the columns' grid shows beside each column of the file.
constexpr int kRowsShown = 5;

const QString kImportTitle = QStringLiteral("Import");

} // namespace

frmImport::frmImport(QWidget *parent, FileChooser *chooser)
    : QDialog(parent)
    , m_chooser(chooser)
    , cboTable(new QComboBox(this))
    , txtFile(new QLineEdit(this))
    , cmdBrowse(new QPushButton(QStringLiteral("Browse..."), this))
    , chkUpdate(new QCheckBox(QStringLiteral("Update existing records"), this))
    , grdColumns(new vbalGrid(this))
    , lblRows(new QLabel(this))
    , txtOutcome(new QPlainTextEdit(this))
    , cmdImport(new QPushButton(QStringLiteral("Import"), this))
    , cmdClose(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(kImportTitle);
    cboTable->setObjectName(QStringLiteral("cboTable"));
    txtFile->setObjectName(QStringLiteral("txtFile"));
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    chkUpdate->setObjectName(QStringLiteral("chkUpdate"));
    grdColumns->setObjectName(QStringLiteral("grdColumns"));
    lblRows->setObjectName(QStringLiteral("lblRows"));
    txtOutcome->setObjectName(QStringLiteral("txtOutcome"));
    cmdImport->setObjectName(QStringLiteral("cmdImport"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    cboTable->addItem(QStringLiteral("Customers"), int(Table::Customers));
    cboTable->addItem(QStringLiteral("Products"), int(Table::Products));
    cboTable->addItem(QStringLiteral("Labor price list"), int(Table::Labor));
    chkUpdate->setToolTip(QStringLiteral("A row matching a stored record (customers by last name, first name and "
                                         "phone; products by bar code; labor by category and description) replaces "
                                         "its fields. Unticked, such rows are skipped."));
    txtOutcome->setReadOnly(true);
    cmdImport->setEnabled(false);
    // Enter in the file's box checks the file typed there; it neither browses
    // nor imports.
    for (QPushButton *button : {cmdBrowse, cmdImport, cmdClose})
        button->setAutoDefault(false);

    grdColumns->AddColumn(QStringLiteral("header"), QStringLiteral("Column in the file"), vbalGrid::AlignLeft, -1, 150);
    grdColumns->AddColumn(QStringLiteral("column"), QStringLiteral("Stored as"), vbalGrid::AlignLeft, -1, 120);
    for (int r = 1; r <= kRowsShown; ++r)
        grdColumns->AddColumn(QStringLiteral("row%1").arg(r), QStringLiteral("Row %1").arg(r), vbalGrid::AlignLeft, -1,
                              130);

    auto *choice = new QGridLayout;
    choice->addWidget(new QLabel(QStringLiteral("Import"), this), 0, 0);
    choice->addWidget(cboTable, 0, 1);
    choice->addWidget(new QLabel(QStringLiteral("File"), this), 1, 0);
    choice->addWidget(txtFile, 1, 1);
    choice->addWidget(cmdBrowse, 1, 2);
    choice->addWidget(chkUpdate, 2, 1);
    choice->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdImport);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(grdColumns, 2);
    layout->addWidget(lblRows);
    layout->addWidget(txtOutcome, 1);
    layout->addLayout(buttons);

    connect(cmdBrowse, &QPushButton::clicked, this, &frmImport::ChooseFile);
    connect(txtFile, &QLineEdit::editingFinished, this, &frmImport::CheckFile);
    connect(cboTable, &QComboBox::currentIndexChanged, this, &frmImport::CheckFile);
    connect(chkUpdate, &QCheckBox::toggled, this, &frmImport::CheckFile);
    connect(cmdImport, &QPushButton::clicked, this, &frmImport::ImportFile);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    resize(1000, 600);
    WindowPlacement::FitOnScreen(this);
}

Table frmImport::table() const
{
    return Table(cboTable->currentData().toInt());
}

void frmImport::ChooseFile()
{
    const QString folder = txtFile->text().isEmpty() ? QDir::homePath() : QFileInfo(txtFile->text()).absolutePath();
    const std::optional<QString> file =
        ChooserOr(m_chooser).spreadsheetToOpen(this, QStringLiteral("Import from"), folder);
    if (!file)
        return;
    txtFile->setText(QDir::toNativeSeparators(*file));
    CheckFile();
}

// Each column of the file as a row: its header, the column it fills (or
// that it is ignored) and its first values.
void frmImport::showPreview()
{
    const CsvImport::Preview preview = CsvImport::Inspect(table(), QDir::fromNativeSeparators(txtFile->text()),
                                                          kRowsShown);
    grdColumns->ClearRows();
    for (qsizetype f = 0; f < preview.header.size(); ++f) {
        const int row = grdColumns->AddRow();
        const QString column = preview.columnOfHeader.value(f);
        grdColumns->SetCell(row, 1, preview.header[f].trimmed());
        grdColumns->SetCell(row, 2, column.isEmpty() ? QStringLiteral("(ignored)") : column);
        for (qsizetype r = 0; r < preview.firstRows.size(); ++r)
            grdColumns->SetCell(row, int(r) + 3, preview.firstRows[r].value(f));
    }
    lblRows->setText(preview.header.isEmpty()
                         ? QString()
                         : QStringLiteral("%1 rows after the header, read as %2.")
                               .arg(preview.rowCount)
                               .arg(preview.encoding));
}

void frmImport::showOutcome(const QStringList &lines)
{
    txtOutcome->setPlainText(lines.join(QLatin1Char('\n')));
}

void frmImport::CheckFile()
{
    cmdImport->setEnabled(false);
    if (txtFile->text().trimmed().isEmpty()) {
        grdColumns->ClearRows();
        lblRows->clear();
        showOutcome({});
        return;
    }
    const WaitPointer wait;
    showPreview();
    CsvImport::Options options;
    options.updateExisting = chkUpdate->isChecked();
    options.dryRun = true;
    const CsvImport::Result checked =
        CsvImport::Import(table(), QDir::fromNativeSeparators(txtFile->text().trimmed()), options);
    // The box scrolls: every bad field is listed, as the import's own list would.
    QStringList lines = CsvImport::Describe(checked, int(checked.problems.size()));
    if (checked.done)
        lines << QStringLiteral("Press Import to take the file in.");
    showOutcome(lines);
    cmdImport->setEnabled(checked.done && checked.added + checked.updated > 0);
}

void frmImport::ImportFile()
{
    CsvImport::Options options;
    options.updateExisting = chkUpdate->isChecked();
    CsvImport::Result result;
    {
        const WaitPointer wait;
        result = CsvImport::Import(table(), QDir::fromNativeSeparators(txtFile->text().trimmed()), options);
    }
    const QStringList lines = CsvImport::Describe(result);
    showOutcome(lines);
    cmdImport->setEnabled(false);
    if (result.done) {
        // The counts and what follows them; the ignored columns were shown before.
        const QStringList said = lines.mid(lines.indexOf(CsvImport::Counts(result)));
        Prompts().message(QStringLiteral("Imported: ") + said.join(QLatin1Char('\n')), kImportTitle);
        emit Imported(table());
    } else {
        Prompts().message(lines.join(QLatin1Char('\n')), kImportTitle);
    }
}
