#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

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
