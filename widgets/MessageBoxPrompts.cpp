#include "widgets/MessageBoxPrompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

QWidget *MessageBoxPrompts::owner()
{
    return QApplication::activeWindow();
}

QString MessageBoxPrompts::titleOrDefault(const QString &title)
{
    return title.isEmpty() ? QStringLiteral("Tessaly") : title;
}

void MessageBoxPrompts::message(const QString &text, const QString &title)
{
    QMessageBox::information(owner(), titleOrDefault(title), text, QMessageBox::Ok);
}

bool MessageBoxPrompts::askYesNo(const QString &text, const QString &title)
{
    return QMessageBox::question(owner(), titleOrDefault(title), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}

bool MessageBoxPrompts::askOkCancel(const QString &text, const QString &title)
{
    return QMessageBox::question(owner(), titleOrDefault(title), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel)
        == QMessageBox::Ok;
}

UserPrompts::Choice MessageBoxPrompts::askYesNoCancel(const QString &text, const QString &title)
{
    switch (QMessageBox::question(owner(), titleOrDefault(title), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel; // Escape and the title bar's close button too
    }
}

std::optional<QString> MessageBoxPrompts::input(const QString &prompt, const QString &title, QLineEdit::EchoMode echo,
                                                const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), titleOrDefault(title), prompt, echo, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> MessageBoxPrompts::inputText(const QString &prompt, const QString &title,
                                                    const QString &defaultText)
{
    return input(prompt, title, QLineEdit::Normal, defaultText);
}

std::optional<QString> MessageBoxPrompts::inputHidden(const QString &prompt, const QString &title)
{
    return input(prompt, title, QLineEdit::Password, QString());
}
