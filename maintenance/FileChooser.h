#pragma once

#include <QString>
#include <optional>

class QWidget;

// How a window asks for a file: the file dialogs in the program, a script in
// tests. nullopt when the user cancelled.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> fileToSave(QWidget *owner, const QString &title, const QString &suggested) = 0;
    virtual std::optional<QString> fileToOpen(QWidget *owner, const QString &title, const QString &folder) = 0;
    // A picture to open; the dialogs offer picture files first.
    virtual std::optional<QString> pictureToOpen(QWidget *owner, const QString &title, const QString &folder)
    {
        return fileToOpen(owner, title, folder);
    }
    // A spreadsheet to read or to write; the dialogs offer comma-separated
    // files (and, to write, Excel workbooks) first.
    virtual std::optional<QString> spreadsheetToOpen(QWidget *owner, const QString &title, const QString &folder)
    {
        return fileToOpen(owner, title, folder);
    }
    virtual std::optional<QString> spreadsheetToSave(QWidget *owner, const QString &title, const QString &suggested)
    {
        return fileToSave(owner, title, suggested);
    }
};

// The file dialogs.
class DialogFileChooser final : public FileChooser
{
public:
    std::optional<QString> fileToSave(QWidget *owner, const QString &title, const QString &suggested) override;
    std::optional<QString> fileToOpen(QWidget *owner, const QString &title, const QString &folder) override;
    std::optional<QString> pictureToOpen(QWidget *owner, const QString &title, const QString &folder) override;
    std::optional<QString> spreadsheetToOpen(QWidget *owner, const QString &title, const QString &folder) override;
    std::optional<QString> spreadsheetToSave(QWidget *owner, const QString &title, const QString &suggested) override;
};

// The chooser a window was given (tests give theirs), else the program's
// file dialogs.
FileChooser &ChooserOr(FileChooser *given);
