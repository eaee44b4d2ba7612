// "Editar patrón": the editor window, a second view of the work's pattern.
#include "app/editor/editor_window.h"
#include "app/form1.h"

#include <QTimer>

bool Form1::mayEdit() const { return st.listo && checkValue(Check7) == 0; }

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
    connect(Check7, &QCheckBox::stateChanged, this, [this] { showEditAllowed(); });
    // told once the operation that changed the work has ended and listo is back
    connect(&work, &Work::changed, this, [this] { QTimer::singleShot(0, this, [this] { showEditAllowed(); }); });
}
