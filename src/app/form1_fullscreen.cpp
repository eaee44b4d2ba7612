#include "app/form1.h"
#include "app/fullscreen_window.h"
#include "surface/dialogs.h"

void Form1::Command3_Click(int Index)
{
    focusSink();
    const Surface& source = Index == 0 ? work.Picture2 : (checkValue(Check3) != 0 ? work.Picture11 : work.Picture3);
    if (!form2)
        form2 = new Form2(drag, this);
    switch (form2->showPicture(source.Image())) {
    case Form2::Shown::OutOfMemory:
        dialogs().MsgBox(QStringLiteral("No hay suficiente memoria para dibujar el patrón. Reduce los puntos."),
            vbCritical, QStringLiteral("Error de memoria"));
        break;
    case Form2::Shown::Failed:
        dialogs().MsgBox(QStringLiteral("Error"), vbCritical, QStringLiteral("Puntela"));
        break;
    case Form2::Shown::Ok:
        break;
    }
    work.Picture11.setLeft(0);
    work.Picture11.setTop(0);
    setMousePointer(0);
    work.setListo(true);
}
