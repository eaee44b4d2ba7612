#include "output/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace {
// How far from the end of a PDF its %%EOF marker may stand (a final line end or padding).
constexpr qint64 kPdfTailBytes = 1024;

QString folderHint(const QString& path)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return QStringLiteral(" La carpeta \"%1\" no existe.").arg(folder.filePath());
    return QStringLiteral(" Compruebe que se puede escribir en la carpeta \"%1\" y que el disco no está lleno.")
        .arg(folder.filePath());
}
} // namespace

QString unwrittenFileMessage(const QString& path)
{
    return QStringLiteral("No se ha podido guardar el archivo \"%1\".").arg(path) + folderHint(path);
}

QString writeWhole(const QString& path, const std::function<bool(QIODevice&)>& fill)
{
    QSaveFile file(path);
    // a file that cannot be renamed over (no rights on the folder) must fail, not be
    // overwritten in place half-way
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return unwrittenFileMessage(path);
    if (!fill(file) || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return unwrittenFileMessage(path);
    }
    // commit() flushes, syncs and renames, and reports a flush that failed
    if (!file.commit())
        return unwrittenFileMessage(path);
    return {};
}

QString appendWhole(const QString& path, const std::function<bool(QIODevice&)>& fill)
{
    QByteArray earlier;
    if (QFileInfo::exists(path)) {
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
            return unwrittenFileMessage(path);
        earlier = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return unwrittenFileMessage(path);
    }
    return writeWhole(path, [&](QIODevice& device) { return device.write(earlier) == earlier.size() && fill(device); });
}

QString writeImageWhole(const QImage& picture, const QString& path, const char* format)
{
    return writeWhole(path, [&](QIODevice& device) {
        // the writer's own answer is not to be trusted for the last buffered bytes; the
        // device's error and commit() are
        QImageWriter writer(&device, format);
        return writer.write(picture);
    });
}

bool pdfComplete(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    if (file.read(5) != "%PDF-")
        return false;
    const qint64 tail = qMin(file.size(), kPdfTailBytes);
    if (!file.seek(file.size() - tail))
        return false;
    const QByteArray end = file.read(tail).trimmed();
    return end.endsWith("%%EOF");
}

FileInPlace::FileInPlace(const QString& path)
    : m_path(path)
{
    QTemporaryFile temporary(QFileInfo(path).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    if (temporary.open())
        m_temporary = temporary.fileName();
}

FileInPlace::~FileInPlace()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

QString FileInPlace::commit(const std::function<bool(const QString&)>& complete)
{
    if (m_temporary.isEmpty() || !complete(m_temporary))
        return unwrittenFileMessage(m_path);
    {
        QFile written(m_temporary);
        // the data must be on the disk before the name points at it
        if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0)
            return unwrittenFileMessage(m_path);
    }
    // a temporary file is private to its owner; the finished file is an ordinary one
    QFile::setPermissions(m_temporary,
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // rename() replaces the old file in one step; QFile::rename would refuse an existing one
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_path).constData()) != 0)
        return unwrittenFileMessage(m_path);
    m_temporary.clear();
    return {};
}
