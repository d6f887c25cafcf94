#pragma once

#include <QString>
#include <optional>

// Every message box, question and input box of the program goes through this
// interface. Windows install a message-box implementation; tests and the
// command line install their own, so nothing ever waits on a box nobody sees.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // An OK-only message (errors, notices).
    virtual void message(const QString &text, const QString &title = QString()) = 0;
    // A Yes/No question; true means Yes.
    virtual bool askYesNo(const QString &text, const QString &title = QString()) = 0;
    // An OK/Cancel question; true means OK.
    virtual bool askOkCancel(const QString &text, const QString &title = QString()) = 0;
    // A Yes/No/Cancel question.
    enum class Choice { Yes, No, Cancel };
    virtual Choice askYesNoCancel(const QString &text, const QString &title = QString()) = 0;
    // An input box; nullopt when the user cancelled.
    virtual std::optional<QString> inputText(const QString &prompt, const QString &title,
                                             const QString &defaultText = QString()) = 0;
    // An input box that hides what is typed (a code being set), empty at
    // first; nullopt when the user cancelled. Prompts with no box to hide
    // it in (tests, the command line) answer it as an ordinary input box.
    virtual std::optional<QString> inputHidden(const QString &prompt, const QString &title);
};

// The prompts in use. Without an installed implementation messages go to
// standard error and every question is answered No / Cancel.
UserPrompts &Prompts();

// Installs an implementation (not owned); nullptr restores the default.
void SetPrompts(UserPrompts *prompts);

// Shorthand for the error boxes of the data layer and the reports.
void ReportError(const QString &text);
