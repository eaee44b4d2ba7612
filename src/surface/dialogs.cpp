#include "surface/dialogs.h"

namespace {
Dialogs* g_dialogs = nullptr;

class NoDialogs : public Dialogs {
public:
    int MsgBox(const QString&, int buttons, const QString&) override { return (buttons & 7) == vbYesNo ? vbNo : vbOK; }
    QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
};
} // namespace

Dialogs& dialogs()
{
    static NoDialogs none;
    return g_dialogs ? *g_dialogs : none;
}

Dialogs* setDialogs(Dialogs* d)
{
    Dialogs* previous = g_dialogs;
    g_dialogs = d;
    return previous;
}
