#pragma once
// The names of the pictures "Guardar imágenes" writes, and where they go.
#include "output/sheet_walk.h"

#include <QString>
#include <QStringList>

// "bordado_i.bmp": the embroidery picture.
QString embroideryFileName();
// "patron_c" H "_" V ".bmp" for a colour sheet, "patron" H "_" V ".bmp" for a black-and-white
// one, numbers as plain digits.
QString sheetFileName(int H, int V, bool colour);
// "patron_c_g.bmp" after the colour sheets, "patron_g.bmp" after the black-and-white ones.
QString keyFileName(bool colour);
// "imagen_i.bmp": one pixel per stitch.
QString stitchPictureFileName();
// The file name of one page of the walk.
QString pageFileName(const SheetPage& page);

// A file inside a folder: joined with "/" unless the folder already ends with one (a root).
QString fileInFolder(const QString& folder, const QString& name);

// A pattern's title as the name of a file in a folder: path separators and control characters
// left out and no leading dot, so the name stays in the folder and in sight; "patron" when
// nothing is left.
QString fileNameOfTitle(const QString& title);

// True for the name of a picture a save writes, for any number of sheets.
bool isSavedFileName(const QString& name);

// Puts the pictures a save wrote into `from` in their places in `to`, and removes the pictures
// of an earlier save there that the new set does not replace, so the folder holds one set. Other
// files stay. The message naming the first file that could not be placed, or empty.
QString replaceSavedSet(const QString& from, const QString& to);

// Every file a save writes for a chart of `across` x `down` sheets, in the order written.
QStringList savedFileNames(int across, int down);
