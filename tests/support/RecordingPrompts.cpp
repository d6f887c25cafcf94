#include "tests/support/RecordingPrompts.h"

#include <utility>

RecordingPrompts::RecordingPrompts() : m_previous(&Prompts())
{
    SetPrompts(this);
}

RecordingPrompts::~RecordingPrompts()
{
    SetPrompts(nullptr);
}

void RecordingPrompts::message(const QString &text, const QString &title)
{
    messages.append(text);
    titles.append(title);
}

bool RecordingPrompts::askYesNo(const QString &text, const QString &title)
{
    questions.append(text);
    titles.append(title);
    if (m_whileAsking)
        std::exchange(m_whileAsking, nullptr)();
    return m_answers.isEmpty() ? m_defaultAnswer : m_answers.takeFirst();
}

bool RecordingPrompts::askOkCancel(const QString &text, const QString &title)
{
    return askYesNo(text, title);
}

UserPrompts::Choice RecordingPrompts::askYesNoCancel(const QString &text, const QString &title)
{
    if (!m_choices.isEmpty()) {
        questions.append(text);
        titles.append(title);
        return m_choices.takeFirst();
    }
    return askYesNo(text, title) ? Choice::Yes : Choice::No;
}

std::optional<QString> RecordingPrompts::inputText(const QString &prompt, const QString &title, const QString &)
{
    questions.append(prompt);
    titles.append(title);
    return m_inputs.isEmpty() ? std::nullopt : m_inputs.takeFirst();
}

void RecordingPrompts::clear()
{
    messages.clear();
    questions.clear();
    titles.clear();
}
