// "Editar patrón": the editor window, a second view of the work's pattern.
#include "app/editor/editor_window.h"
#include "app/form1.h"

// nothing is edited while the window is busy or a swap is under way
bool Form1::mayEdit() const { return work.state().listo && work.settings().swapMode == 0; }

void Form1::showEditAllowed()
{
    editPatternButton->setEnabled(mayEdit());
    if (editor)
        editor->setEditAllowed(mayEdit());
}

void Form1::editPatternButton_Click()
{
    focusSink();
    if (!mayEdit() || !patternOrSay(QStringLiteral("que editar")))
        return;
    if (!editor)
        editor = new EditorWindow(work, this);
    editor->setEditAllowed(mayEdit());
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void Form1::wireEditor()
{
    connect(editPatternButton, &QPushButton::clicked, this, [this] { editPatternButton_Click(); });
    connect(&work, &Work::changed, this, [this](const WorkChange& c) {
        if (c.has(WorkChange::Busy) || c.has(WorkChange::Swap))
            showEditAllowed();
        // after an editor step the last swap's record no longer fits the pattern
        if (c.has(WorkChange::History) && !work.canUndoSwap())
            Command4->setEnabled(false);
    });
}
