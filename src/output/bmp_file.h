#pragma once
// Writing a picture as a BMP file, with the failure returned as a message for the user.
#include <QImage>
#include <QString>

// Writes `picture` as a 24-bit BMP at `path`, marked 96 pixels to the inch, whole or not at
// all. Returns an empty text on success, otherwise a Spanish message that names the file.
QString writeBmp(const QImage& picture, const QString& path);
