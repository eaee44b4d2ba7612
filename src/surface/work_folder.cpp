#include "surface/work_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifndef PUNTELA_SHARE_FROM_BIN
#define PUNTELA_SHARE_FROM_BIN "../share/puntela"
#endif

namespace {
const QString kFullCatalogue = QStringLiteral("dmc.txt");

bool holdsCatalogue(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(kFullCatalogue)).isFile();
}

// Copies `from` to `to` through a temporary file in the target folder that is renamed into
// place only when complete; a file that appeared at `to` in the meantime is left alone.
bool copyWhole(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QTemporaryFile part(to + QStringLiteral(".XXXXXX"));
    if (!part.open())
        return false;
    const QByteArray data = source.readAll();
    if (source.error() != QFileDevice::NoError || part.write(data) != data.size() || !part.flush())
        return false;
    part.close();
    // the temporary file is private to its owner; the copy gets the permissions of its source
    part.setPermissions(source.permissions() | QFileDevice::WriteOwner);
    if (part.rename(to)) {
        part.setAutoRemove(false);
        return true;
    }
    return QFileInfo(to).isFile();
}
} // namespace

ChosenFolder chooseWorkFolder(const QString& current, const QString& userFolder, const QStringList& shared)
{
    if (holdsCatalogue(current))
        return { QDir(current).absolutePath(), {} };
    const QString user = QDir(userFolder).absolutePath();
    if (!QDir().mkpath(user))
        return { {}, QStringLiteral("No se puede crear la carpeta de trabajo \"%1\".").arg(user) };
    for (const QString& from : shared) {
        if (!holdsCatalogue(from))
            continue;
        const QDir source(from);
        for (const QString& name : source.entryList(QDir::Files | QDir::Readable)) {
            // the user's own files are never taken from elsewhere
            if (name == QLatin1String("personal.txt") || name == QLatin1String("puntela$"))
                continue;
            const QString to = QDir(user).filePath(name);
            if (!QFileInfo::exists(to) && !copyWhole(source.filePath(name), to))
                return { {},
                    QStringLiteral("No se puede copiar \"%1\" a la carpeta de trabajo \"%2\".").arg(name, user) };
        }
        break;
    }
    if (!holdsCatalogue(user))
        return { {},
            QStringLiteral("No se encuentra el catálogo de hilos \"dmc.txt\" ni en la carpeta actual ni en \"%1\".")
                .arg(user) };
    return { user, {} };
}

QString workFolderShown() { return QDir::toNativeSeparators(QDir::currentPath()); }

QString userWorkFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/puntela");
}

QStringList sharedCatalogueFolders()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return { QDir::cleanPath(bin.filePath(QStringLiteral(PUNTELA_SHARE_FROM_BIN))),
        bin.filePath(QStringLiteral("work")) };
}

ChosenFolder findWorkFolder()
{
    return chooseWorkFolder(QDir::currentPath(), userWorkFolder(), sharedCatalogueFolders());
}
