#include "maintenance/FileChooser.h"

#include "exchange/SheetFile.h"

#include <QFileDialog>

namespace {

const QString kBackups = QStringLiteral("Tessaly backups (*.tessaly-backup *.db *.dump);;All files (*)");
const QString kCsv = QStringLiteral("CSV files (*.csv)");
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

std::optional<QString> DialogFileChooser::spreadsheetToSave(QWidget *owner, const QString &title,
                                                            const QString &suggested)
{
    QString kind;
    const QString file = QFileDialog::getSaveFileName(owner, title, suggested, SheetFile::SaveFilters(), &kind);
    return chosen(SheetFile::WithExtension(file, kind));
}

FileChooser &ChooserOr(FileChooser *given)
{
    static DialogFileChooser dialogs;
    return given ? *given : dialogs;
}
