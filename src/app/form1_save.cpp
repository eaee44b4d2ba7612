#include "app/form1.h"
#include "app/form1_print.h"
#include "app/sheet_pages_qt.h"
#include "output/bmp_file.h"
#include "output/file_names.h"
#include "output/stitch_picture.h"

namespace {
// The one-pixel-per-stitch picture drawn on the scratch surface Picture14, as it is saved.
const QImage& drawStitchPicture(Form1& f)
{
    const QImage picture = stitchPicture(f.st);
    f.Picture14.Cls();
    f.Picture14.setWidth(picture.width() + 2 * f.Picture14.border());
    f.Picture14.setHeight(picture.height() + 2 * f.Picture14.border());
    for (int y = 0; y < picture.height() && y < f.Picture14.pixelHeight(); ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(picture.constScanLine(y)),
            std::min(picture.width(), f.Picture14.pixelWidth()), f.Picture14.scanLine(y));
    return f.Picture14.Image();
}

// Writes every file of a save into `folder`, in order; stops at the first file that cannot be
// written and returns its message (empty when all were written).
QString saveAll(Form1& f, const QString& folder)
{
    QString failure = writeBmp(throughClipboard(f.Picture2.Image()), fileInFolder(folder, embroideryFileName()));
    if (!failure.isEmpty())
        return failure;
    walkPages(f, chartPages(f, true, true), [&](const SheetPage& page, const QImage& picture) {
        failure = writeBmp(picture, fileInFolder(folder, pageFileName(page)));
        return failure.isEmpty();
    });
    if (!failure.isEmpty())
        return failure;
    return writeBmp(throughClipboard(drawStitchPicture(f)), fileInFolder(folder, stitchPictureFileName()));
}
} // namespace

void Form1::Command7_Click()
{
    focusSink();
    if (!hasPattern(*this)) {
        er(QStringLiteral(
            "No hay ningún patrón que guardar. Pulse \"Punto sencillo\" o \"Punto doble\" para crearlo."));
        return;
    }
    setMousePointer(11);
    st.listo = False;
    const QString failure = saveAll(*this, Dir1Path);
    refreshFileList();
    setMousePointer(0);
    st.listo = True;
    if (!failure.isEmpty())
        er(failure);
}
