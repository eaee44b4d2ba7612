#include "scripted_dialogs.h"

ScriptedDialogs::ScriptedDialogs()
    : m_previous(setDialogs(this))
{
}

ScriptedDialogs::~ScriptedDialogs()
{
    if (&dialogs() == this)
        setDialogs(m_previous);
}

int ScriptedDialogs::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    shown.push_back({ QStringLiteral("msg"), prompt, buttons, title });
    if (!msgAnswers.empty()) {
        const int a = msgAnswers.front();
        msgAnswers.pop_front();
        return a;
    }
    return (buttons & 7) == vbYesNo ? vbNo : vbOK;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString&)
{
    shown.push_back({ QStringLiteral("input"), prompt, 0, title });
    if (!inputAnswers.empty()) {
        const QString a = inputAnswers.front();
        inputAnswers.pop_front();
        return a;
    }
    return QStringLiteral("1");
}

QString ScriptedDialogs::SaveFileName(const QString& caption, const QString& suggested, const QString&)
{
    shown.push_back({ QStringLiteral("file"), caption, 0, QString() });
    suggestedFiles << suggested;
    if (!fileAnswers.empty()) {
        const QString a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
    return {};
}

bool ScriptedDialogs::PdfOptions(PdfChoices& choices)
{
    shown.push_back({ QStringLiteral("pdf"), QString(), 0, QString() });
    pdfOffered.push_back(choices);
    if (pdfAnswers.empty())
        return true;
    const std::optional<PdfChoices> a = pdfAnswers.front();
    pdfAnswers.pop_front();
    if (a)
        choices = *a;
    return a.has_value();
}

int ScriptedDialogs::countTitled(const QString& title) const
{
    int n = 0;
    for (const Shown& s : shown)
        n += s.title == title ? 1 : 0;
    return n;
}

QStringList ScriptedDialogs::prompts() const
{
    QStringList l;
    for (const Shown& s : shown)
        l << s.prompt;
    return l;
}
