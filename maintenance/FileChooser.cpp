#include "maintenance/FileChooser.h"

#include <QFileDialog>

std::optional<QString> DialogFileChooser::fileToSave(QWidget *owner, const QString &title, const QString &suggested)
{
    const QString file = QFileDialog::getSaveFileName(owner, title, suggested,
                                                      QStringLiteral("Tessaly backups (*.tessaly-backup *.db *.dump);;"
                                                                     "All files (*)"));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> DialogFileChooser::fileToOpen(QWidget *owner, const QString &title, const QString &folder)
{
    const QString file = QFileDialog::getOpenFileName(owner, title, folder,
                                                      QStringLiteral("Tessaly backups (*.tessaly-backup *.db *.dump);;"
                                                                     "All files (*)"));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> DialogFileChooser::pictureToOpen(QWidget *owner, const QString &title, const QString &folder)
{
    const QString file = QFileDialog::getOpenFileName(owner, title, folder,
                                                      QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp *.gif);;"
                                                                     "All files (*)"));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}
