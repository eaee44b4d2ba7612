#include "surface/whole_file.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
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

bool pdfEnds(const QByteArray& head, const QByteArray& tail)
{
    return head.startsWith("%PDF-") && tail.trimmed().endsWith("%%EOF");
}

// Where the data of `path` is to go: the file a symbolic link names, so that the link stays.
QString writtenPath(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}
} // namespace

// Passes every write on to the file and remembers one the file did not take whole: a disk that
// fills up takes part of a write and says nothing, and the next write's success would hide it.
class WholeFile::Device : public QIODevice {
public:
    explicit Device(QFile& file)
        : m_file(file)
    {
    }
    bool shortWrite() const { return m_short; }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_file.seek(pos); }
    qint64 size() const override { return m_file.size(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 written = m_file.write(data, length);
        if (written != length)
            m_short = true;
        return written;
    }

private:
    QFile& m_file;
    bool m_short = false;
};

QString unwrittenFileMessage(const QString& path)
{
    return QStringLiteral("No se ha podido guardar el archivo \"%1\".").arg(path) + folderHint(path);
}

WholeFile::WholeFile(const QString& path)
    : m_place(path)
    , m_file(m_place.temporaryPath())
    , m_device(std::make_unique<Device>(m_file))
{
    if (!m_place.temporaryPath().isEmpty() && m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        m_device->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

WholeFile::~WholeFile() = default;

bool WholeFile::isOpen() const { return m_device->isOpen(); }

QIODevice& WholeFile::device() { return *m_device; }

QString WholeFile::commit(const CompleteCheck& complete)
{
    // the last buffered bytes reach the disk only now: their failure counts as any other
    const bool flushed = isOpen() && m_file.flush() && !m_device->shortWrite();
    m_device->close();
    m_file.close();
    if (!flushed || m_file.error() != QFileDevice::NoError)
        return unwrittenFileMessage(m_place.path());
    return m_place.commit(complete);
}

QString writeWhole(const QString& path, const std::function<bool(QIODevice&)>& fill, const CompleteCheck& complete)
{
    WholeFile file(path);
    if (!file.isOpen() || !fill(file.device()))
        return unwrittenFileMessage(path);
    return file.commit(complete);
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
        QImageWriter writer(&device, format);
        return writer.write(picture);
    });
}

bool pdfDataComplete(const QByteArray& data) { return pdfEnds(data.left(5), data.right(kPdfTailBytes)); }

bool pdfComplete(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    const QByteArray head = file.read(5);
    const qint64 tail = qMin(file.size(), kPdfTailBytes);
    return file.seek(file.size() - tail) && pdfEnds(head, file.read(tail));
}

FileInPlace::FileInPlace(const QString& path)
    : m_path(path)
{
    QTemporaryFile temporary(writtenPath(path) + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    if (temporary.open())
        m_temporary = temporary.fileName();
}

FileInPlace::~FileInPlace()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

QString FileInPlace::commit(const CompleteCheck& complete)
{
    if (m_temporary.isEmpty() || (complete && !complete(m_temporary)))
        return unwrittenFileMessage(m_path);
    {
        QFile written(m_temporary);
        // the data must be on the disk before the name points at it
        if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0)
            return unwrittenFileMessage(m_path);
    }
    // a temporary file is private to its owner; the finished file keeps the earlier one's
    // permissions, or is an ordinary one
    const QString target = writtenPath(m_path);
    QFile::setPermissions(m_temporary,
        QFileInfo::exists(target)
            ? QFileInfo(target).permissions()
            : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // rename() replaces the old file in one step; QFile::rename would refuse an existing one
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(target).constData()) != 0)
        return unwrittenFileMessage(m_path);
    m_temporary.clear();
    return {};
}
