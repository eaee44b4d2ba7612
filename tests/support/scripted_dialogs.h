#pragma once
// Dialogs answered by a script: a test hands them to a Work, and while they live they are also the
// window's dialogs layer.
#include "surface/dialogs.h"

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

// Answers from a queue and records what was shown. Without a queued answer a message box
// answers OK (or no for yes/no questions), an input box "1" and a file question "".
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "msg", "input", "file" or "pdf"
        QString prompt;
        int buttons = 0;
        QString title;
    };
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter) override;
    // Without a queued answer the choices are taken as offered; a queued nullopt cancels.
    bool PdfOptions(PdfChoices& choices) override;

    std::deque<int> msgAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> fileAnswers;
    std::deque<std::optional<PdfChoices>> pdfAnswers;
    std::vector<PdfChoices> pdfOffered; // the choices each "Exportar PDF" question showed
    std::vector<Shown> shown;
    QStringList suggestedFiles; // the file each file question offered
    int countTitled(const QString& title) const;
    QStringList prompts() const;

private:
    Dialogs* m_previous;
};
