#include "output/file_names.h"

#include "surface/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

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

QString fileNameOfTitle(const QString& title)
{
    QString name;
    for (const QChar c : title)
        if (c != QLatin1Char('/') && c != QLatin1Char('\\') && c.category() != QChar::Other_Control)
            name += c;
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("patron") : name;
}

QString fileInFolder(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool isSavedFileName(const QString& name)
{
    static const QRegularExpression saved(QStringLiteral("^(bordado_i|imagen_i|patron(_c)?([0-9]+_[0-9]+|_g))\\.bmp$"));
    return saved.match(name).hasMatch();
}

QString replaceSavedSet(const QString& from, const QString& to)
{
    const QStringList fresh = QDir(from).entryList(QDir::Files);
    // a folder in the way fails before any file of the earlier set is touched
    for (const QString& name : fresh)
        if (QFileInfo(fileInFolder(to, name)).isDir())
            return unwrittenFileMessage(fileInFolder(to, name));
    for (const QString& name : fresh)
        if (std::rename(QFile::encodeName(fileInFolder(from, name)).constData(),
                QFile::encodeName(fileInFolder(to, name)).constData())
            != 0)
            return unwrittenFileMessage(fileInFolder(to, name));
    for (const QString& name : QDir(to).entryList(QDir::Files))
        if (isSavedFileName(name) && !fresh.contains(name))
            QFile::remove(fileInFolder(to, name));
    return {};
}

QStringList savedFileNames(int across, int down)
{
    QStringList names { embroideryFileName() };
    for (const SheetPage& p : commandPages(across, down, true, true))
        names << pageFileName(p);
    names << stitchPictureFileName();
    return names;
}
