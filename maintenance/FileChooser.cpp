#include "maintenance/FileChooser.h"

#include <QFileDialog>

namespace {

const QString kBackups = QStringLiteral("Tessaly backups (*.tessaly-backup *.db *.dump);;All files (*)");
const QString kCsv = QStringLiteral("CSV files (*.csv)");
const QString kXlsx = QStringLiteral("Excel workbooks (*.xlsx)");
const QString kPictures = QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp *.gif);;All files (*)");

// A dialog closed without a file is no choice.
std::optional<QString> chosen(const QString &file)
{
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

} // namespace

std::optional<QString> DialogFileChooser::fileToSave(QWidget *owner, const QString &title, const QString &suggested)
{
    return chosen(QFileDialog::getSaveFileName(owner, title, suggested, kBackups));
}

std::optional<QString> DialogFileChooser::fileToOpen(QWidget *owner, const QString &title, const QString &folder)
{
    return chosen(QFileDialog::getOpenFileName(owner, title, folder, kBackups));
}

std::optional<QString> DialogFileChooser::pictureToOpen(QWidget *owner, const QString &title, const QString &folder)
{
    return chosen(QFileDialog::getOpenFileName(owner, title, folder, kPictures));
}

std::optional<QString> DialogFileChooser::spreadsheetToOpen(QWidget *owner, const QString &title,
                                                            const QString &folder)
{
    return chosen(QFileDialog::getOpenFileName(owner, title, folder,
                                               kCsv + QStringLiteral(";;Text files (*.txt);;All files (*)")));
}

// The file gets the extension of the kind chosen when its name has none of
// the two, so "March" saved as a workbook is "March.xlsx".
std::optional<QString> DialogFileChooser::spreadsheetToSave(QWidget *owner, const QString &title,
                                                            const QString &suggested)
{
    QString kind = kCsv;
    QString file = QFileDialog::getSaveFileName(owner, title, suggested, kCsv + QStringLiteral(";;") + kXlsx, &kind);
    const bool named = file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
        || file.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
    if (!file.isEmpty() && !named)
        file += kind == kXlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    return chosen(file);
}

FileChooser &ChooserOr(FileChooser *given)
{
    static DialogFileChooser dialogs;
    return given ? *given : dialogs;
}
