#pragma once
// The real message boxes, input box and file question of the window system.
#include "surface/dialogs.h"

class QtDialogs : public Dialogs {
public:
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter) override;
    bool PdfOptions(PdfChoices& choices) override;
};
