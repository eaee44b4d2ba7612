#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <sys/statvfs.h>

WorkFolder::WorkFolder(bool withCatalogues)
    : m_previous(QDir::currentPath())
{
    if (withCatalogues) {
        for (const char* name : { "dmc.txt", "dmc1.txt", "dmc5.txt", "dmc10.txt" })
            QFile::copy(
                QStringLiteral(PUNTELA_DATA_DIR "/") + QLatin1String(name), m_dir.filePath(QLatin1String(name)));
    }
    QDir::setCurrent(m_dir.path());
}

WorkFolder::~WorkFolder() { QDir::setCurrent(m_previous); }

QImage gradientPicture(int w, int h)
{
    QImage im(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            im.setPixel(
                x, y, qRgb((x * 255) / std::max(1, w - 1), (y * 255) / std::max(1, h - 1), ((x + y) * 7) % 256));
    return im;
}

QString savePicture(const WorkFolder& folder, const QString& name, const QImage& picture)
{
    const QString path = folder.file(name);
    picture.save(path, "BMP");
    return path;
}

int pdfPages(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), { file });
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return -1;
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromLocal8Bit(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray fileContents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

namespace {
bool runQuietly(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
} // namespace

SmallDisk::SmallDisk(int megabytes)
{
    const QString mountPoint = m_dir.filePath(QStringLiteral("disco"));
    if (QDir().mkpath(mountPoint)
        && runQuietly(QStringLiteral("mount"),
            { "-t", "tmpfs", "-o", QStringLiteral("size=%1m").arg(megabytes), "tmpfs", mountPoint }))
        m_path = mountPoint;
}

SmallDisk::~SmallDisk()
{
    if (!m_path.isEmpty())
        runQuietly(QStringLiteral("umount"), { m_path });
}

bool SmallDisk::fillLeaving(qint64 room) const
{
    struct statvfs disk { };
    if (m_path.isEmpty() || statvfs(QFile::encodeName(m_path).constData(), &disk) != 0)
        return false;
    const qint64 free = qint64(disk.f_bavail) * qint64(disk.f_frsize);
    QFile filler(m_path + QStringLiteral("/relleno"));
    return free >= room && filler.open(QIODevice::WriteOnly)
        && filler.write(QByteArray(int(free - room), 'r')) == free - room && filler.flush();
}
