#pragma once
// Makes a pattern in a started main window the way a user does: the picture clicked in the
// file list and double-clicked, the width set, then "Punto sencillo".
#include "window_support.h"
#include "work_loader.h"

#include <QTest>

// Loads `picture` (saved as `name` in the work folder) and makes a single-stitch pattern
// `width` stitches across (typed up to 100, with the spinner beyond). False when the window
// did not end up with that pattern.
inline bool makePattern(Form1& f, const WorkFolder& folder, const QImage& picture, int width,
    const QString& name = QStringLiteral("dibujo.bmp"))
{
    savePicture(folder, name, picture);
    f.Dir1Path = folder.path();
    f.Dir1_Change();
    const QList<QListWidgetItem*> items = f.File1->findItems(name, Qt::MatchExactly);
    if (items.isEmpty())
        return false;
    f.File1->setCurrentItem(items.first());
    f.File1_DblClick();
    if (width <= 100) {
        f.Text4->setText(QString::number(width));
        int key = 13;
        f.Text4_KeyPress(key);
    } else {
        f.VScroll4->setValue(width * 3);
    }
    f.Command1_Click();
    return f.work.state().ancho_puntos == width && f.work.state().listo == True;
}

// A picture in bands of a few plain colours, so the palette stays small and stable.
inline QImage bandsPicture(int w, int h)
{
    static const QRgb colours[]
        = { qRgb(200, 30, 40), qRgb(250, 250, 250), qRgb(20, 90, 160), qRgb(240, 200, 40), qRgb(30, 30, 30) };
    QImage im(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            im.setPixel(x, y, colours[((x * 5) / w + (y * 3) / h) % 5]);
    return im;
}

// The picture of sheet (H, V), or of the key when H is past the sheets, drawn afresh.
inline QImage freshPage(Form1& f, int H, int V, bool colour)
{
    load(f.work).listo = False;
    setCheckValue(f.Check4, 1);
    setCheckValue(f.Check6, 1);
    setCheckValue(f.Check5, colour ? 1 : 0);
    f.HScroll2->setValue(H);
    f.VScroll2->setValue(V);
    load(f.work).listo = True;
    f.work.setChartOptions(f.chartOptionsShown());
    f.patron1();
    return f.work.Picture11.Image().convertToFormat(QImage::Format_RGB32);
}
