#include "data/UserPrompts.h"

#include <cstdio>

namespace {

class ConsolePrompts final : public UserPrompts
{
public:
    void message(const QString &text, const QString &title) override
    {
        const QString line = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }
    bool askYesNo(const QString &text, const QString &) override
    {
        message(text + QStringLiteral(" [answered No]"), QString());
        return false;
    }
    bool askOkCancel(const QString &text, const QString &) override
    {
        message(text + QStringLiteral(" [answered Cancel]"), QString());
        return false;
    }
    Choice askYesNoCancel(const QString &text, const QString &) override
    {
        message(text + QStringLiteral(" [answered Cancel]"), QString());
        return Choice::Cancel;
    }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
};

ConsolePrompts g_console;
UserPrompts *g_prompts = nullptr;

} // namespace

std::optional<QString> UserPrompts::inputHidden(const QString &prompt, const QString &title)
{
    return inputText(prompt, title);
}

UserPrompts &Prompts()
{
    return g_prompts ? *g_prompts : g_console;
}

void SetPrompts(UserPrompts *prompts)
{
    g_prompts = prompts;
}

void ReportError(const QString &text)
{
    Prompts().message(text);
}
