#pragma once

#include "data/UserPrompts.h"

#include <QLineEdit>

class QWidget;

// The prompts of the running program: message boxes and input boxes over the
// active window.
class MessageBoxPrompts final : public UserPrompts
{
public:
    void message(const QString &text, const QString &title = QString()) override;
    bool askYesNo(const QString &text, const QString &title = QString()) override;
    bool askOkCancel(const QString &text, const QString &title = QString()) override;
    Choice askYesNoCancel(const QString &text, const QString &title = QString()) override;
    std::optional<QString> inputText(const QString &prompt, const QString &title,
                                     const QString &defaultText = QString()) override;
    std::optional<QString> inputHidden(const QString &prompt, const QString &title) override;

private:
    static QWidget *owner();
    static std::optional<QString> input(const QString &prompt, const QString &title, QLineEdit::EchoMode echo,
                                        const QString &defaultText);
    static QString titleOrDefault(const QString &title);
};
