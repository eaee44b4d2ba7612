#pragma once
// Message boxes and the input box go through one small layer, so that tests can answer them.
#include <QString>

// Button codes of a message box: 0 OK only, 4 yes/no; icons: 16 critical, 32 question.
// Answers: 1 OK, 6 yes, 7 no.
constexpr int vbOKOnly = 0, vbYesNo = 4, vbCritical = 16, vbQuestion = 32;
constexpr int vbOK = 1, vbYes = 6, vbNo = 7;

// What "Exportar PDF" asks: what the amounts are for and how the chart is laid out.
struct PdfChoices {
    int fabric = 1; // an index of the fabrics the thread amounts know (Aida 14)
    int strands = 2;
    bool letter = false; // Letter paper, else A4
    double cellMm = 2.5;
    int overlap = 0; // rows and columns of the next pages repeated
    bool symbolsOnly = false; // "Solo signos en blanco y negro": no colour fills
    int backstitchStrands = 1; // "Hebras del pespunte"
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual int MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
    // The text typed; empty when cancelled.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // A file to write to, or empty when cancelled.
    virtual QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter) = 0;
    // The choices of "Exportar PDF", shown as `choices` holds them; true, with them changed, when
    // accepted. Where nobody can answer it is declined.
    virtual bool PdfOptions(PdfChoices& choices)
    {
        (void)choices;
        return false;
    }
};

// The layer in force in the window; the program installs the real one, tests a scripted one.
// The work and the batch command are handed theirs instead.
Dialogs& dialogs();
// Installs `d` (none: nothing is shown and every question is declined); returns the one it replaces.
Dialogs* setDialogs(Dialogs* d);
