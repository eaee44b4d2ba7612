#include "output/bmp_file.h"

#include <QFileInfo>
#include <QImageWriter>

namespace {
constexpr int kDotsPerMeter96 = 3780;
}

QString writeBmp(const QImage& picture, const QString& path)
{
    const QString cannot = QStringLiteral("No se ha podido guardar el archivo \"%1\".").arg(path);
    if (picture.isNull())
        return cannot + QStringLiteral(" La imagen está vacía.");
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    // the clipboard does not keep the resolution: every file says 96 pixels to the inch
    out.setDotsPerMeterX(kDotsPerMeter96);
    out.setDotsPerMeterY(kDotsPerMeter96);
    QImageWriter writer(path, "bmp");
    if (writer.write(out))
        return {};
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return cannot + QStringLiteral(" La carpeta \"%1\" no existe.").arg(folder.filePath());
    return cannot + QStringLiteral(" Compruebe que se puede escribir en la carpeta \"%1\".").arg(folder.filePath());
}
