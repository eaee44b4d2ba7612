#include "output/bmp_file.h"

#include "surface/whole_file.h"

namespace {
constexpr int kDotsPerMeter96 = 3780;
}

QString writeBmp(const QImage& picture, const QString& path)
{
    if (picture.isNull())
        return QStringLiteral("No se ha podido guardar el archivo \"%1\". La imagen está vacía.").arg(path);
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    // the clipboard does not keep the resolution: every file says 96 pixels to the inch
    out.setDotsPerMeterX(kDotsPerMeter96);
    out.setDotsPerMeterY(kDotsPerMeter96);
    return writeImageWhole(out, path, "bmp");
}
