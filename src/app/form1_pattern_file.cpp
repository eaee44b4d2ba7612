// Pattern files in the main window: "Guardar patrón" and opening an .oxs file from the browser.
#include "app/form1.h"
#include "app/form1_print.h"
#include "app/preview_widget.h"
#include "output/file_names.h"
#include "surface/dialogs.h"

#include <QFileInfo>

namespace {
const QString kSaveTitle = QStringLiteral("Guardar patrón");

// The file the user chose, with ".oxs" added when no extension was typed; a name that then
// points at an existing file is only taken after a yes. Empty when cancelled.
QString chosenPatternFile(const QString& suggested)
{
    QString path = dialogs().SaveFileName(kSaveTitle, suggested, QStringLiteral("Patrones OXS (*.oxs)"));
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    path += QStringLiteral(".oxs");
    if (QFileInfo::exists(path)
        && dialogs().MsgBox(
               QStringLiteral("El archivo \"%1\" ya existe.\r¿Desea reemplazarlo?").arg(QFileInfo(path).fileName()),
               vbYesNo + vbQuestion, kSaveTitle)
            != vbYes)
        return {};
    return path;
}
} // namespace

void Form1::savePatternClicked()
{
    focusSink();
    if (!hasPattern(*this)) {
        er(QStringLiteral(
            "No hay ningún patrón que guardar. Pulse \"Punto sencillo\" o \"Punto doble\" para crearlo."));
        return;
    }
    const QString title = work.patternDetails().title;
    const QString path = chosenPatternFile(
        fileInFolder(Dir1Path, (title.isEmpty() ? QStringLiteral("patron") : title) + QStringLiteral(".oxs")));
    if (path.isEmpty())
        return;
    // the symbols saved are those of the symbol font chosen
    readControls();
    setMousePointer(11);
    const QString failure = work.savePattern(path);
    refreshFileList();
    setMousePointer(0);
    if (!failure.isEmpty())
        er(failure);
    else
        showOutputDone(*this, QStringLiteral("Patrón guardado en "), path);
}

void Form1::openPattern(const QString& path)
{
    readControls();
    setMousePointer(11);
    if (!work.openPattern(path)) {
        setMousePointer(0);
        return;
    }
    // a swap under way ends as its box does when unticked
    setCheckValue(Check7, 0);
    st.listo = False;
    Picture6->setVisible(true);
    showPatternNote(false);
    Image1Box->sync();
    showPictureSize();
    HScroll1->setValue(0);
    // drawn in single stitch: the magnifier works, and no undo record or redraw is pending
    Check1->setEnabled(true);
    Command4->setEnabled(false);
    check8->setEnabled(false);
    for (QLabel* l : { Label1, Label2, Label3 })
        l->setText(QString());
    setCaption(QStringLiteral("Puntela - ") + QFileInfo(path).fileName());
    setMousePointer(0);
    st.listo = True;
}
