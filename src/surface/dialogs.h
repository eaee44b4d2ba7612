#pragma once
// Message boxes and the input box go through one small layer, so that tests can answer them.
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

// Button codes of a message box: 0 OK only, 4 yes/no; icons: 16 critical, 32 question.
// Answers: 1 OK, 6 yes, 7 no.
constexpr int vbOKOnly = 0, vbYesNo = 4, vbCritical = 16, vbQuestion = 32;
constexpr int vbOK = 1, vbYes = 6, vbNo = 7;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual int MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
    // The text typed; empty when cancelled.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // A file to write to, or empty when cancelled.
    virtual QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter) = 0;
};

// The layer in force; the window installs the real one, tests a scripted one.
Dialogs& dialogs();
void setDialogs(Dialogs* d);

// Answers from a queue and records what was shown. Without a queued answer a message box
// answers OK (or no for yes/no questions), an input box "1" and a file question "".
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "msg", "input" or "file"
        QString prompt;
        int buttons = 0;
        QString title;
    };
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter) override;

    std::deque<int> msgAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> fileAnswers;
    std::vector<Shown> shown;
    int countTitled(const QString& title) const;
    QStringList prompts() const;

private:
    Dialogs* m_previous;
};
