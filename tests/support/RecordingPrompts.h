#pragma once

#include "data/UserPrompts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Prompts for tests: every message and question is recorded, questions are
// answered from a queue (default: the given default answer) and input boxes
// from another queue. Installs itself while it lives.
class RecordingPrompts final : public UserPrompts
{
public:
    RecordingPrompts();
    ~RecordingPrompts() override;

    void message(const QString &text, const QString &title = QString()) override;
    bool askYesNo(const QString &text, const QString &title = QString()) override;
    bool askOkCancel(const QString &text, const QString &title = QString()) override;
    // Takes the next queued choice; without one, the next Yes/No answer
    // (or the default one) as Yes or No.
    Choice askYesNoCancel(const QString &text, const QString &title = QString()) override;
    std::optional<QString> inputText(const QString &prompt, const QString &title,
                                     const QString &defaultText = QString()) override;

    // Answers for the next questions, in order.
    void answer(bool yes) { m_answers.append(yes); }
    void setDefaultAnswer(bool yes) { m_defaultAnswer = yes; }
    // A choice for the next Yes/No/Cancel question.
    void choose(Choice choice) { m_choices.append(choice); }
    // Runs while the next Yes/No question is on screen, before its answer:
    // what another counter does while the clerk reads it.
    void whileAsking(std::function<void()> step) { m_whileAsking = std::move(step); }
    // Text for the next input boxes (nullopt = Cancel).
    void type(std::optional<QString> text) { m_inputs.append(text); }

    QStringList messages;  // every message text, in order
    QStringList questions; // every question text, in order
    QStringList titles;    // the titles of messages and questions, in order

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last(); }
    void clear();

private:
    QList<bool> m_answers;
    QList<Choice> m_choices;
    QList<std::optional<QString>> m_inputs;
    bool m_defaultAnswer = false;
    std::function<void()> m_whileAsking;
    UserPrompts *m_previous = nullptr;
};
