#include "image/browser.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

QStringList driveRoots()
{
    QStringList roots { QStringLiteral("/") };
    const auto add = [&roots](const QString& path) {
        const QString clean = QDir::cleanPath(path);
        if (!clean.isEmpty() && !roots.contains(clean) && folderReadable(clean))
            roots.append(clean);
    };
    add(QDir::homePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            add(volume.rootPath());
    }
    return roots;
}

QString picturePattern() { return QStringLiteral("*.bmp;*.jpg;*.gif;*.dib;*.wmf;*.ico;*.cur;*.emf;*.jpeg;*.png"); }

bool matchesPicturePattern(const QString& fileName)
{
    static const QStringList suffixes = [] {
        QStringList s;
        for (const QString& p : picturePattern().split(QLatin1Char(';')))
            s.append(p.mid(1)); // ".bmp", ...
        return s;
    }();
    return std::any_of(suffixes.begin(), suffixes.end(),
        [&fileName](const QString& s) { return fileName.endsWith(s, Qt::CaseInsensitive); });
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool folderReadable(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

namespace {
QStringList sortedNames(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}
} // namespace

QStringList subfolders(const QString& folder)
{
    return sortedNames(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot));
}

QStringList pictureFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files);
    names.erase(std::remove_if(names.begin(), names.end(), [](const QString& n) { return !matchesPicturePattern(n); }),
        names.end());
    return sortedNames(names);
}

bool isPatternFileName(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".oxs"), Qt::CaseInsensitive);
}

QStringList browserFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files);
    names.erase(std::remove_if(names.begin(), names.end(),
                    [](const QString& n) { return !matchesPicturePattern(n) && !isPatternFileName(n); }),
        names.end());
    return sortedNames(names);
}

Thumbnail thumbnailGeometry(Single w, Single h)
{
    Thumbnail t;
    if (!(w > 0) || !(h > 0))
        return t;
    if (w > h) {
        t.Width = kThumbnailSide;
        t.Height = h * kThumbnailSide / w;
        t.Top = (kThumbnailSide - t.Height) / 2;
        t.Left = 0;
    } else {
        t.Height = kThumbnailSide;
        t.Width = w * kThumbnailSide / h;
        t.Left = (kThumbnailSide - t.Width) / 2;
        t.Top = 0;
    }
    return t;
}
