#include "app/form1.h"
#include "app/form1_print.h"
#include "app/sheet_pages_qt.h"

void Form1::Command7_Click()
{
    focusSink();
    if (!patternOrSay(QStringLiteral("que guardar")))
        return;
    setMousePointer(11);
    QString failure;
    // the embroidery, every page of both passes and the one-pixel-per-stitch picture
    const int files = int(chartPages(*this, true, true).size()) + 2;
    {
        Busy busy(work);
        failure = work.saveImages(Dir1Path, throughClipboard);
        showSheets();
        refreshFileList();
        setMousePointer(0);
    }
    if (!failure.isEmpty())
        er(failure);
    else
        showOutputDone(*this, QStringLiteral("%1 imágenes guardadas en ").arg(files), Dir1Path);
}
