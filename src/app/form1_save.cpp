#include "app/form1.h"
#include "app/form1_print.h"

void Form1::Command7_Click()
{
    focusSink();
    if (!hasPattern(*this)) {
        er(QStringLiteral(
            "No hay ningún patrón que guardar. Pulse \"Punto sencillo\" o \"Punto doble\" para crearlo."));
        return;
    }
    setMousePointer(11);
    QString failure;
    {
        Busy busy(st);
        readControls();
        failure = work.saveImages(Dir1Path);
        showSheets();
        refreshFileList();
        setMousePointer(0);
    }
    if (!failure.isEmpty())
        er(failure);
}
