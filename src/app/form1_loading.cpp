// Loading the previewed picture into the working picture, and the step adjustments.
#include "app/form1.h"
#include "app/help_texts.h"
#include "image/browser.h"
#include "surface/dialogs.h"

#include <QFileInfo>

namespace {
// The settings a load starts from: catalogue "Grande", no colour picking, 248 colours.
void resetSettings(Form1& f)
{
    f.Option1[2]->setChecked(true);
    setCheckValue(f.Check10, 0);
    f.work.resetSettings();
    f.showCatalogueList();
    f.Text1->setText(QString::number(f.work.settings().colours));
    f.VScroll1->setValue(f.work.settings().colours);
}

// True when the preview holds the picture of the file selected in File1, previewing it
// first when the selection moved on; otherwise the user has been told what to do.
bool previewMatchesSelection(Form1& f)
{
    const QListWidgetItem* item = f.File1->currentItem();
    if (item && joinPath(f.File1Path, item->text()) != f.work.Image1.Path)
        f.File1_Click(); // reports a file that cannot be read
    if (item && !f.work.Image1.Picture.isNull() && joinPath(f.File1Path, item->text()) == f.work.Image1.Path)
        return true;
    if (!item || f.work.Image1.Picture.isNull())
        f.er(QStringLiteral("Haga click primero en el nombre de una imagen de la lista para verla en miniatura"));
    return false;
}
} // namespace

void Form1::File1_DblClick()
{
    // a pattern file is opened as the pattern on show, not loaded as a picture
    if (const QListWidgetItem* item = File1->currentItem(); item && isPatternFileName(item->text())) {
        openPattern(joinPath(File1Path, item->text()));
        return;
    }
    if (!previewMatchesSelection(*this))
        return;
    work.emptyPersonal();
    resetSettings(*this);
    Picture6->setVisible(true);
    // the flag is set again at the end, and on the way by the click of "Ver patrón" when it is cleared
    Busy busy(work);
    setCheckValue(Check7, 0);
    setMousePointer(11);
    work.loadPicture();
    // the size controls follow the picture; their handlers do nothing while the load runs
    showPictureSize();
    setCheckValue(Check3, 0);
    // an undo record belongs to the previous picture's pattern
    Command4->setEnabled(false);
    setCaption(QStringLiteral("Puntela - ") + QFileInfo(work.Image1.Path).fileName());
    setMousePointer(0);
    if (!ayuda_imagen) {
        ayuda_imagen = True;
        dialogs().MsgBox(help::pictureText(), vbOKOnly, help::kPictureTitle);
    }
}

void Form1::File1_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    File1_DblClick();
}

void Form1::Command11_Click() { work.resetPicture(); }

void Form1::adjustPicture(int button) { work.adjustPicture(button); }

void Form1::showPictureSize()
{
    Label5->setText(Str(work.Picture3.pixelWidth()));
    Label6->setText(Str(work.Picture3.pixelHeight()) + QStringLiteral(" puntos"));
    for (QLabel* l : { Label5, Label6, Label7 })
        l->setVisible(true);
    Text4->setText(CStr(work.settings().width));
    Text5->setText(CStr(work.settings().height));
    VScroll4->setValue(work.settings().frameWidth);
    VScroll5->setValue(work.settings().frameHeight);
    for (QScrollBar* s : { VScroll4, VScroll5 }) {
        s->setSingleStep(3);
        s->setPageStep(3);
    }
}
