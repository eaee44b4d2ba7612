#pragma once
// The file browser's logic: the places a user can start from, the folders and picture files
// of a folder, and where the preview thumbnail goes.
#include "surface/basic.h"

#include <QString>
#include <QStringList>

// The file-system roots a user can reach: "/", the home folder and every readable mounted
// volume, in that order, each once.
QStringList driveRoots();
// The browser's file pattern, "*.bmp;*.jpg;..." followed by the other types the decoder reads.
QString picturePattern();
// True when a file name matches the picture pattern, ignoring case.
bool matchesPicturePattern(const QString& fileName);
// The folder and the name with one "/" between them (none added when the folder ends in "/").
QString joinPath(const QString& folder, const QString& name);
// True when the folder exists and its entries can be listed.
bool folderReadable(const QString& folder);
// The names of the folder's sub-folders, sorted, without "." and "..".
QStringList subfolders(const QString& folder);
// The names of the folder's files that match the picture pattern, sorted.
QStringList pictureFiles(const QString& folder);
// True when a file name ends in ".oxs" (any case): a pattern file, listed beside the pictures.
bool isPatternFileName(const QString& fileName);
// The names of the folder's pictures and pattern files, sorted together: the browser's list.
QStringList browserFiles(const QString& folder);

// Where the thumbnail of a w x h picture goes in the 91 x 91 square of the preview frame.
struct Thumbnail {
    Single Left = 0, Top = 0, Width = 0, Height = 0;
};
constexpr Single kThumbnailSide = 91;
// The thumbnail touches two opposite sides of the square and is centred along the other
// direction (single precision); an empty picture gives an empty thumbnail.
Thumbnail thumbnailGeometry(Single w, Single h);
