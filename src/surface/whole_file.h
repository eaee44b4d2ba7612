#pragma once
// Files written whole or not at all: the data goes to a temporary name beside the file and
// replaces it only once it is complete and flushed, so a full disk or a failed write leaves any
// earlier file of that name as it was and never reports success.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;
class QImage;

// A check of a finished file by its name before it takes the place of the earlier one.
using CompleteCheck = std::function<bool(const QString&)>;

// Writes what `fill` puts on the device to `path` through a temporary file; `fill` returns
// false when it could not produce all the data, and `complete`, when given, must accept the
// written file. Empty text on success, else a Spanish message that names the file; the file is
// then untouched.
QString writeWhole(
    const QString& path, const std::function<bool(QIODevice&)>& fill, const CompleteCheck& complete = {});

// Adds what `fill` writes to the end of the file at `path` (made when missing), the same way:
// the file is rewritten whole under a temporary name, so a failure leaves it as it was.
QString appendWhole(const QString& path, const std::function<bool(QIODevice&)>& fill);

// Writes `picture` in the image format (for example "bmp") to `path`, whole or not at all.
QString writeImageWhole(const QImage& picture, const QString& path, const char* format);

// True when the file at `path` is a complete PDF: it starts with %PDF- and its last line,
// before any trailing white space, is %%EOF. Every PDF the program writes is checked so.
bool pdfComplete(const QString& path);
// The same test on a whole PDF held in memory.
bool pdfDataComplete(const QByteArray& data);

// A file that another writer (a printer, a library) fills by name: it writes to
// temporaryPath(), and commit() puts the result in place only when `complete` accepts it.
// A file never committed is removed.
class FileInPlace {
public:
    explicit FileInPlace(const QString& path);
    ~FileInPlace();
    FileInPlace(const FileInPlace&) = delete;
    FileInPlace& operator=(const FileInPlace&) = delete;

    QString path() const { return m_path; }
    // Empty when no temporary name could be made beside the file.
    QString temporaryPath() const { return m_temporary; }
    // Checks the written file (when `complete` is given) and renames it over `path`; empty text
    // on success, else the message. The earlier file of that name stays intact on failure.
    QString commit(const CompleteCheck& complete);

private:
    QString m_path;
    QString m_temporary;
};

// A file written through a device: what goes to device() lands under a temporary name, and
// commit() puts it in place only when every byte was taken, the last ones flushed, and
// `complete` (when given) accepts it. A file never committed is removed.
class WholeFile {
public:
    explicit WholeFile(const QString& path);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // False when no temporary file could be made beside the file.
    bool isOpen() const;
    QIODevice& device();
    QString commit(const CompleteCheck& complete = {});

private:
    class Device;
    FileInPlace m_place;
    QFile m_file;
    std::unique_ptr<Device> m_device;
};

// The message for a file that could not be written whole.
QString unwrittenFileMessage(const QString& path);
