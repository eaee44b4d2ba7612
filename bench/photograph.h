#pragma once
// The benchmarks' picture: smooth shading in every channel, a few hard-edged shapes and some grain,
// like a photograph.
#include "colour/catalogue.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

inline QImage photographLike(int w, int h)
{
    QImage im(w, h, QImage::Format_RGB32);
    std::mt19937 grain(12345);
    std::uniform_int_distribution<int> noise(-10, 10);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(im.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double u = double(x) / w, v = double(y) / h;
            double r = 128 + 100 * std::sin(6.0 * u + 2.0 * v);
            double g = 110 + 90 * std::sin(4.0 * v - 3.0 * u + 1.0);
            double b = 120 + 110 * std::cos(5.0 * u * v + 2.5 * v);
            if ((x - w / 3) * (x - w / 3) + (y - h / 2) * (y - h / 2) < (h / 5) * (h / 5))
                r = 230 - 60 * v, g = 190 - 80 * u, b = 60;
            if (x > 3 * w / 5 && y > 2 * h / 3)
                r *= 0.35, g *= 0.4, b *= 0.5;
            const auto c = [&](double val) { return std::clamp(int(val) + noise(grain), 0, 255); };
            line[x] = qRgb(c(r), c(g), c(b));
        }
    }
    return im;
}

// Copies the catalogues into `folder` and works there from now on; false, with the message on
// standard error, when they cannot be copied.
inline bool enterWorkFolder(const QTemporaryDir& folder)
{
    if (const QString failure = copyCatalogueFiles(QStringLiteral(PUNTELA_DATA_DIR), folder.path());
        !failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return false;
    }
    return QDir::setCurrent(folder.path());
}

// The picture named on the command line, else a photograph-like one of 2048 x 1536; a null one,
// with a message on standard error, when the file cannot be read.
inline QImage benchPicture(int argc, char** argv)
{
    if (argc <= 1)
        return photographLike(2048, 1536);
    const QImage picture = QImageReader(QString::fromLocal8Bit(argv[1])).read();
    if (picture.isNull())
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return picture;
}
