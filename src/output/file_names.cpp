#include "output/file_names.h"

QString embroideryFileName() { return QStringLiteral("bordado_i.bmp"); }

QString sheetFileName(int H, int V, bool colour)
{
    return (colour ? QStringLiteral("patron_c") : QStringLiteral("patron")) + QString::number(H) + QLatin1Char('_')
        + QString::number(V) + QStringLiteral(".bmp");
}

QString keyFileName(bool colour) { return colour ? QStringLiteral("patron_c_g.bmp") : QStringLiteral("patron_g.bmp"); }

QString stitchPictureFileName() { return QStringLiteral("imagen_i.bmp"); }

QString pageFileName(const SheetPage& page)
{
    return page.key ? keyFileName(page.colour) : sheetFileName(page.H, page.V, page.colour);
}

QString fileInFolder(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QStringList savedFileNames(int across, int down)
{
    QStringList names { embroideryFileName() };
    for (const SheetPage& p : commandPages(across, down, true, true))
        names << pageFileName(p);
    names << stitchPictureFileName();
    return names;
}
