#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A decoded picture, or the reason there is none. The image is always Format_RGB32,
// with any transparency laid over white.
struct PictureResult {
    QImage image;
    QString error;
    bool ok() const { return error.isEmpty() && !image.isNull(); }
};

// Largest picture accepted, in pixels per side and in total.
constexpr int kMaxPictureSide = 20000;
constexpr qint64 kMaxPicturePixels = 120000000;
// Largest file read into memory.
constexpr qint64 kMaxPictureFileBytes = 256 * 1024 * 1024;

// Reads the file at path (at most kMaxPictureFileBytes) and decodes it with decodePicture;
// messages name the file by its name without the folder.
PictureResult loadPictureFile(const QString& path);

// Decodes BMP, packed DIB, JPEG, GIF (first frame), ICO/CUR (largest image), PNG, WMF or EMF
// data, told apart by its first bytes, never by a name. displayName only goes into messages.
PictureResult decodePicture(const QByteArray& data, const QString& displayName);
