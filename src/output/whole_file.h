#pragma once
// Files written whole or not at all: the data goes to a temporary name beside the file and
// replaces it only once it is complete and flushed, so a full disk or a failed write leaves any
// earlier file of that name as it was and never reports success.
#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;
class QImage;

// Writes what `fill` puts on the device to `path` through a temporary file; `fill` returns
// false when it could not produce all the data. Empty text on success, else a Spanish message
// that names the file; the file is then untouched.
QString writeWhole(const QString& path, const std::function<bool(QIODevice&)>& fill);

// Adds what `fill` writes to the end of the file at `path` (made when missing), the same way:
// the file is rewritten whole under a temporary name, so a failure leaves it as it was.
QString appendWhole(const QString& path, const std::function<bool(QIODevice&)>& fill);

// Writes `picture` in the image format (for example "bmp") to `path`, whole or not at all.
QString writeImageWhole(const QImage& picture, const QString& path, const char* format);

// True when the file at `path` is a complete PDF: it starts with %PDF- and its last line,
// before any trailing white space, is %%EOF.
bool pdfComplete(const QString& path);

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
    // Checks the written file and renames it over `path`; empty text on success, else the
    // message. The earlier file of that name stays intact on failure.
    QString commit(const std::function<bool(const QString&)>& complete);

private:
    QString m_path;
    QString m_temporary;
};

// The message for a file that could not be written whole.
QString unwrittenFileMessage(const QString& path);
