// Pattern files in the main window: "Guardar patrón" and opening an .oxs file from the browser.
#include "app/form1.h"
#include "app/form1_print.h"
#include "app/preview_widget.h"
#include "output/file_names.h"
#include "surface/dialogs.h"

#include <QFileInfo>

void Form1::savePatternClicked()
{
    focusSink();
    if (!patternOrSay(QStringLiteral("que guardar")))
        return;
    const QString path = chosenSaveFile(QStringLiteral("Guardar patrón"),
        fileInFolder(Dir1Path, fileNameOfTitle(work.patternName()) + QStringLiteral(".oxs")),
        QStringLiteral("Patrones OXS (*.oxs)"), QStringLiteral(".oxs"));
    if (path.isEmpty())
        return;
    // the symbols saved are those of the symbol font chosen
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
    setMousePointer(11);
    if (!work.openPattern(path)) {
        setMousePointer(0);
        return;
    }
    // a swap under way ends as its box does when unticked
    setCheckValue(Check7, 0);
    Busy busy(work);
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
}
